#pragma once

// Shared set-up of the fuzz targets: Qt's image plugins and codecs need an
// application object, made once before the first input. Qt's warnings about
// broken input would only slow the run down, so they are dropped.

#include <QByteArray>
#include <QCoreApplication>

#include <algorithm>

#include <cstddef>
#include <cstdint>

inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    (void)quiet;
}

inline QByteArray BytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Structure-aware inputs for the picture decoders: an input that starts with
// a zero byte is a short program that builds a large file, so that a few
// bytes can make thousands of 64 KB segments, scans or run-length codes.
// Every other input is used as it stands. Instructions after the zero byte:
//   01 n b1..bn     the n bytes as they are
//   02 m hi lo f    a marker segment FF m with length hi lo, filled with f
//   03 hi lo        the previous piece hi lo more times
//   anything else   that byte
// The result stops growing at kMaxExpandedBytes.
constexpr qsizetype kMaxExpandedBytes = qsizetype{96} << 20;

inline QByteArray Expand(const QByteArray& program)
{
    QByteArray out;
    QByteArray piece;
    const auto at = [&program](qsizetype i) { return i < program.size() ? static_cast<std::uint8_t>(program[i]) : 0; };
    for (qsizetype i = 1; i < program.size() && out.size() < kMaxExpandedBytes;) {
        const std::uint8_t op = at(i);
        if (op == 1) {
            piece = program.mid(i + 2, at(i + 1));
            i += 2 + at(i + 1);
        } else if (op == 2) {
            const int length = at(i + 2) << 8 | at(i + 3);
            piece = QByteArray("\xFF", 1) + char(at(i + 1)) + char(at(i + 2)) + char(at(i + 3));
            piece += QByteArray(std::max(0, length - 2), char(at(i + 4)));
            i += 5;
        } else if (op == 3) {
            const int times = at(i + 1) << 8 | at(i + 2);
            for (int n = 0; n < times && out.size() < kMaxExpandedBytes; ++n)
                out += piece;
            i += 3;
            continue;
        } else {
            piece = QByteArray(1, char(op));
            i += 1;
        }
        out += piece;
    }
    out.truncate(kMaxExpandedBytes);
    return out;
}

inline QByteArray InputOf(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = BytesOf(data, size);
    return bytes.startsWith('\0') ? Expand(bytes) : bytes;
}

#pragma once

// Shared set-up of the fuzz targets: Qt's image plugins and codecs need an
// application object, made once before the first input. Qt's warnings about
// broken input would only slow the run down, so they are dropped.

#include <QCoreApplication>

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

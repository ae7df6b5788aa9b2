#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Bytes as C source: a comment describing them, then
// `const uint8_t NAME[] = { ... };` with 16 bytes a line.
class CCArrayText
{
public:
    static constexpr int kBytesPerLine = 16;

    // A C identifier made from a file's base name: letters, digits and
    // underscores kept, anything else an underscore; "image" when nothing is
    // left, a leading digit or a C keyword prefixed.
    static QString NameFromPath(const QString& path);
    // The comment holds each line of description, wrapped to fit 80 columns.
    static QByteArray Write(const QByteArray& bytes, const QString& name, const QStringList& description);
};

#pragma once

#include "base/Color.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

// The settings part of a project file: UTF-8 text, one "key=value" line per
// setting. Values are escaped (\\, \n, \r, \xHH for other control
// characters) so that any text stays on its line. Reading is strict about
// what it finds and lenient about what is missing: a key that is absent
// leaves the caller's default, one that is malformed or out of range is an
// error, and keys it does not know are ignored so that later additions can
// be read by this version.
class CProjectText
{
public:
    static constexpr int kMaxLines = 4096;

    void Put(const char* key, const QString& value);
    void Put(const char* key, int value);
    void PutColor(const char* key, COLORREF colour);
    // Colours as runs "RRGGBB*N", blank-separated.
    void PutColorRuns(const char* key, const std::vector<COLORREF>& colours);
    QByteArray Bytes() const { return m_bytes; }

    // False, with Error() set, when the bytes are not UTF-8, hold too many
    // lines or a line without '='.
    bool Parse(const QByteArray& bytes);
    bool Has(const char* key) const { return m_values.contains(QLatin1String(key)); }
    // Each returns false with Error() set when the key is present but its
    // value is malformed or out of range; a missing key leaves value as is.
    bool GetInt(const char* key, int min, int max, int& value);
    bool GetColor(const char* key, COLORREF& value);
    bool GetText(const char* key, int maxChars, QString& value);
    bool GetColorRuns(const char* key, int maxCount, std::vector<COLORREF>& value);
    const QString& Error() const { return m_szError; }

    static QString Escape(const QString& text);
    // False when text holds an unknown or incomplete escape.
    static bool Unescape(const QString& text, QString& result);

private:
    bool Fail(const char* key, const QString& what);
    void PutRaw(const char* key, const QString& value);

    QByteArray m_bytes;
    QHash<QString, QString> m_values;
    QString m_szError;
};

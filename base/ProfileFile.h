#pragma once

#include <QByteArray>
#include <QString>

// Reads and writes integer keys of an INI file the way the classic private
// profile functions do: defaults for anything missing, the value's leading
// digits as the number, and single-key writes that keep the rest of the file
// (order, comments, other sections, encoding, line ends) byte for byte.
// Lines may end in LF, CR LF or CR alone. Files with a UTF-16 byte-order
// mark are kept in UTF-16. Only a regular file of at most kMaxBytes is read;
// anything else reads as missing and is never written over.
class CProfileFile
{
public:
    static constexpr qint64 kMaxBytes = 256 * 1024;

    explicit CProfileFile(QString path);

    const QString& Path() const { return m_szPath; }

    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    // Returns false when the file cannot be written; callers may ignore it.
    bool WriteInt(const QString& section, const QString& key, int value) const;
    bool WriteString(const QString& section, const QString& key, const QString& value) const;

    // The same on the file's content: the key's value, and the content with
    // the key written (only its own line changed, or one line added).
    static int IntIn(const QByteArray& bytes, const QString& section, const QString& key, int defaultValue);
    static QByteArray WithValue(const QByteArray& bytes, const QString& section, const QString& key,
                                const QString& value);

    // Leading decimal digits of text after optional blanks; 0 when there are
    // none, INT_MAX for more than an int holds.
    static int LeadingDigits(const QString& text);

private:
    enum LoadResult { Loaded, Missing, Unusable };
    LoadResult Load(QByteArray& bytes) const;
    bool Save(const QByteArray& bytes) const;

    QString m_szPath;
};

#pragma once

#include <QString>

// Reads and writes integer keys of an INI file the way the classic private
// profile functions do: defaults for anything missing, the value's leading
// digits as the number, and single-key writes that keep the rest of the file
// (order, comments, other sections) exactly as it was.
class CProfileFile
{
public:
    explicit CProfileFile(QString path);

    const QString& Path() const { return m_szPath; }

    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    // Returns false when the file cannot be written; callers may ignore it.
    bool WriteInt(const QString& section, const QString& key, int value) const;
    bool WriteString(const QString& section, const QString& key, const QString& value) const;

    // Leading decimal digits of text after optional blanks; 0 when there are none.
    static int LeadingDigits(const QString& text);

private:
    QString m_szPath;
};

#include "base/ProfileFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace {

QString SectionNameOf(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const int close = t.indexOf(QLatin1Char(']'));
    return close < 0 ? t.mid(1).trimmed() : t.mid(1, close - 1).trimmed();
}

bool IsSectionLine(const QString& line)
{
    return line.trimmed().startsWith(QLatin1Char('['));
}

// The key of a "key=value" line, or nothing for other lines.
std::optional<QString> KeyOf(const QString& line)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || IsSectionLine(t))
        return std::nullopt;
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return t.left(eq).trimmed();
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct Lines
{
    QStringList lines;
    QString eol = QStringLiteral("\n");
    bool endsWithEol = true;
};

Lines ReadLines(const QString& path)
{
    Lines result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QString text = QString::fromUtf8(file.readAll());
    if (text.contains(QLatin1String("\r\n")))
        result.eol = QStringLiteral("\r\n");
    result.endsWithEol = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.lines = normalized.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')) || text.isEmpty())
        result.lines.removeLast();
    return result;
}

} // namespace

CProfileFile::CProfileFile(QString path)
    : m_szPath(std::move(path))
{
}

int CProfileFile::LeadingDigits(const QString& text)
{
    unsigned value = 0;
    for (const QChar ch : text.trimmed()) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        value = value * 10u + static_cast<unsigned>(ch.unicode() - '0');
    }
    return static_cast<int>(value);
}

int CProfileFile::GetInt(const QString& section, const QString& key, int defaultValue) const
{
    const Lines file = ReadLines(m_szPath);
    bool inSection = false;
    for (const QString& line : file.lines) {
        if (IsSectionLine(line)) {
            inSection = SameName(SectionNameOf(line), section);
            continue;
        }
        if (!inSection)
            continue;
        const auto name = KeyOf(line);
        if (name && SameName(*name, key))
            return LeadingDigits(line.mid(line.indexOf(QLatin1Char('=')) + 1));
    }
    return defaultValue;
}

bool CProfileFile::WriteInt(const QString& section, const QString& key, int value) const
{
    return WriteString(section, key, QString::number(value));
}

bool CProfileFile::WriteString(const QString& section, const QString& key, const QString& value) const
{
    Lines file = ReadLines(m_szPath);
    const QString entry = key + QLatin1Char('=') + value;

    int sectionStart = -1;
    int insertAt = -1; // after the last non-blank line of the section
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString& line = file.lines.at(i);
        if (IsSectionLine(line)) {
            if (sectionStart >= 0)
                break;
            if (SameName(SectionNameOf(line), section)) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        const auto name = KeyOf(line);
        if (name && SameName(*name, key)) {
            file.lines[i] = entry;
            insertAt = -2;
            break;
        }
        if (!line.trimmed().isEmpty())
            insertAt = i + 1;
    }

    if (sectionStart < 0) {
        file.lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    } else if (insertAt >= 0) {
        file.lines.insert(insertAt, entry);
    }

    QSaveFile out(m_szPath);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QString text = file.lines.join(file.eol);
    if (file.endsWithEol || sectionStart < 0)
        text += file.eol;
    const QByteArray bytes = text.toUtf8();
    if (out.write(bytes) != bytes.size())
        return false;
    return out.commit();
}

#include "base/ProfileFile.h"

#include "base/RegularFile.h"

#include <QSaveFile>

#include <climits>
#include <vector>

namespace {

// The file is handled as a sequence of code units: bytes widened one to one
// for byte files (whatever their encoding), 16-bit units for files starting
// with a UTF-16 byte-order mark. Either way it goes back unchanged except
// for the one line written.
enum class Encoding { Bytes, Utf16Le, Utf16Be };

struct Line
{
    QString text; // without its line end
    QString end;  // "\r\n", "\n", "\r" or empty for a last line without one
};

struct Document
{
    Encoding encoding = Encoding::Bytes;
    std::vector<Line> lines;
    QString eol = QStringLiteral("\n"); // the first line end of the file
    QByteArray oddByte;                  // the last byte of a UTF-16 file of odd length
};

// Decided by the byte-order mark alone, so that a write, which may change the
// file's length, never changes how the file is read next time.
Encoding EncodingOf(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return Encoding::Utf16Le;
    if (bytes.startsWith("\xFE\xFF"))
        return Encoding::Utf16Be;
    return Encoding::Bytes;
}

QString Units(const QByteArray& bytes, Encoding encoding)
{
    QString units;
    if (encoding == Encoding::Bytes) {
        units.resize(bytes.size());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            units[i] = QChar(static_cast<uchar>(bytes[i]));
        return units;
    }
    units.resize(bytes.size() / 2);
    const int hi = encoding == Encoding::Utf16Be ? 0 : 1;
    for (qsizetype i = 0; i < units.size(); ++i) {
        const auto h = static_cast<uchar>(bytes[2 * i + hi]);
        const auto l = static_cast<uchar>(bytes[2 * i + 1 - hi]);
        units[i] = QChar(static_cast<char16_t>(h << 8 | l));
    }
    return units;
}

QByteArray Encode(const QString& units, Encoding encoding)
{
    QByteArray bytes;
    if (encoding == Encoding::Bytes) {
        bytes.resize(units.size());
        for (qsizetype i = 0; i < units.size(); ++i)
            bytes[i] = static_cast<char>(units[i].unicode() & 0xFF);
        return bytes;
    }
    bytes.resize(units.size() * 2);
    const int hi = encoding == Encoding::Utf16Be ? 0 : 1;
    for (qsizetype i = 0; i < units.size(); ++i) {
        bytes[2 * i + hi] = static_cast<char>(units[i].unicode() >> 8);
        bytes[2 * i + 1 - hi] = static_cast<char>(units[i].unicode() & 0xFF);
    }
    return bytes;
}

// Text written into the file (keys, sections, values) in the file's units:
// UTF-8 bytes for byte files.
QString ToUnits(const QString& text, Encoding encoding)
{
    return encoding == Encoding::Bytes ? Units(text.toUtf8(), encoding) : text;
}

Document Parse(const QByteArray& bytes)
{
    Document doc;
    doc.encoding = EncodingOf(bytes);
    if (doc.encoding != Encoding::Bytes && bytes.size() % 2 != 0)
        doc.oddByte = bytes.right(1);
    const QString units = Units(bytes.left(bytes.size() - doc.oddByte.size()), doc.encoding);
    bool eolSeen = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < units.size(); ++i) {
        const QChar c = units[i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        const bool crlf = c == QLatin1Char('\r') && i + 1 < units.size() && units[i + 1] == QLatin1Char('\n');
        Line line{units.mid(start, i - start), crlf ? QStringLiteral("\r\n") : QString(c)};
        if (!eolSeen) {
            doc.eol = line.end;
            eolSeen = true;
        }
        doc.lines.push_back(std::move(line));
        i += crlf ? 1 : 0;
        start = i + 1;
    }
    if (start < units.size())
        doc.lines.push_back(Line{units.mid(start), QString()});
    return doc;
}

QByteArray Serialize(const Document& doc)
{
    QString units;
    for (const Line& line : doc.lines)
        units += line.text + line.end;
    return Encode(units, doc.encoding) + doc.oddByte;
}

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\v') || c == QLatin1Char('\f')
        || c == QChar(0xFEFF);
}

// Trims ASCII blanks only: a widened byte such as 0xA0 may be part of a
// multi-byte character and is not a blank.
QString Trimmed(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

bool IsSectionLine(const QString& line)
{
    return Trimmed(line).startsWith(QLatin1Char('['));
}

QString SectionNameOf(const QString& line)
{
    const QString t = Trimmed(line);
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    return Trimmed(close < 0 ? t.mid(1) : t.mid(1, close - 1));
}

// The key of a "key=value" line, or an empty string for other lines.
QString KeyOf(const QString& line)
{
    const QString t = Trimmed(line);
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : Trimmed(t.left(eq));
}

bool SameName(const QString& a, const QString& b)
{
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

CProfileFile::CProfileFile(QString path)
    : m_szPath(std::move(path))
{
}

int CProfileFile::LeadingDigits(const QString& text)
{
    // Saturates rather than wrapping: a huge value stays a large positive
    // number instead of turning negative.
    qint64 value = 0;
    for (const QChar ch : Trimmed(text)) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        value = std::min<qint64>(value * 10 + (ch.unicode() - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}

CProfileFile::LoadResult CProfileFile::Load(QByteArray& bytes) const
{
    switch (CRegularFile::ReadAll(m_szPath, kMaxBytes, bytes)) {
    case CRegularFile::Ok:
        return Loaded;
    case CRegularFile::CannotOpen:
        return QFile::exists(m_szPath) ? Unusable : Missing;
    default:
        return Unusable;
    }
}

int CProfileFile::GetInt(const QString& section, const QString& key, int defaultValue) const
{
    QByteArray bytes;
    return Load(bytes) == Loaded ? IntIn(bytes, section, key, defaultValue) : defaultValue;
}

int CProfileFile::IntIn(const QByteArray& bytes, const QString& section, const QString& key, int defaultValue)
{
    const Document doc = Parse(bytes);
    const QString sectionUnits = ToUnits(section, doc.encoding);
    const QString keyUnits = ToUnits(key, doc.encoding);
    bool inSection = false;
    for (const Line& line : doc.lines) {
        if (IsSectionLine(line.text)) {
            inSection = SameName(SectionNameOf(line.text), sectionUnits);
            continue;
        }
        if (inSection && SameName(KeyOf(line.text), keyUnits))
            return LeadingDigits(line.text.mid(line.text.indexOf(QLatin1Char('=')) + 1));
    }
    return defaultValue;
}

bool CProfileFile::WriteInt(const QString& section, const QString& key, int value) const
{
    return WriteString(section, key, QString::number(value));
}

bool CProfileFile::WriteString(const QString& section, const QString& key, const QString& value) const
{
    QByteArray bytes;
    // A file that is not a regular file, or too large to read whole, is left
    // alone rather than replaced.
    if (Load(bytes) == Unusable)
        return false;
    return Save(WithValue(bytes, section, key, value));
}

QByteArray CProfileFile::WithValue(const QByteArray& bytes, const QString& section, const QString& key,
                                   const QString& value)
{
    Document doc = Parse(bytes);
    const QString sectionUnits = ToUnits(section, doc.encoding);
    const QString keyUnits = ToUnits(key, doc.encoding);
    const QString entry = ToUnits(key + QLatin1Char('=') + value, doc.encoding);

    std::ptrdiff_t sectionStart = -1;
    std::ptrdiff_t insertAt = -1; // after the last non-blank line of the section
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        const QString& text = doc.lines[i].text;
        if (IsSectionLine(text)) {
            if (sectionStart >= 0)
                break;
            if (SameName(SectionNameOf(text), sectionUnits))
                sectionStart = insertAt = static_cast<std::ptrdiff_t>(i) + 1;
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (SameName(KeyOf(text), keyUnits)) {
            doc.lines[i].text = entry;
            return Serialize(doc);
        }
        if (!Trimmed(text).isEmpty())
            insertAt = static_cast<std::ptrdiff_t>(i) + 1;
    }

    if (sectionStart < 0) {
        if (!doc.lines.empty() && doc.lines.back().end.isEmpty())
            doc.lines.back().end = doc.eol;
        doc.lines.push_back(Line{ToUnits(QLatin1Char('[') + section + QLatin1Char(']'), doc.encoding), doc.eol});
        doc.lines.push_back(Line{entry, doc.eol});
        return Serialize(doc);
    }
    // The new line takes the line end of the one it follows, which gets the
    // file's line end if it had none (the file's last line).
    Line& before = doc.lines[static_cast<std::size_t>(insertAt - 1)];
    Line added{entry, before.end};
    if (before.end.isEmpty())
        before.end = doc.eol;
    doc.lines.insert(doc.lines.begin() + insertAt, std::move(added));
    return Serialize(doc);
}

bool CProfileFile::Save(const QByteArray& bytes) const
{
    QSaveFile out(m_szPath);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

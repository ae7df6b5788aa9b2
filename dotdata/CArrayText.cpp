#include "dotdata/CArrayText.h"

#include <QFileInfo>

#include <array>

namespace {

constexpr int kCommentWidth = 76;

// Names that would not compile as an array's name.
constexpr std::array<const char*, 37> kReserved = {
    "auto", "bool", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum",
    "extern", "float", "for", "goto", "if", "inline", "int", "long", "register", "restrict", "return",
    "short", "signed", "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void",
    "volatile", "while", "uint8_t", "main",
};

bool IsReserved(const QString& name)
{
    for (const char* word : kReserved) {
        if (name == QLatin1String(word))
            return true;
    }
    return false;
}

// Words of text in lines of at most kCommentWidth characters (longer words alone).
QStringList Wrap(const QString& text)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > kCommentWidth) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

} // namespace

QString CCArrayText::NameFromPath(const QString& path)
{
    QString name;
    bool hasAlnum = false;
    for (const QChar c : QFileInfo(path).completeBaseName()) {
        const bool alnum = c.unicode() < 128 && c.isLetterOrNumber();
        hasAlnum = hasAlnum || alnum;
        name += alnum || c == QLatin1Char('_') ? c : QLatin1Char('_');
    }
    if (!hasAlnum)
        return QStringLiteral("image");
    if (name.at(0).isDigit() || IsReserved(name))
        name.prepend(QStringLiteral("image_"));
    return name;
}

QByteArray CCArrayText::Write(const QByteArray& bytes, const QString& name, const QStringList& description)
{
    static const char kHex[] = "0123456789abcdef";
    QByteArray text;
    text.reserve(bytes.size() * 6 + 1024);
    text += "/*\n";
    for (const QString& sentence : description) {
        for (const QString& line : Wrap(sentence))
            text += " * " + line.toUtf8() + '\n';
    }
    text += " */\n#include <stdint.h>\n\nconst uint8_t " + name.toUtf8() + "[] = {\n";
    const qsizetype count = bytes.size();
    char item[6] = {'0', 'x', '0', '0', ',', ' '};
    for (qsizetype i = 0; i < count; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const bool lineStart = i % kBytesPerLine == 0;
        const bool lineEnd = i % kBytesPerLine == kBytesPerLine - 1 || i == count - 1;
        if (lineStart)
            text += "    ";
        item[2] = kHex[b >> 4];
        item[3] = kHex[b & 15];
        // The last byte of a line has no space after it; the very last no comma.
        text.append(item, i == count - 1 ? 4 : lineEnd ? 5 : 6);
        if (lineEnd)
            text += '\n';
    }
    text += "};\n";
    return text;
}

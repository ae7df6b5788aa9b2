#include "dotdata/DotFile.h"

#include "base/SaveTarget.h"

#include <QSaveFile>

namespace {

// Appends text in UTF-8 with every '\n' written as CR LF.
void AppendFileBytes(QByteArray& bytes, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    qsizetype from = 0;
    for (qsizetype at = utf8.indexOf('\n'); at >= 0; at = utf8.indexOf('\n', from)) {
        bytes.append(utf8.constData() + from, at - from).append("\r\n", 2);
        from = at + 1;
    }
    bytes.append(utf8.constData() + from, utf8.size() - from);
}

// Turns each chunk into UTF-8 with CR LF line ends as it comes, and hands
// the chunk's memory back for the next one.
class CFileBytesSink : public CDotListingSink
{
public:
    // Chunks end between two pieces of the listing, so no character is split.
    void Insert(const QString& text) override
    {
        m_szSpare = text;
        AppendFileBytes(m_bytes, text);
    }
    void Status(const QString&) override {}
    QString Buffer() override
    {
        QString buffer = std::move(m_szSpare);
        buffer.resize(0); // the same memory again once the listing has let go of it
        return buffer;
    }
    QByteArray Take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
    QString m_szSpare;
};

} // namespace

QByteArray CDotFile::ListingBytes(const CDotGrid& grid, const CCanvasText& text, int chunkChars)
{
    CFileBytesSink sink;
    CDotListing(sink, chunkChars).Generate(grid, text);
    return sink.Take();
}

QByteArray CDotFile::Bytes(const QString& paneText)
{
    QByteArray bytes;
    AppendFileBytes(bytes, paneText);
    return bytes;
}

bool CDotFile::Write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return Write(file, bytes);
}

bool CDotFile::Write(QSaveFile& file, const QByteArray& bytes)
{
    if (!CSaveTarget::Refusal(file.fileName()).isEmpty() || !file.open(QIODevice::WriteOnly))
        return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

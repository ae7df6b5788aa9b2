#include "dotdata/ControllerExport.h"

#include "base/DotGrid.h"
#include "base/MessageTexts.h"
#include "base/QuotedText.h"
#include "base/RegularFile.h"
#include "base/SaveTarget.h"
#include "dotdata/ByteLayout.h"
#include "dotdata/CArrayText.h"
#include "dotdata/DotBytes.h"
#include "dotdata/DotFile.h"
#include "dotdata/IntelHex.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

// Room for Intel HEX of any record length: a 1-byte record is 13 characters
// with CR LF, plus address records and blank lines.
constexpr qint64 kHexCharsPerByte = 16;
constexpr qint64 kHexSlack = 65536;

} // namespace

CControllerExport::Format CControllerExport::FormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("c") || suffix == QLatin1String("h"))
        return CArray;
    if (suffix == QLatin1String("bin"))
        return Raw;
    if (suffix == QLatin1String("hex"))
        return IntelHex;
    return None;
}

bool CControllerExport::Render(const CDotGrid& grid, const SExportOptions& options, Format format,
                               const QString& name, QByteArray& content, QString& error)
{
    CByteLayout layout;
    if (!layout.Set(grid.Width(), grid.Height(), options, error))
        return false;
    const QByteArray bytes = CDotBytes::Encode(grid, layout);
    switch (format) {
    case CArray:
        content = CCArrayText::Write(bytes, name, layout.Describe());
        return true;
    case Raw:
        content = bytes;
        return true;
    case IntelHex:
        content = CIntelHex::Write(bytes);
        return true;
    case None:
        break;
    }
    error = QStringLiteral("No controller format.");
    return false;
}

bool CControllerExport::Write(const CDotGrid& grid, const SExportOptions& options, const QString& path, QString& error)
{
    const Format format = FormatOf(path);
    if (format == None) {
        error = MessageText::English(MessageText::NoControllerFormat, {CQuotedText::Quote(path)});
        return false;
    }
    return WriteAs(grid, options, format, path, error);
}

bool CControllerExport::WriteAs(const CDotGrid& grid, const SExportOptions& options, Format format,
                                const QString& path, QString& error)
{
    error = CSaveTarget::Refusal(path);
    if (!error.isEmpty())
        return false;
    QByteArray content;
    if (!Render(grid, options, format, CCArrayText::NameFromPath(path), content, error))
        return false;
    QSaveFile file(path);
    if (!CDotFile::Write(file, content)) {
        error = MessageText::English(MessageText::CannotWrite, {CQuotedText::Quote(path), file.errorString()});
        return false;
    }
    return true;
}

bool CControllerExport::Read(const QString& path, const SExportOptions& options, int monoColorIndex, CDotGrid& grid,
                             QString& error, const QString& name)
{
    const QString shown = name.isEmpty() ? path : name;
    const Format format = FormatOf(shown);
    if (format != Raw && format != IntelHex) {
        error = QStringLiteral("'%1' is neither a .bin nor a .hex file.").arg(CQuotedText::Quote(shown));
        return false;
    }
    CByteLayout layout;
    if (!layout.Set(grid.Width(), grid.Height(), options, error))
        return false;
    const qint64 size = layout.TotalBytes();
    const qint64 cap = format == Raw ? size : size * kHexCharsPerByte + kHexSlack;
    QByteArray content;
    const CRegularFile::Status status = CRegularFile::ReadAll(path, cap, content);
    if (status == CRegularFile::TooLarge && format == Raw) {
        error = QStringLiteral("'%1' holds more than the %2 bytes a %3 x %4 canvas takes with these options.")
                    .arg(CQuotedText::Quote(shown)).arg(size).arg(grid.Width()).arg(grid.Height());
        return false;
    }
    if (status != CRegularFile::Ok) {
        error = CRegularFile::Describe(status, shown, cap);
        return false;
    }
    QByteArray bytes = content;
    if (format == IntelHex && !CIntelHex::Read(content, size, bytes, error)) {
        error = QStringLiteral("'%1', %2").arg(CQuotedText::Quote(shown), error);
        return false;
    }
    if (bytes.size() != size) {
        error = QStringLiteral("'%1' holds %2 bytes; a %3 x %4 canvas takes %5 with these options.")
                    .arg(CQuotedText::Quote(shown)).arg(bytes.size()).arg(grid.Width()).arg(grid.Height()).arg(size);
        return false;
    }
    return CDotBytes::Decode(bytes, layout, monoColorIndex, grid);
}

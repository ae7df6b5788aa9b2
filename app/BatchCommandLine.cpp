#include "app/BatchCommandLine.h"

#include "animation/FrameEffects.h"
#include "animation/FrameList.h"
#include "animation/GifWriter.h"
#include "base/CanvasMode.h"
#include "base/DotPalette.h"
#include "base/ExportOptions.h"
#include "base/QuotedText.h"
#include "base/SignLayoutOptions.h"
#include "canvas/CanvasSize.h"
#include "canvas/DotShape.h"
#include "dotdata/ColorMatcher.h"

#include <array>

namespace {

struct SOptionInfo
{
    const char* name;
    SBatchStep::Kind kind;
    bool takesValue;
    const char* valueName;
    const char* help;
};

constexpr std::array<SOptionInfo, 64> kOptions = {{
    {"--new", SBatchStep::New, true, "WxH[:text|:image]", "make a new canvas (sizes corrected as in the New dialog)"},
    {"--open", SBatchStep::Open, true, "FILE", "open a BMP, PNG or JPEG picture, or a project (known by its content)"},
    {"--match", SBatchStep::Match, true, "exact|nearest|dither", "how the --open options after it turn pixels into dots"},
    {"--mirror", SBatchStep::Mirror, false, "", "exchange left and right"},
    {"--flip", SBatchStep::Flip, false, "", "exchange top and bottom"},
    {"--rotate", SBatchStep::Rotate, false, "", "turn a quarter turn clockwise"},
    {"--dot-color", SBatchStep::DotColor, true, "NAME", "dot colour: red, green, blue, yellow, pink, white, orange"},
    {"--background", SBatchStep::Background, true, "RRGGBB", "background colour (recolours the background dots)"},
    {"--set-dot", SBatchStep::SetDot, true, "X,Y", "paint the dot at column X, row Y from the top (left button)"},
    {"--clear-dot", SBatchStep::ClearDot, true, "X,Y", "clear the dot at column X, row Y from the top (right button)"},
    {"--text", SBatchStep::Text, true, "STRING", "type this text into the input pane"},
    {"--text-colors", SBatchStep::TextColors, true, "NAME[,NAME...]", "one colour per character, the last repeating"},
    {"--font", SBatchStep::Font, true, "FAMILY", "font family of the text"},
    {"--size", SBatchStep::Size, true, "PX", "font height in dots, 1..5792"},
    {"--offset", SBatchStep::Offset, true, "X,Y", "text mode: glyph offset inside the cells, each -5792..5792"},
    {"--stretch", SBatchStep::Stretch, true, "N", "text mode: vertical stretch, -32..64"},
    {"--overlay-at", SBatchStep::OverlayAt, true, "X,Y", "image mode: position of the text overlay"},
    {"--align", SBatchStep::Align, true, "H[,V]", "image mode: align the text's ink: left|center|right[,top|middle|bottom]"},
    {"--spacing", SBatchStep::Spacing, true, "N", "image mode: extra dots between characters, -32..64"},
    {"--line-spacing", SBatchStep::LineSpacing, true, "N", "image mode: extra dots between lines, -32..64"},
    {"--fit-height", SBatchStep::FitHeight, false, "", "image mode: size the font so the text's ink fills the rows"},
    {"--merge", SBatchStep::Merge, false, "", "merge the text into the dots"},
    {"--save-dots", SBatchStep::SaveDots, true, "FILE", "write the dot-data listing (%d in FILE: one per frame)"},
    {"--save-image", SBatchStep::SaveImage, true, "FILE", "write the canvas as BMP (.bmp), PNG (.png) or JPEG (.jpg, .jpeg, .jpe, no extension)"},
    {"--print-pdf", SBatchStep::PrintPdf, true, "FILE", "print the dot-data listing into a PDF file"},
    {"--load-dots", SBatchStep::LoadDots, true, "FILE", "light the dots of an image-mode listing"},
    {"--line", SBatchStep::Line, true, "X0,Y0,X1,Y1", "draw a line from X0,Y0 to X1,Y1 in the dot colour"},
    {"--clear-line", SBatchStep::ClearLine, true, "X0,Y0,X1,Y1", "clear the dots of that line"},
    {"--rect", SBatchStep::Rect, true, "X0,Y0,X1,Y1[:fill]", "draw a rectangle with these corners (:fill fills it)"},
    {"--clear-rect", SBatchStep::ClearRect, true, "X0,Y0,X1,Y1[:fill]", "clear the dots of that rectangle"},
    {"--ellipse", SBatchStep::Ellipse, true, "X0,Y0,X1,Y1[:fill]", "draw the ellipse inside these corners"},
    {"--clear-ellipse", SBatchStep::ClearEllipse, true, "X0,Y0,X1,Y1[:fill]", "clear the dots of that ellipse"},
    {"--fill", SBatchStep::Fill, true, "X,Y", "fill the area of the dot's colour around X,Y with the dot colour"},
    {"--clear-fill", SBatchStep::ClearFill, true, "X,Y", "clear the area of the dot's colour around X,Y"},
    {"--resize", SBatchStep::Resize, true, "WxH[:ANCHOR]",
     "resize the canvas, keeping the dots at ANCHOR (top-left, top, ..., center, ..., bottom-right)"},
    {"--crop", SBatchStep::Crop, true, "X,Y,W,H", "keep only this area of the canvas, at its top left"},
    {"--export", SBatchStep::Export, true, "FILE", "write bytes for a controller: C array (.c, .h), raw (.bin), Intel HEX (.hex); or a PNG picture (.png)"},
    {"--scan", SBatchStep::Scan, true, "rows|columns", "export: 8 dots a byte along rows from the top, or columns from the left"},
    {"--bit-order", SBatchStep::BitOrder, true, "msb|lsb", "export: the first dot of a byte in the high or the low bit"},
    {"--module", SBatchStep::Module, true, "WxH|none", "export: cut the canvas into modules of W x H dots, written in chain order"},
    {"--module-order", SBatchStep::ModuleOrder, true, "rows|columns", "export: chain the modules across each row, or down each column"},
    {"--serpentine", SBatchStep::Serpentine, false, "", "export: every other row (column) of modules runs back"},
    {"--invert", SBatchStep::Invert, false, "", "export: a lit dot is 0 (active-low panels)"},
    {"--planes", SBatchStep::Planes, true, "mono|red-green|rgb", "export: one bit plane, or red and green, or red, green and blue"},
    {"--load-export", SBatchStep::LoadExport, true, "FILE", "redraw the dots from a .bin or .hex export made with the same options"},
    {"--save-project", SBatchStep::SaveProject, true, "FILE", "save the whole document as a project (PNG)"},
    {"--undo", SBatchStep::Undo, false, "", "take back the last change to the dots"},
    {"--redo", SBatchStep::Redo, false, "", "make the last change taken back again"},
    {"--frame", SBatchStep::Frame, true, "N", "edit and save frame N (from 1)"},
    {"--add-frame", SBatchStep::AddFrame, false, "", "add a blank frame after the current one"},
    {"--duplicate-frame", SBatchStep::DuplicateFrame, false, "", "add a copy of the current frame after it"},
    {"--delete-frame", SBatchStep::DeleteFrame, false, "", "delete the current frame"},
    {"--move-frame", SBatchStep::MoveFrame, true, "N", "move the current frame to place N"},
    {"--duration", SBatchStep::Duration, true, "MS", "how long the current frame shows, 10..60000 ms"},
    {"--panel", SBatchStep::Panel, true, "WxH", "the sign the next --scroll moves across (default: the canvas)"},
    {"--scroll", SBatchStep::Scroll, true, "left|right|up|down[:SPEED]", "frames of the canvas scrolling across the panel, SPEED dots a second (20)"},
    {"--blink", SBatchStep::Blink, true, "MS", "two frames: the canvas, then nothing, MS each"},
    {"--wipe", SBatchStep::Wipe, true, "left|right|up|down[:SPEED]", "frames uncovering the canvas a column or row at a time"},
    {"--gif-dots", SBatchStep::GifDots, true, "PX", "the next --save-gif draws each dot as a round lamp PX pixels across (0: one pixel)"},
    {"--save-gif", SBatchStep::SaveGif, true, "FILE", "write the frames as an animated GIF"},
    {"--save-frames", SBatchStep::SaveFrames, true, "FILE", "write each frame as FILE-001.png ... (.png or .bmp; %d for the number)"},
    {"--list-fonts", SBatchStep::ListFonts, false, "", "print the font families"},
    {"--help", SBatchStep::Help, false, "", "print this help"},
    {"--version", SBatchStep::Version, false, "", "print the version"},
}};

// Coordinates of the drawing options.
constexpr int kDrawLimit = CDotShape::kCoordinateLimit;

// The values of --match.
struct SMatchingName
{
    const char* name;
    ColorMatching matching;
};
constexpr std::array<SMatchingName, 3> kMatchingNames = {{
    {"exact", ExactColors}, {"nearest", NearestColor}, {"dither", DitheredColors},
}};

// The values of --align, each axis's in the order of its alignments.
constexpr std::array<const char*, 3> kHorizontalNames = {"left", "center", "right"};
constexpr std::array<const char*, 3> kVerticalNames = {"top", "middle", "bottom"};

// The alignment a name gives on an axis, or Unaligned.
int AlignOfName(const std::array<const char*, 3>& names, const QString& name)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (name == QLatin1String(names[i]))
            return SSignLayoutOptions::AlignStart + static_cast<int>(i);
    }
    return SSignLayoutOptions::Unaligned;
}

int MatchingOfName(const QString& name)
{
    for (const SMatchingName& entry : kMatchingNames) {
        if (name == QLatin1String(entry.name))
            return entry.matching;
    }
    return -1;
}

const SOptionInfo* FindOption(const QString& name)
{
    for (const SOptionInfo& info : kOptions) {
        if (name == QLatin1String(info.name))
            return &info;
    }
    return nullptr;
}

} // namespace

bool CBatchCommandLine::IsBatch(const QStringList& arguments)
{
    for (const QString& arg : arguments) {
        if (arg.startsWith(QLatin1String("--")))
            return true;
    }
    return false;
}

int CBatchCommandLine::ColorIndexOfName(const QString& name)
{
    for (std::size_t i = 0; i < static_cast<std::size_t>(kPaletteSize); ++i) {
        if (name.compare(QLatin1String(kColorNames[i]), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QString CBatchCommandLine::HelpText()
{
    QString text = QStringLiteral("Usage: pellmark [FILE]\n"
                                  "       pellmark OPTION... (batch mode: runs the options in order, no window)\n\n"
                                  "The canvas starts in text mode, or in image mode when --open comes before any --new.\n"
                                  "A text-mode canvas lists only merged text: list a picture's dots with --new WxH:image.\n\n");
    for (const SOptionInfo& info : kOptions) {
        const QString head = QStringLiteral("  %1 %2").arg(QLatin1String(info.name), QLatin1String(info.valueName));
        text += head.leftJustified(36) + QLatin1String(info.help) + QLatin1Char('\n');
    }
    return text;
}

bool CBatchCommandLine::Fail(const QString& option, const QString& what)
{
    m_szError = QStringLiteral("%1: %2").arg(option, what);
    return false;
}

bool CBatchCommandLine::Parse(const QStringList& arguments, const QList<QByteArray>& rawArguments)
{
    m_steps.clear();
    m_szError.clear();
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        const SOptionInfo* info = FindOption(arg);
        if (!info)
            return Fail(arg, arg.startsWith(QLatin1String("--")) ? QStringLiteral("unknown option")
                                                                 : QStringLiteral("unexpected argument"));
        SBatchStep step;
        step.kind = info->kind;
        step.option = arg;
        if (info->takesValue) {
            if (i + 1 >= arguments.size())
                return Fail(arg, QStringLiteral("missing value %1").arg(QLatin1String(info->valueName)));
            if (!ParseValue(step, arguments.at(++i)))
                return false;
            if (i < rawArguments.size())
                step.rawText = rawArguments.at(i);
        }
        m_steps.push_back(std::move(step));
    }
    return true;
}

bool CBatchCommandLine::ParseInt(const QString& option, const QString& value, int& result)
{
    bool ok = false;
    result = value.trimmed().toInt(&ok);
    return ok || Fail(option, QStringLiteral("'%1' is not a number").arg(value));
}

bool CBatchCommandLine::CheckRange(const QString& option, const QString& what, int value, int low, int high)
{
    if (value >= low && value <= high)
        return true;
    return Fail(option, QStringLiteral("%1 must be within %2..%3").arg(what).arg(low).arg(high));
}

bool CBatchCommandLine::ParsePair(const QString& option, const QString& value, QChar separator, int& a, int& b)
{
    const QStringList parts = value.split(separator);
    if (parts.size() != 2)
        return Fail(option, QStringLiteral("'%1' is not of the form A%2B").arg(value, separator));
    return ParseInt(option, parts.at(0), a) && ParseInt(option, parts.at(1), b);
}

bool CBatchCommandLine::ParseMovement(SBatchStep& step, const QString& value)
{
    const QStringList parts = value.split(QLatin1Char(':'));
    CFrameEffects::Direction direction = CFrameEffects::Direction::Left;
    if (parts.size() > 2 || !CFrameEffects::DirectionOfName(parts.at(0), direction))
        return Fail(step.option, QStringLiteral("'%1' is not left, right, up or down[:SPEED]").arg(CQuotedText::Quote(value)));
    step.x = static_cast<int>(direction);
    step.y = CFrameEffects::kDefaultSpeed;
    if (parts.size() == 2 && !ParseInt(step.option, parts.at(1), step.y))
        return false;
    return CheckRange(step.option, QStringLiteral("the speed (dots a second)"), step.y, CFrameEffects::kMinSpeed,
                      CFrameEffects::kMaxSpeed);
}

bool CBatchCommandLine::ParseFour(SBatchStep& step, const QString& value)
{
    const QString& option = step.option;
    QString numbers = value;
    const bool shape = step.kind != SBatchStep::Crop && step.kind != SBatchStep::Line && step.kind != SBatchStep::ClearLine;
    if (shape && value.endsWith(QLatin1String(":fill"))) {
        step.mode = 1;
        numbers.chop(5);
    }
    const QStringList parts = numbers.split(QLatin1Char(','));
    if (parts.size() != 4)
        return Fail(option, QStringLiteral("'%1' is not of the form A,B,C,D").arg(value));
    std::array<int, 4> v {};
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (!ParseInt(option, parts.at(static_cast<int>(i)), v[i]))
            return false;
        // Far beyond any canvas, and small enough for exact shape arithmetic.
        if (v[i] < -kDrawLimit || v[i] > kDrawLimit)
            return Fail(option, QStringLiteral("%1 is outside -%2..%2").arg(v[i]).arg(kDrawLimit));
    }
    step.x = v[0];
    step.y = v[1];
    step.x2 = v[2];
    step.y2 = v[3];
    if (step.kind == SBatchStep::Crop && (step.x2 <= 0 || step.y2 <= 0))
        return Fail(option, QStringLiteral("the width and height must be above 0"));
    return true;
}

bool CBatchCommandLine::ParseResize(SBatchStep& step, const QString& value)
{
    QString size = value;
    step.mode = AnchorTopLeft;
    const int colon = value.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        step.mode = AnchorOfName(value.mid(colon + 1));
        if (step.mode < 0)
            return Fail(step.option, QStringLiteral("'%1' is none of %2").arg(value.mid(colon + 1), AnchorNames()));
        size = value.left(colon);
    }
    return ParsePair(step.option, size, QLatin1Char('x'), step.x, step.y);
}

bool CBatchCommandLine::ParseExportOption(SBatchStep& step, const QString& value)
{
    // The word is checked here; the runner applies it to its export options.
    SExportOptions options;
    bool ok = false;
    QString choices;
    switch (step.kind) {
    case SBatchStep::Scan:
        ok = CExportOptionNames::ParseScan(value, options);
        choices = CExportOptionNames::ScanWords().join(QStringLiteral(", "));
        break;
    case SBatchStep::BitOrder:
        ok = CExportOptionNames::ParseBitOrder(value, options);
        choices = CExportOptionNames::BitOrderWords().join(QStringLiteral(", "));
        break;
    case SBatchStep::ModuleOrder:
        ok = CExportOptionNames::ParseModuleOrder(value, options);
        choices = CExportOptionNames::ModuleOrderWords().join(QStringLiteral(", "));
        break;
    case SBatchStep::Planes:
        ok = CExportOptionNames::ParsePlanes(value, options);
        choices = CExportOptionNames::PlanesWords().join(QStringLiteral(", "));
        break;
    default:
        if (!CExportOptionNames::ParseModule(value, options))
            return Fail(step.option, QStringLiteral("'%1' is not a module size WxH (1..1024 each) or none").arg(value));
        step.x = options.moduleWidth;
        step.y = options.moduleHeight;
        return true;
    }
    if (!ok)
        return Fail(step.option, QStringLiteral("'%1' is none of %2").arg(value, choices));
    step.text = value;
    return true;
}

bool CBatchCommandLine::ParseValue(SBatchStep& step, const QString& value)
{
    const QString& option = step.option;
    switch (step.kind) {
    case SBatchStep::New: {
        QString size = value;
        const int colon = value.indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            const QString mode = value.mid(colon + 1);
            if (mode != QLatin1String("text") && mode != QLatin1String("image"))
                return Fail(option, QStringLiteral("mode '%1' is neither text nor image").arg(mode));
            step.mode = mode == QLatin1String("image") ? 1 : 0;
            size = value.left(colon);
        }
        return ParsePair(option, size, QLatin1Char('x'), step.x, step.y);
    }
    case SBatchStep::DotColor:
        step.x = ColorIndexOfName(value);
        return step.x >= 0 || Fail(option, QStringLiteral("unknown colour '%1'").arg(value));
    case SBatchStep::Background: {
        bool ok = false;
        const uint rgb = value.toUInt(&ok, 16);
        if (!ok || value.size() != 6)
            return Fail(option, QStringLiteral("'%1' is not a colour RRGGBB").arg(value));
        step.color = MakeColor(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
        return true;
    }
    case SBatchStep::TextColors:
        for (const QString& name : value.split(QLatin1Char(','))) {
            const int index = ColorIndexOfName(name.trimmed());
            if (index < 0)
                return Fail(option, QStringLiteral("unknown colour '%1'").arg(name));
            step.colors.push_back(index);
        }
        return true;
    case SBatchStep::Line:
    case SBatchStep::ClearLine:
    case SBatchStep::Rect:
    case SBatchStep::ClearRect:
    case SBatchStep::Ellipse:
    case SBatchStep::ClearEllipse:
    case SBatchStep::Crop:
        return ParseFour(step, value);
    case SBatchStep::Resize:
        return ParseResize(step, value);
    case SBatchStep::Fill:
    case SBatchStep::ClearFill:
    case SBatchStep::SetDot:
    case SBatchStep::ClearDot:
        return ParsePair(option, value, QLatin1Char(','), step.x, step.y);
    case SBatchStep::Offset:
        return ParsePair(option, value, QLatin1Char(','), step.x, step.y)
            && CheckRange(option, QStringLiteral("X"), step.x, -kMaxGlyphOffset, kMaxGlyphOffset)
            && CheckRange(option, QStringLiteral("Y"), step.y, -kMaxGlyphOffset, kMaxGlyphOffset);
    case SBatchStep::OverlayAt:
        // Past the canvas's right or bottom edge nothing of the text shows.
        return ParsePair(option, value, QLatin1Char(','), step.x, step.y)
            && CheckRange(option, QStringLiteral("X"), step.x, -kMaxOverlayReach, kMaxCanvasWidth - 1)
            && CheckRange(option, QStringLiteral("Y"), step.y, -kMaxOverlayReach, kMaxCanvasHeight - 1);
    case SBatchStep::Size:
        return ParseInt(option, value, step.x) && CheckRange(option, QStringLiteral("the size"), step.x, 1, kMaxFontHeight);
    case SBatchStep::Match:
        step.x = MatchingOfName(value);
        return step.x >= 0 || Fail(option, QStringLiteral("'%1' is none of exact, nearest, dither").arg(value));
    case SBatchStep::Frame:
    case SBatchStep::MoveFrame:
        return ParseInt(option, value, step.x)
            && (step.x >= 1 || Fail(option, QStringLiteral("frames are numbered from 1")));
    case SBatchStep::Duration:
    case SBatchStep::Blink:
        return ParseInt(option, value, step.x)
            && CheckRange(option, QStringLiteral("the duration (ms)"), step.x, CFrameList::kMinDurationMs,
                          CFrameList::kMaxDurationMs);
    case SBatchStep::Panel:
        return ParsePair(option, value, QLatin1Char('x'), step.x, step.y)
            && CheckRange(option, QStringLiteral("the width"), step.x, 1, kMaxCanvasWidth)
            && CheckRange(option, QStringLiteral("the height"), step.y, 1, kMaxCanvasHeight);
    case SBatchStep::Scroll:
    case SBatchStep::Wipe:
        return ParseMovement(step, value);
    case SBatchStep::GifDots:
        return ParseInt(option, value, step.x)
            && CheckRange(option, QStringLiteral("the lamp size (pixels)"), step.x, 0, CGifWriter::kMaxLedPitch);
    case SBatchStep::Align: {
        const QStringList axes = value.split(QLatin1Char(','));
        step.x = AlignOfName(kHorizontalNames, axes.value(0));
        step.y = axes.size() > 1 ? AlignOfName(kVerticalNames, axes.value(1)) : SSignLayoutOptions::Unaligned;
        if (axes.size() > 2 || step.x == SSignLayoutOptions::Unaligned
            || (axes.size() > 1 && step.y == SSignLayoutOptions::Unaligned))
            return Fail(option, QStringLiteral("'%1' is not left|center|right[,top|middle|bottom]").arg(value));
        return true;
    }
    case SBatchStep::Spacing:
    case SBatchStep::LineSpacing:
        return ParseInt(option, value, step.x)
            && CheckRange(option, QStringLiteral("the spacing"), step.x, SSignLayoutOptions::kSpacingMin,
                          SSignLayoutOptions::kSpacingMax);
    case SBatchStep::Scan:
    case SBatchStep::BitOrder:
    case SBatchStep::Module:
    case SBatchStep::ModuleOrder:
    case SBatchStep::Planes:
        return ParseExportOption(step, value);
    case SBatchStep::Stretch:
        if (!ParseInt(option, value, step.x))
            return false;
        return CheckRange(option, QStringLiteral("the stretch"), step.x, kStretchMin, kStretchMax);
    default:
        if (value.isEmpty() && step.kind != SBatchStep::Text)
            return Fail(option, QStringLiteral("empty value"));
        step.text = value;
        return true;
    }
}

#include "frame/CommandTable.h"

#include "base/CommandIds.h"

#include <algorithm>

using namespace CommandId;

const std::array<CCommandInfo, 47> kCommandTable = {{
    {New, "New", true, false, {"Ctrl+N", nullptr}},
    {Open, "Open", true, false, {"Ctrl+O", nullptr}},
    {SaveDot, "Save Dot", true, false, {"Ctrl+S", nullptr}},
    {SaveImage, "Save Image", true, false, {nullptr, nullptr}},
    {Print, "Print", false, false, {"Ctrl+P", nullptr}},
    {Exit, "Exit", false, false, {nullptr, nullptr}},
    {Export, "Export", true, false, {nullptr, nullptr}},
    {Mirror, "Mirror", false, false, {nullptr, nullptr}},
    {Flip, "Flip", false, false, {nullptr, nullptr}},
    {Rotate, "Rotate", false, false, {nullptr, nullptr}},
    {Red, "Red", true, true, {nullptr, nullptr}},
    {Red + 1, "Green", true, true, {nullptr, nullptr}},
    {Red + 2, "Blue", true, true, {nullptr, nullptr}},
    {Red + 3, "Yellow", true, true, {nullptr, nullptr}},
    {Red + 4, "Pink", true, true, {nullptr, nullptr}},
    {Red + 5, "White", true, true, {nullptr, nullptr}},
    {Orange, "Orange", true, true, {nullptr, nullptr}},
    // Ctrl+= is the same key as Ctrl++ on keyboards where + needs Shift.
    {ZoomIn, "Zoom In", false, false, {"Ctrl++", "Ctrl+="}},
    {ZoomOut, "Zoom Out", false, false, {"Ctrl+-", nullptr}},
    {ToggleGrid, "Toggle Grid", false, false, {nullptr, nullptr}},
    {MergeText, "Merge Text", true, false, {nullptr, nullptr}},
    {ViewImage, "View Image", false, true, {nullptr, nullptr}},
    {BackgroundColor, "Background Color", false, false, {nullptr, nullptr}},
    {Font, "Font", false, false, {nullptr, nullptr}},
    {English, "English", false, true, {nullptr, nullptr}},
    {ChineseSimplified, "Chinese Simplified", false, true, {nullptr, nullptr}},
    {ChineseTraditional, "Chinese Traditional", false, true, {nullptr, nullptr}},
    {Help, "Help", false, false, {nullptr, nullptr}},
    {About, "About", false, false, {nullptr, nullptr}},
    {TextUp, "Move Text Up", false, false, {nullptr, nullptr}},
    {TextDown, "Move Text Down", false, false, {nullptr, nullptr}},
    {TextLeft, "Move Text Left", false, false, {nullptr, nullptr}},
    {TextRight, "Move Text Right", false, false, {nullptr, nullptr}},
    {TextOrigin, "Text Back to Origin", false, false, {nullptr, nullptr}},
    {Pan, "Pan", false, true, {nullptr, nullptr}},
    {Undo, "Undo", false, false, {"Ctrl+Z", nullptr}},
    {Redo, "Redo", false, false, {"Ctrl+Y", "Ctrl+Shift+Z"}},
    {PictureExact, "Exact Colors", false, true, {nullptr, nullptr}},
    {PictureNearest, "Nearest Color", false, true, {nullptr, nullptr}},
    {PictureDithered, "Dithered", false, true, {nullptr, nullptr}},
    // Ctrl+S stays Save (the listing); projects take Shift and Alt with it.
    {OpenProject, "Open Project", true, false, {"Ctrl+Shift+O", nullptr}},
    {SaveProject, "Save Project", true, false, {"Ctrl+Shift+S", nullptr}},
    {SaveProjectAs, "Save Project As", true, false, {"Ctrl+Alt+S", nullptr}},
    {RecentFile, "Recent File 1", false, false, {nullptr, nullptr}},
    {RecentFile + 1, "Recent File 2", false, false, {nullptr, nullptr}},
    {RecentFile + 2, "Recent File 3", false, false, {nullptr, nullptr}},
    {RecentFileLast, "Recent File 4", false, false, {nullptr, nullptr}},
}};

const std::array<int, 31> kToolbarLayout = {
    New, Open, SaveDot, SaveImage, 0,
    Mirror, Flip, Rotate, 0,
    Red, Red + 1, Red + 2, Red + 3, Red + 4, Red + 5, Orange, 0,
    ZoomIn, ZoomOut, ToggleGrid, 0,
    TextUp, TextDown, TextLeft, TextRight, TextOrigin, 0,
    ViewImage, 0,
    // The bar ends with a separator after Pan, which makes seven in all.
    Pan, 0,
};

const CCommandInfo* FindCommand(int id)
{
    const auto it = std::find_if(kCommandTable.begin(), kCommandTable.end(),
                                 [id](const CCommandInfo& info) { return info.nId == id; });
    return it == kCommandTable.end() ? nullptr : &*it;
}

QList<QKeySequence> ShortcutsOf(const CCommandInfo& info)
{
    QList<QKeySequence> keys;
    for (const char* text : info.aszShortcuts) {
        if (text)
            keys << QKeySequence(QString::fromLatin1(text), QKeySequence::PortableText);
    }
    return keys;
}

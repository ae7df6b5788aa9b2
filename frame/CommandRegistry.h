#pragma once

#include "base/TriText.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <array>
#include <vector>

class CMainFrame;

// Enabled and checked state of a command, and for some a prompt that
// follows the state (Undo names the step it would take back).
struct SCommandState
{
    bool bEnabled = true;
    bool bChecked = false;
    bool bSetsPrompt = false;
    QString szPrompt;
};

// One row of the command registry: a command, or a popup menu or a
// separator that places the commands in the menu bar. Rows are in menu
// order; nDepth nests them (0 = the menu bar).
struct SCommandEntry
{
    enum ERow { Command, Popup, Separator };
    static constexpr int kNoMenu = -1; // a command only on the toolbar
    static constexpr int kNoCell = -1; // a command not on the toolbar
    static constexpr int kToolCells = 100; // cells from here on are in the tools' strip

    ERow nRow;
    int nDepth;
    int nId;                              // commands only
    STriText text;                        // menu text
    const char* szName;                   // English name, the tool tip
    const char* szPrompt;                 // status-bar prompt (English in every language), or null
    bool bCheckable;
    std::array<const char*, 2> aszShortcuts; // portable key texts, may be null
    int nToolbarCell;                     // image in the toolbar strip; buttons are in cell order
    bool bToolbarGapAfter;                // a separator follows the button
    int nArg;                             // handed to the functions (a colour, a language, ...)
    void (*pfnRun)(CMainFrame& frame, int arg);
    SCommandState (*pfnState)(const CMainFrame& frame, int arg); // null: always enabled, unchecked
};

// Every command of the main frame in one table: the menus, the toolbar,
// the actions with their shortcuts and prompts, dispatch and the command
// states are all made from it. Adding a command is one entry here (its id
// in base/CommandIds.h) and the function it runs.
class CCommandRegistry
{
public:
    static const std::vector<SCommandEntry>& Entries();
    // The command rows only, in table order.
    static std::vector<const SCommandEntry*> Commands();
    // The command with this id; null for ids the frame does not know.
    static const SCommandEntry* Find(int id);
    // The toolbar: commands with a cell in cell order, null where a
    // separator goes.
    static std::vector<const SCommandEntry*> ToolbarLayout();
    static QList<QKeySequence> Shortcuts(const SCommandEntry& entry);
};

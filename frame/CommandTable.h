#pragma once

#include <QKeySequence>
#include <QList>

#include <array>

// What the frame needs to know about each of its commands besides the menu
// texts: the English name shown as tool tip, the status-bar prompt (English
// in every language, only some commands have one), the keyboard shortcuts and
// whether the command carries a check mark.
struct CCommandInfo
{
    int nId;
    const char* szName;
    bool bHasPrompt;
    bool bCheckable;
    std::array<const char*, 2> aszShortcuts; // portable key texts, may be null
};

extern const std::array<CCommandInfo, 47> kCommandTable;

// The main toolbar in order; 0 is a separator.
extern const std::array<int, 31> kToolbarLayout;

const CCommandInfo* FindCommand(int id);
QList<QKeySequence> ShortcutsOf(const CCommandInfo& info);

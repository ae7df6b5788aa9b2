#pragma once

#include "base/FrameDialogs.h"

class QWidget;

#include <functional>

// The real dialogs and message boxes, owned by the given window. The frame
// commands' dialogs speak the language language() gives (0 English, 1
// Simplified, 2 Traditional Chinese).
CFrameDialogs MakeFrameDialogs(QWidget* owner, std::function<int()> language = {});

#pragma once

#include "base/FrameDialogs.h"

class QWidget;

// The real dialogs and message boxes, owned by the given window.
CFrameDialogs MakeFrameDialogs(QWidget* owner);

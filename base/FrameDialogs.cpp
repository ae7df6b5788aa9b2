#include "base/FrameDialogs.h"

#include "base/MessageTexts.h"

void CFrameDialogs::ShowMessage(const QString& english) const
{
    if (showMessage)
        showMessage(messageLanguage ? MessageText::Translate(english, messageLanguage()) : english);
}

#include "canvas/DocumentFiles.h"

#include "base/FrameDialogs.h"
#include "canvas/CanvasDocument.h"
#include "dotdata/SaveDot.h"

bool CDocumentFiles::OpenPicture(const QString& path)
{
    const COutcome opened = m_document.Open(path);
    if (!opened)
        m_dialogs.ShowMessage(opened.Message());
    return opened.IsOk();
}

void CDocumentFiles::SaveImage()
{
    if (m_document.Grid().IsEmpty())
        return;
    const QString path = m_dialogs.AskSaveImagePath(m_document.ImagePath());
    if (path.isEmpty())
        return;
    m_document.SetImagePath(path);
    SaveImageTo(path);
}

bool CDocumentFiles::SaveImageTo(const QString& path)
{
    if (m_document.Grid().IsEmpty())
        return false;
    const COutcome saved = m_document.SaveImageTo(path);
    if (!saved)
        m_dialogs.ShowMessage(saved.Message());
    return saved.IsOk();
}

void CDocumentFiles::SaveDot()
{
    if (m_document.Grid().IsEmpty())
        return;
    QString path = m_document.DotPath();
    CSaveDot::Save(m_dialogs, [this](const QString& chosen) { return m_document.SaveDotTo(chosen); }, path);
    m_document.SetDotPath(path);
}

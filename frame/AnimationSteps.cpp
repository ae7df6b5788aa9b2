#include "frame/AnimationSteps.h"

#include "animation/FrameImages.h"
#include "animation/GifWriter.h"
#include "base/MessageTexts.h"
#include "canvas/CanvasDocument.h"

CAnimationSteps::CAnimationSteps(CCanvasDocument& document)
    : m_document(document)
{
    m_lastScroll.nSpeed = CFrameEffects::kDefaultSpeed;
}

bool CAnimationSteps::SelectFrame(int index)
{
    return m_document.SelectFrame(index);
}

bool CAnimationSteps::StepFrame(int delta)
{
    const CFrameList& frames = m_document.Frames();
    const int count = frames.Count();
    return count > 1 && SelectFrame(((frames.Current() + delta) % count + count) % count);
}

bool CAnimationSteps::AddFrame()
{
    return m_document.ChangeFrames([](CFrameList& list, CFrameStep& step) { return CFrameStep::AddBlank(list, step); });
}

bool CAnimationSteps::DuplicateFrame()
{
    return m_document.ChangeFrames(
        [](CFrameList& list, CFrameStep& step) { return CFrameStep::Duplicate(list, list.Current(), step); });
}

bool CAnimationSteps::DeleteFrame()
{
    return m_document.ChangeFrames(
        [](CFrameList& list, CFrameStep& step) { return CFrameStep::Delete(list, list.Current(), step); });
}

bool CAnimationSteps::MoveFrame(int index)
{
    return m_document.ChangeFrames(
        [index](CFrameList& list, CFrameStep& step) { return CFrameStep::Move(list, list.Current(), index, step); });
}

bool CAnimationSteps::SetFrameDuration(int ms)
{
    return m_document.ChangeFrames([ms](CFrameList& list, CFrameStep& step) {
        return CFrameStep::SetDuration(list, list.Current(), ms, step);
    });
}

bool CAnimationSteps::Replace(bool made, std::vector<SSignFrame>& frames)
{
    return made && m_document.ChangeFrames([&frames](CFrameList& list, CFrameStep& step) {
        return CFrameStep::Replace(list, std::move(frames), step);
    });
}

bool CAnimationSteps::Scroll(CFrameEffects::Direction direction, int speed, int panelWidth, int panelHeight,
                             QString& error)
{
    std::vector<SSignFrame> frames;
    const bool made = CFrameEffects::Scroll(m_document.Grid(), panelWidth, panelHeight, direction,
                                            CFrameEffects::DurationForSpeed(speed), frames, error);
    return Replace(made, frames);
}

bool CAnimationSteps::Blink(int ms, QString& error)
{
    std::vector<SSignFrame> frames;
    return Replace(CFrameEffects::Blink(m_document.Grid(), ms, frames, error), frames);
}

bool CAnimationSteps::Wipe(CFrameEffects::Direction direction, int speed, QString& error)
{
    std::vector<SSignFrame> frames;
    const bool made =
        CFrameEffects::Wipe(m_document.Grid(), direction, CFrameEffects::DurationForSpeed(speed), frames, error);
    return Replace(made, frames);
}

bool CAnimationSteps::SaveGif(const QString& path, int ledPitch, QString& error)
{
    return CGifWriter::Write(m_document.Frames(), path, error, ledPitch);
}

bool CAnimationSteps::SaveFrames(const QString& path, QString& error)
{
    int written = 0;
    return CFrameImages::Write(m_document.Frames(), path, written, error);
}

void CAnimationSteps::AskScroll(const CFrameDialogs& dialogs, CFrameEffects::Direction direction)
{
    if (!dialogs.askScroll)
        return;
    // The first time, the sign is the canvas as it is.
    CScrollRequest suggested = m_lastScroll;
    if (suggested.nPanelWidth <= 0) {
        suggested.nPanelWidth = m_document.Grid().Width();
        suggested.nPanelHeight = m_document.Grid().Height();
    }
    const std::optional<CScrollRequest> request = dialogs.askScroll(suggested);
    if (!request)
        return;
    m_lastScroll = *request;
    QString error;
    if (!Scroll(direction, request->nSpeed, request->nPanelWidth, request->nPanelHeight, error))
        dialogs.ShowMessage(error);
}

void CAnimationSteps::AskBlink(const CFrameDialogs& dialogs)
{
    const std::optional<int> ms =
        dialogs.askFrameNumber ? dialogs.askFrameNumber(EFrameNumber::BlinkMs, m_nLastBlinkMs) : std::nullopt;
    if (!ms)
        return;
    m_nLastBlinkMs = *ms;
    QString error;
    if (!Blink(*ms, error))
        dialogs.ShowMessage(error);
}

void CAnimationSteps::AskWipe(const CFrameDialogs& dialogs, CFrameEffects::Direction direction)
{
    const std::optional<int> speed =
        dialogs.askFrameNumber ? dialogs.askFrameNumber(EFrameNumber::WipeSpeed, m_nLastWipeSpeed) : std::nullopt;
    if (!speed)
        return;
    m_nLastWipeSpeed = *speed;
    QString error;
    if (!Wipe(direction, *speed, error))
        dialogs.ShowMessage(error);
}

void CAnimationSteps::AskFrameDuration(const CFrameDialogs& dialogs)
{
    const CFrameList& frames = m_document.Frames();
    const std::optional<int> ms = dialogs.askFrameNumber
                                      ? dialogs.askFrameNumber(EFrameNumber::FrameDurationMs, frames.Duration(frames.Current()))
                                      : std::nullopt;
    if (ms)
        SetFrameDuration(*ms);
}

void CAnimationSteps::AskSaveGif(const CFrameDialogs& dialogs)
{
    const QString path = dialogs.askSaveAnimationPath ? dialogs.askSaveAnimationPath(m_szGifPath) : QString();
    if (path.isEmpty())
        return;
    m_szGifPath = path;
    QString error;
    if (!SaveGif(path, 0, error))
        dialogs.ShowMessage(MessageText::English(MessageText::AnimationNotSaved, {error}));
}

void CAnimationSteps::AskSaveFrames(const CFrameDialogs& dialogs)
{
    const QString path = dialogs.askSaveFramesPath ? dialogs.askSaveFramesPath(m_szFramesPath) : QString();
    if (path.isEmpty())
        return;
    m_szFramesPath = path;
    QString error;
    if (!SaveFrames(path, error))
        dialogs.ShowMessage(error);
}

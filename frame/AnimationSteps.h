#pragma once

#include "animation/FrameEffects.h"
#include "base/FrameDialogs.h"

#include <QString>

class CCanvasDocument;
struct CFrameDialogs;

// The steps of the frame commands: choosing, adding, deleting, moving and
// timing frames, the effects that make frames from the current one, and the
// animation's export. The window's actions and batch mode both call these.
// Every change to the frames is one undo step.
class CAnimationSteps
{
public:
    explicit CAnimationSteps(CCanvasDocument& document);

    // False when there is no such frame (or it is current already).
    bool SelectFrame(int index);
    // The next (previous) frame, wrapping round; false with one frame.
    bool StepFrame(int delta);
    bool AddFrame();
    bool DuplicateFrame();
    // False for the only frame.
    bool DeleteFrame();
    // Moves the current frame to place index; false when it is there or
    // there is no such place.
    bool MoveFrame(int index);
    bool SetFrameDuration(int ms);
    // Each replaces the frames with those the effect makes of the current
    // one. False with a reason when there is nothing to animate or too much.
    bool Scroll(CFrameEffects::Direction direction, int speed, int panelWidth, int panelHeight, QString& error);
    bool Blink(int ms, QString& error);
    bool Wipe(CFrameEffects::Direction direction, int speed, QString& error);
    // ledPitch 0: one pixel a dot; otherwise round lamps that many pixels across.
    bool SaveGif(const QString& path, int ledPitch, QString& error);
    bool SaveFrames(const QString& path, QString& error);

    // The window's commands: ask through the dialog seam, then run the step;
    // a failure is told in one message. A cancelled dialog does nothing.
    void AskScroll(const CFrameDialogs& dialogs, CFrameEffects::Direction direction);
    void AskBlink(const CFrameDialogs& dialogs);
    void AskWipe(const CFrameDialogs& dialogs, CFrameEffects::Direction direction);
    void AskFrameDuration(const CFrameDialogs& dialogs);
    void AskSaveGif(const CFrameDialogs& dialogs);
    void AskSaveFrames(const CFrameDialogs& dialogs);

private:
    bool Replace(bool made, std::vector<SSignFrame>& frames);

    CCanvasDocument& m_document;
    // What the dialogs offer next time: the last answers.
    CScrollRequest m_lastScroll;
    int m_nLastWipeSpeed = CFrameEffects::kDefaultSpeed;
    int m_nLastBlinkMs = CFrameEffects::kDefaultBlinkMs;
    QString m_szGifPath;
    QString m_szFramesPath;
};

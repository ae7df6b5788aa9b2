#pragma once

#include <QWidget>

class CFrameList;
class CLedPreview;
class QLabel;
class QToolButton;

// The preview window: the sign as it will look, with buttons to play or
// pause and to step a frame back or forward, and which frame is showing.
// Space plays and pauses, the arrow keys step. Its texts follow the
// program's language (0 English, 1 Simplified Chinese, 2 Traditional Chinese).
class CPreviewWindow : public QWidget
{
    Q_OBJECT

public:
    explicit CPreviewWindow(QWidget* parent = nullptr);

    void SetFrames(const CFrameList* frames);
    void SetLanguage(int language);
    // The frames changed: shown again as they are now.
    void Refresh();
    CLedPreview& Preview() { return *m_pPreview; }

    // The window's texts in each language, for the menus' tests and the help.
    static QString Text(int id, int language);
    enum TextId { Title, Play, Pause, StepBack, StepForward, FrameOf };

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateTexts();

    CLedPreview* m_pPreview = nullptr;
    QToolButton* m_pPlay = nullptr;
    QToolButton* m_pBack = nullptr;
    QToolButton* m_pForward = nullptr;
    QLabel* m_pFrameLabel = nullptr;
    const CFrameList* m_pFrames = nullptr;
    int m_nLanguage = 0;
};

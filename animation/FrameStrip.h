#pragma once

#include <QListWidget>

class CFrameList;

// The strip of frame thumbnails under the canvas: each frame's dots with
// its number and duration, the current one selected. A click chooses the
// frame to edit. It is shown only while there is more than one frame.
class CFrameStrip : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int kThumbHeight = 32;
    static constexpr int kMaxThumbWidth = 128;

    explicit CFrameStrip(QWidget* parent = nullptr);

    void SetFrames(const CFrameList* frames);
    // Every thumbnail anew (frames added, deleted, moved, replaced).
    void Refresh();
    // The current frame's dots changed: only its thumbnail is drawn again.
    void RefreshCurrent();

signals:
    void FrameChosen(int index);

private:
    QIcon Thumbnail(int index) const;
    QString Caption(int index) const;

    const CFrameList* m_pFrames = nullptr;
    bool m_bFilling = false;
};

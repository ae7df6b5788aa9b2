#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class CFrameList;

// Shows a sign's frames as the sign will look: round dots with gaps on
// black, lit in the dot colours, unlit dots dark, every dot square so the
// sign keeps its aspect. It plays the frames at their durations and loops,
// or stands on one frame to be stepped through.
//
// Drawing is incremental: each dot colour is a prepared sprite, a new frame
// redraws only the dots that changed into a kept picture, and only their
// area is repainted.
class CLedPreview : public QWidget
{
    Q_OBJECT

public:
    explicit CLedPreview(QWidget* parent = nullptr);

    // The frames to show; they must outlive the preview or be replaced first.
    void SetFrames(const CFrameList* frames);
    // The frames changed (dots, count, size or durations): shows them again.
    void Refresh();

    void Play();
    void Pause();
    bool IsPlaying() const { return m_timer.isActive(); }
    void StepForward();
    void StepBack();
    void ShowFrame(int index);
    int ShownFrame() const { return m_nShown; }
    // Pixels from one dot centre to the next at the present size.
    int Pitch() const { return m_nPitch; }
    // The picture as last drawn, for tests.
    const QImage& Picture() const { return m_image; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void FrameShown(int index);
    void PlayingChanged(bool playing);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kSpriteCount = 8; // seven dot colours, then the unlit dot

    void Advance();
    void ScheduleNext();
    int Columns() const;
    int Rows() const;
    // Rebuilds sprites and picture for the present size and redraws every dot.
    void Layout();
    void MakeSprites();
    // Draws the shown frame's dots that differ from what is drawn.
    void DrawFrame(bool all);
    void PutSprite(int column, int row, int sprite);
    QPoint Origin() const;

    const CFrameList* m_pFrames = nullptr;
    int m_nShown = 0;
    int m_nPitch = 0;
    QSize m_dots;                      // columns and rows laid out
    QImage m_image;                    // the dots, m_nPitch pixels a dot
    uchar* m_pImageBits = nullptr;
    std::array<std::vector<QRgb>, kSpriteCount> m_aSprites;
    std::vector<std::uint8_t> m_abDrawn; // sprite drawn at each dot, row by row from the top
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_nDueMs = 0;               // when the shown frame's time is up, on m_clock
};

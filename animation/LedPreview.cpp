#include "animation/LedPreview.h"

#include "animation/FrameList.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

// Unlit dots glow faintly, as the dark lenses of a real sign do.
constexpr QRgb kUnlitColor = qRgb(38, 38, 38);
constexpr QRgb kBlack = qRgb(0, 0, 0);
// Playing more than this late, the preview starts its clock again rather
// than racing through frames to catch up.
constexpr qint64 kMaxLateMs = 250;

QRgb SpriteColor(int sprite)
{
    if (sprite >= kPaletteSize)
        return kUnlitColor;
    const COLORREF c = DotPalette[static_cast<std::size_t>(sprite)];
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

} // namespace

CLedPreview::CLedPreview(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CLedPreview::Advance);
}

QSize CLedPreview::sizeHint() const
{
    const int columns = std::max(1, Columns()), rows = std::max(1, Rows());
    // About 8 pixels a dot, within a comfortable window.
    const int pitch = std::clamp(std::min(1024 / columns, 512 / rows), 2, 12);
    return QSize(columns * pitch, rows * pitch);
}

QSize CLedPreview::minimumSizeHint() const
{
    return QSize(64, 32);
}

void CLedPreview::SetFrames(const CFrameList* frames)
{
    m_pFrames = frames;
    m_nShown = 0;
    Layout();
}

int CLedPreview::Columns() const
{
    return m_pFrames ? m_pFrames->Live().Width() : 0;
}

int CLedPreview::Rows() const
{
    return m_pFrames ? m_pFrames->Live().Height() : 0;
}

void CLedPreview::Refresh()
{
    if (!m_pFrames)
        return;
    m_nShown = std::clamp(m_nShown, 0, m_pFrames->Count() - 1);
    if (m_image.isNull() || m_dots != QSize(Columns(), Rows()))
        Layout();
    else
        DrawFrame(false);
}

void CLedPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Layout();
}

void CLedPreview::Layout()
{
    const int columns = Columns(), rows = Rows();
    m_dots = QSize(columns, rows);
    if (columns <= 0 || rows <= 0 || m_pFrames->Live().IsEmpty()) {
        m_image = QImage();
        m_abDrawn.clear();
        update();
        return;
    }
    m_nPitch = std::max(1, std::min(width() / columns, height() / rows));
    MakeSprites();
    m_image = QImage(columns * m_nPitch, rows * m_nPitch, QImage::Format_RGB32);
    m_abDrawn.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
    if (m_image.isNull())
        return;
    DrawFrame(true);
    update();
}

void CLedPreview::MakeSprites()
{
    const int pitch = m_nPitch;
    for (int sprite = 0; sprite < kSpriteCount; ++sprite) {
        QImage dot(pitch, pitch, QImage::Format_RGB32);
        dot.fill(kBlack);
        const QColor color = QColor::fromRgb(SpriteColor(sprite));
        if (pitch == 1) {
            dot.fill(color.rgb());
        } else if (pitch == 2) {
            // Too small for a round dot: one pixel and a one-pixel gap.
            dot.setPixel(0, 0, color.rgb());
        } else {
            // The gap between dots is a fifth of the pitch, at least a pixel.
            const qreal gap = std::max(1.0, pitch / 5.0);
            QPainter painter(&dot);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(color);
            painter.drawEllipse(QRectF(gap / 2, gap / 2, pitch - gap, pitch - gap));
        }
        auto& pixels = m_aSprites[static_cast<std::size_t>(sprite)];
        pixels.resize(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(pitch));
        for (int y = 0; y < pitch; ++y)
            std::memcpy(pixels.data() + static_cast<std::size_t>(y) * pitch, dot.constScanLine(y),
                        sizeof(QRgb) * static_cast<std::size_t>(pitch));
    }
}

void CLedPreview::PutSprite(int column, int row, int sprite)
{
    const QRgb* source = m_aSprites[static_cast<std::size_t>(sprite)].data();
    const std::size_t rowBytes = sizeof(QRgb) * static_cast<std::size_t>(m_nPitch);
    const qsizetype stride = m_image.bytesPerLine();
    uchar* target = m_pImageBits + stride * row * m_nPitch + rowBytes * column;
    for (int y = 0; y < m_nPitch; ++y, target += stride, source += m_nPitch)
        std::memcpy(target, source, rowBytes);
}

void CLedPreview::DrawFrame(bool all)
{
    if (!m_pFrames || m_image.isNull())
        return;
    const CDotGrid& grid = m_pFrames->Grid(m_nShown);
    const int columns = Columns(), rows = Rows();
    if (grid.Width() != columns || grid.Height() != rows || grid.IsEmpty())
        return;
    // Once a frame: writing through the pointer then never reaches a copy
    // someone took of the picture.
    m_pImageBits = m_image.bits();
    int left = columns, right = -1, top = rows, bottom = -1;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* dot = grid.Bits() + 3u * static_cast<std::size_t>(rows - 1 - y) * columns;
        std::uint8_t* drawn = m_abDrawn.data() + static_cast<std::size_t>(y) * columns;
        for (int x = 0; x < columns; ++x, dot += 3) {
            const auto sprite = static_cast<std::uint8_t>(PaletteIndexOf(MakeColor(dot[2], dot[1], dot[0])));
            if (!all && drawn[x] == sprite)
                continue;
            drawn[x] = sprite;
            PutSprite(x, y, sprite);
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right >= 0)
        update(QRect(Origin() + QPoint(left * m_nPitch, top * m_nPitch),
                     QSize((right - left + 1) * m_nPitch, (bottom - top + 1) * m_nPitch)));
}

QPoint CLedPreview::Origin() const
{
    return QPoint((width() - m_image.width()) / 2, (height() - m_image.height()) / 2);
}

void CLedPreview::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    if (m_image.isNull()) {
        painter.fillRect(exposed, Qt::black);
        return;
    }
    const QRect picture(Origin(), m_image.size());
    // Black around the dots, then the kept picture where it was exposed.
    const QRegion around = QRegion(exposed).subtracted(picture);
    for (const QRect& r : around)
        painter.fillRect(r, Qt::black);
    const QRect shown = exposed.intersected(picture);
    if (!shown.isEmpty())
        painter.drawImage(shown.topLeft(), m_image, shown.translated(-picture.topLeft()));
}

void CLedPreview::ShowFrame(int index)
{
    if (!m_pFrames)
        return;
    m_nShown = std::clamp(index, 0, m_pFrames->Count() - 1);
    DrawFrame(false);
    emit FrameShown(m_nShown);
}

void CLedPreview::Play()
{
    if (!m_pFrames || IsPlaying())
        return;
    m_clock.start();
    m_nDueMs = m_pFrames->Duration(m_nShown);
    m_timer.start(static_cast<int>(m_nDueMs));
    emit PlayingChanged(true);
}

void CLedPreview::Pause()
{
    if (!IsPlaying())
        return;
    m_timer.stop();
    emit PlayingChanged(false);
}

void CLedPreview::Advance()
{
    if (!m_pFrames)
        return;
    ShowFrame((m_nShown + 1) % m_pFrames->Count());
    ScheduleNext();
}

void CLedPreview::ScheduleNext()
{
    // Each frame's time is counted from when the last one was due, so the
    // time spent drawing does not add up into a slower play.
    const qint64 now = m_clock.elapsed();
    if (now - m_nDueMs > kMaxLateMs)
        m_nDueMs = now;
    m_nDueMs += m_pFrames->Duration(m_nShown);
    m_timer.start(static_cast<int>(std::max<qint64>(0, m_nDueMs - now)));
}

void CLedPreview::StepForward()
{
    if (!m_pFrames)
        return;
    Pause();
    ShowFrame((m_nShown + 1) % m_pFrames->Count());
}

void CLedPreview::StepBack()
{
    if (!m_pFrames)
        return;
    Pause();
    ShowFrame((m_nShown + m_pFrames->Count() - 1) % m_pFrames->Count());
}

// Draws the README's pictures of the main window: a text-mode canvas with
// two merged Chinese characters, an image-mode picture with an overlay, a
// two-colour message centred on a 128 x 16 panel;
// and a colourful test picture opened in the three ways of Picture Colors.
// Usage: docshots OUTPUT_FOLDER
#include "base/GridImage.h"
#include "canvas/ImageView.h"
#include "dotdata/PictureImport.h"
#include "frame/MainFrame.h"
#include "textinput/InputTextView.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QTextEdit>

namespace {

void Type(CInputTextView& pane, const QString& text)
{
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QCoreApplication::sendEvent(pane.RichEdit(), &typed);
}

void Save(CMainFrame& frame, const QString& path)
{
    QCoreApplication::processEvents();
    frame.grab().save(path);
}

// A small photo-like picture: a hue sweep from white at the top to black at
// the bottom, a sun, a ring, a word and a grey ramp, all anti-aliased.
QImage TestPicture()
{
    QImage image(80, 60, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient hues(0, 0, 80, 0);
    for (int i = 0; i <= 6; ++i)
        hues.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
    p.fillRect(image.rect(), hues);
    QLinearGradient shade(0, 0, 0, 52);
    shade.setColorAt(0, QColor(255, 255, 255, 230));
    shade.setColorAt(0.45, QColor(255, 255, 255, 0));
    shade.setColorAt(0.55, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 255));
    p.fillRect(image.rect(), shade);
    QRadialGradient sun(62, 15, 11);
    sun.setColorAt(0, QColor(255, 250, 200));
    sun.setColorAt(0.6, QColor(255, 190, 40));
    sun.setColorAt(1, QColor(255, 120, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(62, 15), 11, 11);
    p.setPen(QPen(QColor(230, 30, 60), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 18), 10, 10);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(15);
    QPainterPath word;
    word.addText(24, 42, font, QStringLiteral("LED"));
    p.setPen(QPen(QColor(20, 20, 60), 1));
    p.setBrush(QColor(120, 200, 255));
    p.drawPath(word);
    QLinearGradient greys(0, 0, 80, 0);
    greys.setColorAt(0, Qt::black);
    greys.setColorAt(1, Qt::white);
    p.fillRect(QRect(0, 52, 80, 8), greys);
    return image;
}

// Each dot as a square with a dark gap around it, as on a sign.
QImage AsDots(const QImage& dots, int pitch)
{
    QImage shown(dots.width() * pitch, dots.height() * pitch, QImage::Format_RGB32);
    shown.fill(QColor(48, 48, 48));
    QPainter p(&shown);
    for (int y = 0; y < dots.height(); ++y)
        for (int x = 0; x < dots.width(); ++x)
            p.fillRect(x * pitch, y * pitch, pitch - 1, pitch - 1, QColor(dots.pixel(x, y)));
    return shown;
}

// The test picture as a JPEG file, then opened the three ways on a black
// background, side by side with the picture itself.
void SavePictureColors(const QString& path)
{
    QTemporaryDir scratch;
    const QString jpeg = scratch.filePath(QStringLiteral("test.jpg"));
    const QImage picture = TestPicture();
    picture.save(jpeg, "JPEG", 90);

    constexpr int kPitch = 4;
    constexpr int kMargin = 16;
    constexpr int kLabel = 28;
    const QSize panel = picture.size() * kPitch;
    const std::array<const char*, 4> labels = {"Picture (JPEG)", "Exact Colors", "Nearest Color", "Dithered"};
    QImage sheet(kMargin + 4 * (panel.width() + kMargin), kMargin + panel.height() + kLabel, QImage::Format_RGB32);
    sheet.fill(QColor(32, 32, 32));
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(QColor(230, 230, 230));
    for (int i = 0; i < 4; ++i) {
        const QPoint at(kMargin + i * (panel.width() + kMargin), kMargin);
        if (i == 0) {
            p.drawImage(at, picture.scaled(panel));
        } else {
            CDotGrid grid;
            grid.Create(8, 8, ImageMode);
            CPictureImport::Import(jpeg, grid, i - 1);
            p.drawImage(at, AsDots(GridToImage(grid), kPitch));
        }
        p.drawText(QRect(at.x(), at.y() + panel.height(), panel.width(), kLabel), Qt::AlignCenter,
                   QString::fromLatin1(labels[static_cast<std::size_t>(i)]));
    }
    p.end();
    sheet.save(path);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir settings;
    CMainFrame frame(settings.filePath(QStringLiteral("option.ini")), false);
    frame.resize(900, 600);
    frame.show();
    CImageView& canvas = *frame.Canvas();
    CInputTextView& pane = *frame.InputPane();

    canvas.NewCanvas(32, 16, 0);
    pane.SetInputMode(0);
    LogFont font = pane.CurrentFont();
    font.lfFaceName = QStringLiteral("WenQuanYi Zen Hei");
    font.lfHeight = 16;
    pane.ApplyFont(font);
    pane.SelectColor(0);
    Type(pane, QStringLiteral("你"));
    pane.SelectColor(3);
    Type(pane, QStringLiteral("好"));
    pane.OnMergeText();
    canvas.ZoomIn();
    canvas.ZoomIn();
    Save(frame, out.filePath(QStringLiteral("text-mode.png")));

    canvas.NewCanvas(64, 32, 1);
    pane.SetInputMode(1);
    for (int i = 0; i < 64; ++i) {
        canvas.Grid().SetDot(i, 0, DotPalette[static_cast<std::size_t>(i / 8 % 7)]);
        canvas.Grid().SetDot(i, 31, DotPalette[static_cast<std::size_t>(i / 8 % 7)]);
    }
    font.lfFaceName = QStringLiteral("DejaVu Sans");
    font.lfHeight = 14;
    pane.ApplyFont(font);
    pane.RichEdit()->clear();
    pane.SelectColor(6);
    Type(pane, QStringLiteral("SALE"));
    pane.SetOverlayPosition(12, 8);
    Save(frame, out.filePath(QStringLiteral("image-mode.png")));

    // A two-colour greeting centred on a 128 x 16 panel.
    canvas.NewCanvas(128, 16, 1);
    pane.SetInputMode(1);
    font.lfFaceName = QStringLiteral("WenQuanYi Zen Hei");
    font.lfHeight = 16;
    pane.ApplyFont(font);
    pane.RichEdit()->clear();
    pane.SelectColor(0);
    Type(pane, QString::fromUtf8("欢迎光临 "));
    pane.SelectColor(1);
    Type(pane, QStringLiteral("Welcome"));
    SSignLayoutOptions centred;
    centred.nAlignH = SSignLayoutOptions::AlignCentre;
    centred.nAlignV = SSignLayoutOptions::AlignCentre;
    pane.SetLayoutOptions(centred);
    pane.SetOverlayPosition(0, 0);
    // The whole panel in the window.
    while (canvas.DotSize() * 128 > canvas.viewport()->width() - 16 && canvas.DotSize() > 1)
        canvas.ZoomOut();
    Save(frame, out.filePath(QStringLiteral("sign-layout.png")));

    SavePictureColors(out.filePath(QStringLiteral("picture-colors.png")));
    return 0;
}

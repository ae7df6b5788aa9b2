#include "dialogs/AboutDlg.h"

#include "base/FixedChineseTexts.h"
#include "base/ProductTitle.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

// The plain layout, used when there is no picture: 235 x 55 dialog units with
// the OK button at (178, 34), 50 x 14, at 1.5 pixels per unit.
constexpr QSize kPlainSize(352, 82);
constexpr QRect kPlainOkRect(267, 51, 75, 21);

// Around the picture: the button 60 x 24 at (w - 70, h + 2); the client area
// takes the picture plus a one-pixel margin beside it and the button row.
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 24;
constexpr int kSideMargin = 2;
constexpr int kButtonRow = 28;
// The outer size the box is centred with, frame included.
constexpr int kFrameWidth = 4;
constexpr int kFrameHeight = 52;

} // namespace

void CAboutDlg::ShowAbout(QWidget* parent)
{
    CAboutDlg box(parent);
    box.exec();
}

CAboutDlg::CAboutDlg(QWidget* parent, int pictureId)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QString::fromUtf8(FixedChinese::kAboutPrefix) + ProductTitle());
    m_pOkButton = new QPushButton(QStringLiteral("OK"), this);
    m_pOkButton->setDefault(true);
    connect(m_pOkButton, &QPushButton::clicked, this, &QDialog::accept);

    if (!m_picture.LoadFromResource(pictureId)) {
        setFixedSize(kPlainSize);
        m_pOkButton->setGeometry(kPlainOkRect);
        return;
    }
    LayOutAroundPicture(m_picture.GetImageSize());
}

void CAboutDlg::LayOutAroundPicture(QSize picture)
{
    const int w = picture.width();
    const int h = picture.height();
    setFixedSize(w + kSideMargin, h + kButtonRow);
    m_pOkButton->setGeometry(w - 70, h + 2, kButtonWidth, kButtonHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - (w + kFrameWidth)) / 2,
             area.top() + (area.height() - (h + kFrameHeight)) / 2);
    }
}

void CAboutDlg::paintEvent(QPaintEvent*)
{
    if (!m_picture.IsLoaded())
        return;
    const QSize size = m_picture.GetImageSize();
    QPainter painter(this);
    // The picture's rectangle runs from x 1 to x w, squeezing it by one column.
    m_picture.Render(painter, QRect(1, 0, size.width() - 1, size.height()));
}

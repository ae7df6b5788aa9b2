#include "frame/HelpWindow.h"

#include "base/ProductTitle.h"

#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr QSize kInitialSize(720, 640);
}

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBrowser);
    resize(kInitialSize);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, &CHelpWindow::UpdateTitle);
    UpdateTitle();
}

void CHelpWindow::ShowPage(const QString& path)
{
    m_pBrowser->setSource(QUrl::fromLocalFile(path));
    if (!isVisible())
        PlaceOnScreen();
    show();
    raise();
    activateWindow();
}

void CHelpWindow::UpdateTitle()
{
    // The pages' titles name the product; a page without one gets it all the same.
    const QString title = m_pBrowser->documentTitle();
    setWindowTitle(title.contains(ProductTitle()) ? title : ProductTitle());
}

QRect CHelpWindow::FitInto(const QRect& wanted, const QRect& available)
{
    QRect placed(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    // Moved back inside from whichever side it sticks out, right and bottom first
    // so that the top-left corner, with the title bar, wins.
    if (placed.right() > available.right())
        placed.moveRight(available.right());
    if (placed.bottom() > available.bottom())
        placed.moveBottom(available.bottom());
    if (placed.left() < available.left())
        placed.moveLeft(available.left());
    if (placed.top() < available.top())
        placed.moveTop(available.top());
    return placed;
}

void CHelpWindow::PlaceOnScreen()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? owner->screen() : this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // Over the middle of the main window, whole on the screen; the window
    // frame is allowed for, as the placement is of the inside.
    const QMargins frame(8, 32, 8, 8);
    QRect wanted(QPoint(), kInitialSize.grownBy(frame));
    wanted.moveCenter(owner ? owner->frameGeometry().center() : available.center());
    setGeometry(FitInto(wanted, available).marginsRemoved(frame));
}

#include "frame/HelpWindow.h"

#include "base/ProductTitle.h"

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
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, &CHelpWindow::UpdateTitle);
    UpdateTitle();
}

void CHelpWindow::ShowPage(const QString& path)
{
    m_pBrowser->setSource(QUrl::fromLocalFile(path));
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

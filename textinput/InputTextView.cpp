#include "textinput/InputTextView.h"

#include <QTextEdit>
#include <QVBoxLayout>

CInputTextView::CInputTextView(QWidget* parent)
    : QWidget(parent)
    , m_richEdit(new QTextEdit(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_richEdit);
    m_richEdit->setStyleSheet(QStringLiteral("QTextEdit { background: black; color: white; }"));
    m_richEdit->setTextColor(Qt::white);
}

#pragma once

#include <QWidget>

class QTextEdit;

// The text input pane below the canvas: the text that becomes dots.
class CInputTextView : public QWidget
{
    Q_OBJECT

public:
    explicit CInputTextView(QWidget* parent = nullptr);

    QTextEdit* RichEdit() const { return m_richEdit; }

private:
    QTextEdit* m_richEdit = nullptr;
};

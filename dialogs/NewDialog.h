#pragma once

#include "base/CanvasMode.h"

#include <QDialog>

#include <functional>

class QAbstractSpinBox;
class QRadioButton;

// Asks for the size and mode of a new canvas. The size is corrected to the
// canvas rules on OK; a corrected size is accepted only after the user agrees.
class CNewDialog : public QDialog
{
    Q_OBJECT

public:

    // Asks a Yes/No question (caption, text); returns true for Yes.
    using Question = std::function<bool(const QString& caption, const QString& text)>;

    explicit CNewDialog(QWidget* parent = nullptr);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int Mode() const { return m_nMode; }

    void SetQuestion(Question question) { m_fnAsk = std::move(question); }

    static QString CorrectionQuestion(int width, int height, int correctedWidth, int correctedHeight);

    // The controls, for the frame's keyboard handling and for tests.
    QAbstractSpinBox* WidthBox() const { return m_spinWidth; }
    QAbstractSpinBox* HeightBox() const { return m_spinHeight; }
    QRadioButton* ImageModeButton() const { return m_radioImage; }

public slots:
    void OnOK();

private:
    static bool AskWithMessageBox(QWidget* parent, const QString& caption, const QString& text);

    int m_nWidth = 16;
    int m_nHeight = 16;
    int m_nMode = 0;
    QAbstractSpinBox* m_spinWidth = nullptr;
    QAbstractSpinBox* m_spinHeight = nullptr;
    QRadioButton* m_radioText = nullptr;
    QRadioButton* m_radioImage = nullptr;
    Question m_fnAsk;
};

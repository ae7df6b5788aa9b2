#pragma once

#include "base/ExportOptions.h"
#include "dotdata/ExportRegistry.h"

#include <QDialog>

class CDotGrid;
class CExportDotView;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;

// File > Export: the form of the file and how dots become bytes, with a
// live preview of the first lines the file will hold and of the dots of the
// byte under the mouse on a small picture of the canvas. The dialog only
// chooses; the frame then asks for the file name.
class CExportDialog : public QDialog
{
    Q_OBJECT

public:
    // language: 0 English, 1 Simplified, 2 Traditional Chinese.
    CExportDialog(const CDotGrid& grid, int language, QWidget* parent = nullptr);
    ~CExportDialog() override;

    // The request's extension picks the form (C array when it names none
    // of the dialog's), its options fill the controls.
    void SetRequest(const SExportRequest& request);
    // The path given to SetRequest with the chosen form's extension, and the
    // options of the controls.
    SExportRequest Request() const;
    // The extension of the chosen form, without the dot, and its file
    // dialog filter, such as "C array (*.h)". The forms are the export
    // registry's: the controller forms, then the PNG picture.
    QString Extension() const;
    QString Filter() const;

    // What the preview shows, for tests: the text, the line about the byte
    // under the mouse, and whether OK can be pressed.
    QString PreviewText() const;
    QString ByteText() const;
    bool CanAccept() const;
    CExportDotView* DotView() const { return m_pDots; }

    static constexpr int kPreviewLines = 16;

private:
    void BuildControls();
    void UpdatePreview();
    void ShowByte(qint64 index);
    SExportOptions Options() const;
    QString Text(int id) const;
    const SExportChoice& Choice() const;
    QString FormFilter(const SExportChoice& choice) const;

    const CDotGrid& m_grid;
    int m_nLanguage;
    std::vector<SExportChoice> m_choices;
    QString m_szPath;
    QByteArray m_abBytes; // the bytes of the options shown, for the byte line
    QComboBox* m_pFormat = nullptr;
    QComboBox* m_pScan = nullptr;
    QComboBox* m_pBitOrder = nullptr;
    QCheckBox* m_pModules = nullptr;
    QSpinBox* m_pModuleWidth = nullptr;
    QSpinBox* m_pModuleHeight = nullptr;
    QComboBox* m_pModuleOrder = nullptr;
    QCheckBox* m_pSerpentine = nullptr;
    QCheckBox* m_pInvert = nullptr;
    QComboBox* m_pPlanes = nullptr;
    QPlainTextEdit* m_pPreview = nullptr;
    QLabel* m_pByteLine = nullptr;
    CExportDotView* m_pDots = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
};

#include "dialogs/PictureDialogs.h"

#include "base/ProductTitle.h"

#include <QFileDialog>
#include <QMessageBox>

QString CPictureDialogs::AskSaveImagePath(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QStringLiteral("保存文件"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt separates patterns with spaces, so the JPG patterns are listed that way.
    dialog.setNameFilters({QStringLiteral("BMP (*.bmp)"), QStringLiteral("JPG (*.jpg *.jpeg *.jpe)")});
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

void CPictureDialogs::ShowPictureError(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, ProductTitle(), text);
}

#include "dotdata/SaveDot.h"

#include "base/ProductTitle.h"
#include "dotdata/DotFile.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

CSaveDot::CSaveDot()
    : m_fnAskFileName(&CSaveDot::AskWithDialog)
    , m_fnShowMessage(&CSaveDot::ShowMessageBox)
{
}

bool CSaveDot::Save(QWidget* parent, const QString& paneText, QString& path) const
{
    const QString chosen = m_fnAskFileName(parent, path);
    if (chosen.isEmpty())
        return false;
    path = chosen;
    if (CDotFile::Write(chosen, CDotFile::Bytes(paneText)))
        return true;
    m_fnShowMessage(parent, FailureMessage(chosen));
    return false;
}

QString CSaveDot::FailureMessage(const QString& path)
{
    return QStringLiteral("The file %1 could not be saved.").arg(QDir::toNativeSeparators(path));
}

QString CSaveDot::AskWithDialog(QWidget* parent, const QString& prefill)
{
    QFileDialog dialog(parent, QStringLiteral("保存文件"), prefill, QStringLiteral("TXT (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void CSaveDot::ShowMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, ProductTitle(), text);
}

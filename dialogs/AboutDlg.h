#pragma once

#include "dialogs/LoadedPicture.h"

#include <QDialog>

class QPushButton;

// Help > About: the start-up picture in a small modal box with an OK button
// below its right end. Without the picture the box keeps its plain layout:
// caption and OK button only.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    // Opens the box modally; each opening loads its own copy of the picture.
    static void ShowAbout(QWidget* parent);

    explicit CAboutDlg(QWidget* parent = nullptr, int pictureId = CLoadedPicture::kSplashPictureId);

    bool HasPicture() const { return m_picture.IsLoaded(); }
    QPushButton* OkButton() const { return m_pOkButton; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void LayOutAroundPicture(QSize picture);

    CLoadedPicture m_picture;
    QPushButton* m_pOkButton = nullptr;
};

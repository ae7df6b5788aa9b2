#include "animation/PreviewWindow.h"

#include "animation/FrameList.h"
#include "animation/LedPreview.h"
#include "base/TriText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<STriText, 6> kTexts = {{
    {"Sign Preview", "显示屏预览", "顯示屏預覽"},
    {"Play", "播放", "播放"},
    {"Pause", "暂停", "暫停"},
    {"Previous Frame", "上一帧", "上一幀"},
    {"Next Frame", "下一帧", "下一幀"},
    {"Frame %1 of %2, %3 ms", "第 %1 帧，共 %2 帧，%3 毫秒", "第 %1 幀，共 %2 幀，%3 毫秒"},
}};
static_assert(AllComplete(kTexts));

} // namespace

QString CPreviewWindow::Text(int id, int language)
{
    const auto row = static_cast<std::size_t>(std::clamp(id, 0, static_cast<int>(kTexts.size()) - 1));
    return kTexts[row].Pick(language);
}

CPreviewWindow::CPreviewWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    m_pPreview = new CLedPreview(this);
    m_pPlay = new QToolButton(this);
    m_pBack = new QToolButton(this);
    m_pForward = new QToolButton(this);
    m_pFrameLabel = new QLabel(this);
    m_pBack->setArrowType(Qt::LeftArrow);
    m_pForward->setArrowType(Qt::RightArrow);
    for (QToolButton* button : {m_pPlay, m_pBack, m_pForward})
        button->setFocusPolicy(Qt::NoFocus);

    auto* controls = new QHBoxLayout;
    controls->addWidget(m_pBack);
    controls->addWidget(m_pPlay);
    controls->addWidget(m_pForward);
    controls->addSpacing(12);
    controls->addWidget(m_pFrameLabel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(m_pPreview, 1);
    layout->addLayout(controls);
    controls->setContentsMargins(6, 0, 6, 0);

    connect(m_pPlay, &QToolButton::clicked, this,
            [this] { m_pPreview->IsPlaying() ? m_pPreview->Pause() : m_pPreview->Play(); });
    connect(m_pBack, &QToolButton::clicked, m_pPreview, &CLedPreview::StepBack);
    connect(m_pForward, &QToolButton::clicked, m_pPreview, &CLedPreview::StepForward);
    connect(m_pPreview, &CLedPreview::FrameShown, this, &CPreviewWindow::UpdateTexts);
    connect(m_pPreview, &CLedPreview::PlayingChanged, this, &CPreviewWindow::UpdateTexts);
    setFocusPolicy(Qt::StrongFocus);
    UpdateTexts();
}

void CPreviewWindow::SetFrames(const CFrameList* frames)
{
    m_pFrames = frames;
    m_pPreview->SetFrames(frames);
    UpdateTexts();
}

void CPreviewWindow::SetLanguage(int language)
{
    m_nLanguage = language;
    UpdateTexts();
}

void CPreviewWindow::Refresh()
{
    m_pPreview->Refresh();
    UpdateTexts();
}

void CPreviewWindow::UpdateTexts()
{
    setWindowTitle(Text(Title, m_nLanguage));
    m_pPlay->setText(Text(m_pPreview->IsPlaying() ? Pause : Play, m_nLanguage));
    m_pBack->setToolTip(Text(StepBack, m_nLanguage));
    m_pForward->setToolTip(Text(StepForward, m_nLanguage));
    if (!m_pFrames) {
        m_pFrameLabel->clear();
        return;
    }
    const int shown = m_pPreview->ShownFrame();
    m_pFrameLabel->setText(Text(FrameOf, m_nLanguage)
                               .arg(shown + 1)
                               .arg(m_pFrames->Count())
                               .arg(m_pFrames->Duration(shown)));
}

void CPreviewWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space: m_pPlay->click(); break;
    case Qt::Key_Left: m_pPreview->StepBack(); break;
    case Qt::Key_Right: m_pPreview->StepForward(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

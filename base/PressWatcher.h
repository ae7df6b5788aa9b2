#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

// Calls back when a mouse button goes down on any object it watches, without
// taking the event. A pane installs it on its own widgets to learn that the
// user has clicked into it, whichever inner part got the click.
class CPressWatcher : public QObject
{
public:
    CPressWatcher(std::function<void()> pressed, QObject* parent)
        : QObject(parent)
        , m_fnPressed(std::move(pressed))
    {
    }

    // Watches root and everything inside it now.
    template <typename Root>
    void WatchTree(Root* root)
    {
        root->installEventFilter(this);
        for (QObject* child : root->template findChildren<QObject*>())
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            m_fnPressed();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_fnPressed;
};

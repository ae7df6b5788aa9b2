#pragma once

// Drives modal windows from a test: answers run on each window as it comes up.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Runs each answer in turn on the modal windows ask brings up, once each is
// up. A box an answer left open (a failed check returns early) and any box
// beyond the answers are closed, so no test hangs.
template <class Ask>
auto AnsweringEach(const std::vector<std::function<void(QWidget*)>>& answers, Ask ask)
{
    std::size_t next = 0;
    const QWidget* last = nullptr;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box == last)
            return;
        last = box;
        if (next == answers.size())
            ADD_FAILURE() << "an unexpected window: " << box->metaObject()->className();
        else
            answers[next++](box);
        if (box->isVisible())
            box->close();
    });
    poll.start();
    auto result = ask();
    poll.stop();
    EXPECT_EQ(next, answers.size());
    return result;
}

template <class Ask>
auto Answering(const std::function<void(QWidget*)>& answer, Ask ask)
{
    return AnsweringEach({answer}, ask);
}

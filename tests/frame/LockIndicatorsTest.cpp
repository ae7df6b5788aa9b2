// The lock lights come from the X server's keyboard state, ahead of the LED
// files, when the program runs on an X display (checked against a private
// Xvfb server; skipped where none is installed).
#include "frame/LockIndicators.h"

#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#ifdef PELLMARK_HAVE_XKB
#include <X11/XKBlib.h>

namespace {

// An Xvfb server on a display number it picks itself, closed at the end.
class CPrivateXServer
{
public:
    CPrivateXServer()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return;
        // -displayfd 1: the server writes its display number to standard output when ready.
        m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                              QStringLiteral("320x200x24")});
        if (!m_server.waitForStarted(5000))
            return;
        QByteArray number;
        for (int i = 0; i < 100 && !number.contains('\n') && m_server.state() == QProcess::Running; ++i) {
            m_server.waitForReadyRead(100);
            number += m_server.readAllStandardOutput();
        }
        if (number.trimmed().isEmpty())
            return;
        m_pDisplay = XOpenDisplay((":" + number.trimmed()).constData());
    }
    ~CPrivateXServer()
    {
        if (m_pDisplay)
            XCloseDisplay(m_pDisplay);
        m_server.kill();
        m_server.waitForFinished(5000);
    }
    Display* display() const { return m_pDisplay; }

private:
    QProcess m_server;
    Display* m_pDisplay = nullptr;
};

} // namespace

TEST(LockIndicators, TheXServersKeyboardStateComesBeforeTheLedFiles)
{
    CPrivateXServer server;
    if (!server.display())
        GTEST_SKIP() << "no Xvfb server";
    Display* display = server.display();
    // LED files that claim every lock is on: the server's state wins.
    CScratchDir leds;
    for (const char* name : {"input3::capslock", "input3::numlock", "input3::scrolllock"}) {
        QDir(leds.Path()).mkpath(QString::fromLatin1(name));
        WriteAll(leds.FilePath(QString::fromLatin1(name) + QStringLiteral("/brightness")), "1\n");
    }
    const CLockIndicators locks(leds.Path(), display);
    EXPECT_FALSE(locks.IsOn(CLockIndicators::CapsLock));
    EXPECT_FALSE(locks.IsOn(CLockIndicators::ScrollLock));

    XkbLockModifiers(display, XkbUseCoreKbd, LockMask, LockMask);
    XSync(display, False);
    EXPECT_TRUE(locks.IsOn(CLockIndicators::CapsLock));
    EXPECT_FALSE(locks.IsOn(CLockIndicators::ScrollLock));
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask, 0);
    XSync(display, False);
    EXPECT_FALSE(locks.IsOn(CLockIndicators::CapsLock));
    // Without a display the files answer.
    EXPECT_TRUE(CLockIndicators(leds.Path(), nullptr).IsOn(CLockIndicators::CapsLock));
}
#endif

// Without an X display the LED files answer: any keyboard with the light on
// counts, a dark or unreadable light does not, each lock on its own.
TEST(LockIndicators, TheLedFilesOfAnyKeyboardTellEachLock)
{
    CScratchDir leds;
    const struct
    {
        const char* name;
        const char* brightness;
    } files[] = {{"input3::capslock", "0\n"}, {"input5::capslock", "1\n"}, {"input3::numlock", "0\n"},
                 {"input5::numlock", "x"},     {"input3::scrolllock", "2\n"}};
    for (const auto& f : files) {
        ASSERT_TRUE(QDir(leds.Path()).mkpath(QString::fromLatin1(f.name)));
        ASSERT_TRUE(WriteAll(leds.FilePath(QString::fromLatin1(f.name) + QStringLiteral("/brightness")), f.brightness));
    }
    // A light without a brightness file says nothing.
    ASSERT_TRUE(QDir(leds.Path()).mkpath(QStringLiteral("input7::numlock")));
    const CLockIndicators locks(leds.Path(), nullptr);
    EXPECT_TRUE(locks.IsOn(CLockIndicators::CapsLock));
    EXPECT_FALSE(locks.IsOn(CLockIndicators::NumLock));
    EXPECT_TRUE(locks.IsOn(CLockIndicators::ScrollLock));

    // Every light dark, or no folder at all: every lock off.
    WriteAll(leds.FilePath(QStringLiteral("input5::capslock/brightness")), "0\n");
    WriteAll(leds.FilePath(QStringLiteral("input3::scrolllock/brightness")), "0");
    EXPECT_FALSE(locks.IsOn(CLockIndicators::CapsLock));
    EXPECT_FALSE(locks.IsOn(CLockIndicators::ScrollLock));
    const CLockIndicators none(leds.FilePath(QStringLiteral("missing")), nullptr);
    for (const auto lock : {CLockIndicators::CapsLock, CLockIndicators::NumLock, CLockIndicators::ScrollLock})
        EXPECT_FALSE(none.IsOn(lock)) << lock;
}

#include "app/BatchCommandLine.h"
#include "app/BatchRunner.h"
#include "app/TessikApp.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

// Options on the command line make a batch run: no window and no display,
// the steps run in order, and the exit status tells how it went.
int RunBatch(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries only our own one-line messages.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg)
            std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    });
    QApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The application has taken its own options out of argv, so what is
    // left lines up with arguments().
    QList<QByteArray> raw;
    for (int i = 1; i < argc; ++i)
        raw << QByteArray(argv[i]);
    CBatchCommandLine commandLine;
    if (!commandLine.Parse(QCoreApplication::arguments().mid(1), raw)) {
        err << commandLine.Error() << Qt::endl;
        return 2;
    }
    CBatchRunner runner(out, err);
    return runner.Run(commandLine.Steps());
}

QStringList RawArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// While the window's application starts, a display that cannot be reached
// ends the program with one line and status 1 instead of an abort; the
// platform's own lines about it are left out.
void NoDisplayHandler(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg)
        return;
    std::fputs("pellmark: cannot open the display; options run without one (see pellmark --help)\n", stderr);
    std::_Exit(1);
}

} // namespace

int main(int argc, char** argv)
{
    if (CBatchCommandLine::IsBatch(RawArguments(argc, argv)))
        return RunBatch(argc, argv);

    const QtMessageHandler previous = qInstallMessageHandler(NoDisplayHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    CTessikApp app;
    if (!app.InitInstance(QCoreApplication::arguments()))
        return 1;
    return QApplication::exec();
}

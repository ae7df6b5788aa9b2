#include "app/TessikApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CTessikApp app;
    if (!app.InitInstance(QCoreApplication::arguments()))
        return 1;
    return QApplication::exec();
}

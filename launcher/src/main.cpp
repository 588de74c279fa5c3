#include "appdelegate.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    quenbylauncher::AppDelegate delegate;
    QObject::connect(
        &delegate, &quenbylauncher::AppDelegate::terminationRequested, &application,
        [](int exitCode) { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        &delegate, &quenbylauncher::AppDelegate::applicationDidFinishLaunching, Qt::QueuedConnection);
    return application.exec();
}

#include "app/vellicorapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QCoreApplication::setOrganizationName("Quintal");
    QCoreApplication::setApplicationName("Vellicor");
    QStringList files = QCoreApplication::arguments();
    files.removeFirst();

    vellicor::CVellicorApp app;
    if (!app.InitInstance(files, vellicor::CVellicorApp::Splash::Show))
        return 1;
    return qapp.exec();
}

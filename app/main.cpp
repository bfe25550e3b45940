#include "fixturesoftwareupdater.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName("Software Updater");
    QCoreApplication::setOrganizationName("Tamsenholt Engineering");
    QCoreApplication::setOrganizationDomain("Tamsenholt Engineering");
    QCoreApplication::setApplicationVersion("1.0.1");
    QCoreApplication::addLibraryPath("./dll");

    fixtureSoftwareUpdater window(nullptr);
    window.show();
    return QApplication::exec();
}

#include "busprobe.h"
#include "commandline.h"
#include "fixturesoftwareupdater.h"
#include "programidentity.h"
#include "programtranslation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (commandLine::isWanted(argc, argv))
        return commandLine::run(argc, argv, systemInterfacePorts);

    // Qt's accessibility bridge and its menus connect to the session bus while the window is
    // made, and each of their calls would wait 25 s on a bus that accepts and never answers. Such
    // a bus, or none, is hidden from them behind an address that libdbus refuses at once, rather
    // than one it would start a bus of its own for.
    if (!busAnswersNow(QDBusConnection::SessionBus))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QApplication application(argc, argv);
    programIdentity::apply();
    const programTranslation translation(programTranslation::languagesOfEnvironment());
    QCoreApplication::addLibraryPath("./dll");

    fixtureSoftwareUpdater window(nullptr);
    window.show();
    // A file named when starting, as the desktop entry does, is chosen as in the file dialog.
    const QStringList files = QCoreApplication::arguments().mid(1);
    if (!files.isEmpty())
        window.chooseUpdateFile(files.first());
    return QApplication::exec();
}

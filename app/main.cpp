#include "commandline.h"
#include "fixturesoftwareupdater.h"
#include "programidentity.h"
#include "programtranslation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (commandLine::isWanted(argc, argv))
        return commandLine::run(argc, argv, systemInterfacePorts);

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

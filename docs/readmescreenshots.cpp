// Renders the README's pictures of the window: a chosen update file, an update under way and an
// error message, with a pseudo-terminal standing in for the interface box.
#include "fixturesoftwareupdater.h"
#include "pseudoterminal.h"
#include "technician.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

void save(QWidget *widget, const QString &path)
{
    if (!widget->grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    qInfo("%s", qPrintable(path));
}

template <typename Condition> void waitFor(Condition condition, const char *what)
{
    if (!QTest::qWaitFor(condition, 20000))
        qFatal("timed out waiting for %s", what);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QString out = application.arguments().value(1, ".");
    QTemporaryDir directory;
    QFile file(directory.filePath("moving-head-2.3.dmx"));
    file.open(QIODevice::WriteOnly);
    file.write("#moving head\n#Tamsenholt\n#Beam 330\n#v2.3.0\n");
    file.write(QByteArray("1000 01 02 03 04 05 06 07 08\n").repeated(200));
    file.close();

    pseudoTerminal interfaceBox(false);
    QList<interfacePort> ports{{interfaceBox.portName(), "CP2102", "Silicon Labs", "0001"}};
    fixtureSoftwareUpdater window(nullptr, [&] { return ports; });
    window.show();
    auto user = std::make_unique<technician>();
    user->willChoose(file.fileName());
    window.findChild<QPushButton *>("selectFileButton")->click();
    auto *duration = window.findChild<QLabel *>("durationLabel");
    waitFor([duration] { return !duration->text().isEmpty(); }, "the duration");
    save(&window, out + "/window-file-chosen.png");

    window.findChild<QPushButton *>("updateButton")->click();
    auto *bar = window.findChild<QProgressBar *>("progressBar");
    waitFor([bar] { return bar->value() >= 8; }, "progress");
    save(&window, out + "/window-updating.png");
    window.findChild<QPushButton *>("cancelButton")->click();
    waitFor([&] { return window.findChild<QPushButton *>("updateButton")->isEnabled(); }, "cancel");
    window.findChild<QPushButton *>("updateButton")->click();

    // The interface is unplugged: the next update cannot open it.
    user.reset();
    ports[0].portName = "/dev/ttyUSB9";
    window.findChild<QAction *>("actionRefreshPortsList")->trigger();
    QTimer::singleShot(500, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            qFatal("no message box");
        save(box, out + "/error-message.png");
        box->accept();
    });
    window.findChild<QPushButton *>("updateButton")->click();
    waitFor([&] { return window.findChild<QPushButton *>("updateButton")->isEnabled(); }, "idle");
    return 0;
}

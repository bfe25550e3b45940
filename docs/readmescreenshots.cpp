// Renders the README's pictures of the window: a chosen update file, an update under way and an
// error message, with a pseudo-terminal standing in for the interface box. Given a language, it
// renders one picture of the window in that language instead, with Qt's file dialog beside it.
#include "fixturesoftwareupdater.h"
#include "programtranslation.h"
#include "pseudoterminal.h"
#include "runend.h"
#include "technician.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

void save(const QImage &picture, const QString &path)
{
    if (!picture.save(path))
        qFatal("cannot write %s", qPrintable(path));
    qInfo("%s", qPrintable(path));
}

// Then the layouts follow what changed, before anything is pictured.
template <typename Condition> void waitFor(Condition condition, const char *what)
{
    if (!QTest::qWaitFor(condition, 20000))
        qFatal("timed out waiting for %s", what);
    QTest::qWait(100);
}

QString updateFile(const QTemporaryDir &directory, int lines)
{
    QFile file(directory.filePath("moving-head-2.3.dmx"));
    file.open(QIODevice::WriteOnly);
    file.write("#moving head\n#Tamsenholt\n#Beam 330\n#v2.3.0\n");
    file.write(QByteArray("1000 01 02 03 04 05 06 07 08\n").repeated(lines));
    file.close();
    // As its vendor publishes it, so that the pictures show the check.
    file.open(QIODevice::ReadOnly);
    QFile checksum(file.fileName() + ".sha256");
    checksum.open(QIODevice::WriteOnly);
    checksum.write(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex() +
                   "  moving-head-2.3.dmx\n");
    return file.fileName();
}

QPushButton *button(const QWidget &window, const char *name)
{
    return window.findChild<QPushButton *>(name);
}

int englishPictures(const QString &out)
{
    QTemporaryDir directory;
    pseudoTerminal interfaceBox(false);
    QList<interfacePort> ports{{interfaceBox.portName(), "CP2102", "Silicon Labs", "0001"}};
    fixtureSoftwareUpdater window(nullptr, [&] { return ports; });
    window.show();
    auto user = std::make_unique<technician>();
    user->willChoose(updateFile(directory, 200));
    button(window, "selectFileButton")->click();
    auto *duration = window.findChild<QLabel *>("durationLabel");
    waitFor([duration] { return !duration->text().isEmpty(); }, "the duration");
    save(window.grab().toImage(), out + "/window-file-chosen.png");

    button(window, "updateButton")->click();
    auto *bar = window.findChild<QProgressBar *>("progressBar");
    waitFor([bar] { return bar->value() >= 8; }, "progress");
    save(window.grab().toImage(), out + "/window-updating.png");
    button(window, "cancelButton")->click();
    waitFor([&] { return button(window, "updateButton")->isEnabled(); }, "cancel");
    button(window, "updateButton")->click();

    // The interface is unplugged: the next update cannot open it.
    user.reset();
    ports[0].portName = "/dev/ttyUSB9";
    window.findChild<QAction *>("actionRefreshPortsList")->trigger();
    QTimer::singleShot(500, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            qFatal("no message box");
        save(box->grab().toImage(), out + "/error-message.png");
        box->accept();
    });
    button(window, "updateButton")->click();
    waitFor([&] { return button(window, "updateButton")->isEnabled(); }, "idle");
    return 0;
}

// A whole update, acknowledged, in the language: the chosen file, the update under way and its
// end, with the file dialog, in one picture.
int languagePicture(const QString &out, const QString &language)
{
    const programTranslation translation({language});
    QTemporaryDir directory;
    const QString file = updateFile(directory, 4);
    // The dialog lists the folder of the update file, where the technician started the program.
    QDir::setCurrent(directory.path());
    pseudoTerminal interfaceBox(false);
    const QList<interfacePort> ports{{interfaceBox.portName(), "CP2102", "Silicon Labs", "0001"}};
    fixtureSoftwareUpdater window(nullptr, [&] { return ports; });
    window.show();
    // The dialog is pictured once its folder has been listed, then answered.
    QImage dialog;
    QTimer chooser;
    int shownFor = 0;
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        auto *fileDialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!fileDialog || !fileDialog->isVisible() || ++shownFor < 30)
            return;
        chooser.stop();
        dialog = fileDialog->grab().toImage();
        fileDialog->findChild<QLineEdit *>("fileNameEdit")->setText(file);
        fileDialog->findChild<QDialogButtonBox *>("buttonBox")
            ->button(QDialogButtonBox::Open)
            ->click();
    });
    chooser.start(10);
    button(window, "selectFileButton")->click();
    auto *duration = window.findChild<QLabel *>("durationLabel");
    waitFor([duration] { return !duration->text().isEmpty(); }, "the duration");
    const QImage chosen = window.grab().toImage();
    button(window, "updateButton")->click();
    auto *bar = window.findChild<QProgressBar *>("progressBar");
    waitFor([bar] { return bar->value() >= 2; }, "progress");
    const QImage updating = window.grab().toImage();
    waitFor([&] { return button(window, "updateButton")->text() == runEnd::finished(); },
            "the end");
    const QImage finished = window.grab().toImage();
    button(window, "updateButton")->click();
    if (button(window, "updateButton")->text() != fixtureSoftwareUpdater::tr("Start"))
        qFatal("the end was not acknowledged");

    QImage picture(2 * chosen.width() + 10,
                   chosen.height() + qMax(chosen.height(), dialog.height()) + 10,
                   QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, chosen);
    painter.drawImage(chosen.width() + 10, 0, updating);
    painter.drawImage(0, chosen.height() + 10, finished);
    painter.drawImage(chosen.width() + 10, chosen.height() + 10, dialog);
    painter.end();
    save(picture, out + "/window-" + language + ".png");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QString out = QDir(application.arguments().value(1, ".")).absolutePath();
    const QString language = application.arguments().value(2);
    return language.isEmpty() ? englishPictures(out) : languagePicture(out, language);
}

#include "fixturesoftwareupdater.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

// The form as the technician meets it: its words, its pages and how it behaves when resized.
class tst_FixtureSoftwareUpdaterForm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window = std::make_unique<fixtureSoftwareUpdater>(nullptr,
                                                          [] { return QList<interfacePort>{}; });
    }
    void texts();
    void pagesInOrderAndFirstShown();
    void menus();
    void logoRowTakesExtraHeightAndFileLabelExtraWidth();
    void finishedButtonDoesNothing();

private:
    template <typename T> T *find(const char *name) const
    {
        T *object = window->findChild<T *>(name);
        if (!object)
            qFatal("no %s named %s", T::staticMetaObject.className(), name);
        return object;
    }
    std::unique_ptr<fixtureSoftwareUpdater> window;
};

void tst_FixtureSoftwareUpdaterForm::texts()
{
    const QList<QPair<const char *, QString>> texts{
        {"actionQuit", "&Quit"},
        {"actionRefreshPortsList", "Refresh Interfaces List"},
        {"logoLabel", ""},
        {"selectFileGroupBox", "Select File"},
        {"fileLabel", "No File Selected"},
        {"selectFileButton", "Select File"},
        {"fixtureDisplayGroupBox", "Update File Information"},
        {"groupBox", ""},
        {"fixtureDisplayLabel", "Vendor Fixture"},
        {"applicationDisplayLabel", "Application v1.04"},
        {"selectFileButton_2", "Select File"},
        {"progressGroupBox", "Update Progress"},
        {"startSendingGroupBox", "Update"},
        {"updateButton", "Start"},
        {"cancelSendingGroupBox", "Update"},
        {"cancelButton", "Cancel"},
        {"finishedSendingGroupBox", "Update"},
        {"finishedButton", "Finished"},
        {"menuApp", "App"},
        {"menuPort", "Interfaces"},
    };
    for (const auto &text : texts) {
        QObject *object = find<QObject>(text.first);
        const QVariant shown = object->property(
            object->inherits("QGroupBox") || object->inherits("QMenu") ? "title" : "text");
        QCOMPARE(shown.toString(), text.second);
    }
}

void tst_FixtureSoftwareUpdaterForm::pagesInOrderAndFirstShown()
{
    const QList<QPair<const char *, QStringList>> stacks{
        {"infoStackedWidget", {"selectFilePage", "fixtureDisplayPage", "progressPage"}},
        {"updateStackedWidget", {"startSendingPage", "cancelSendingPage", "finishedPage"}},
    };
    for (const auto &stack : stacks) {
        auto *stacked = find<QStackedWidget>(stack.first);
        QStringList pages;
        for (int page = 0; page < stacked->count(); ++page)
            pages << stacked->widget(page)->objectName();
        QCOMPARE(pages, stack.second);
        QCOMPARE(stacked->currentIndex(), 0);
    }
}

void tst_FixtureSoftwareUpdaterForm::menus()
{
    const QList<QAction *> menus = find<QMenuBar>("menubar")->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->menu(), find<QMenu>("menuApp"));
    QCOMPARE(menus[1]->menu(), find<QMenu>("menuPort"));
    QCOMPARE(find<QMenu>("menuApp")->actions(), QList<QAction *>{find<QAction>("actionQuit")});
    const QList<QAction *> entries = find<QMenu>("menuPort")->actions();
    QCOMPARE(entries.size(), 2);
    QVERIFY(entries[0]->isSeparator());
    QCOMPARE(entries[1], find<QAction>("actionRefreshPortsList"));
}

void tst_FixtureSoftwareUpdaterForm::logoRowTakesExtraHeightAndFileLabelExtraWidth()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *info = find<QStackedWidget>("infoStackedWidget");
    auto *fileLabel = find<QLabel>("fileLabel");
    auto *logo = find<QLabel>("logoLabel");
    const int infoHeight = info->height();
    const int fileLabelWidth = fileLabel->width();
    const QSize actionSize = find<QStackedWidget>("updateStackedWidget")->size();

    window->resize(window->width() + 300, window->height() + 200);
    QTRY_COMPARE(fileLabel->width(), fileLabelWidth + 300);
    QCOMPARE(info->height(), infoHeight);
    QCOMPARE(find<QStackedWidget>("updateStackedWidget")->size(), actionSize);
    QCOMPARE(fileLabel->height(), 35);
    QCOMPARE(logo->size(), QSize(520, 130));
    QVERIFY(qAbs(logo->geometry().center().x() - logo->parentWidget()->width() / 2) <= 1);

    // A long path does not widen the window's lower row.
    fileLabel->setText(QString(400, 'x'));
    window->resize(window->width() - 300, window->height());
    QTRY_COMPARE(fileLabel->width(), fileLabelWidth);
}

void tst_FixtureSoftwareUpdaterForm::finishedButtonDoesNothing()
{
    const QList<QObject *> before = window->findChildren<QObject *>();
    find<QPushButton>("finishedButton")->click();
    QCOMPARE(find<QStackedWidget>("updateStackedWidget")->currentIndex(), 0);
    QCOMPARE(window->findChildren<QObject *>(), before);
}

QTEST_MAIN(tst_FixtureSoftwareUpdaterForm)
#include "tst_fixturesoftwareupdaterform.moc"

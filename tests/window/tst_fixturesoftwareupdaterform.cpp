#include "fixturesoftwareupdater.h"

#include <QAction>
#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QtTest>

class tst_FixtureSoftwareUpdaterForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void widgetsSitInTheirPlaces_data();
    void widgetsSitInTheirPlaces();
    void properties_data();
    void properties();
    void layouts_data();
    void layouts();
    void pagesInOrderAndFirstShown();
    void menus();
    void logoRowTakesExtraHeightAndFileLabelExtraWidth();
    void finishedButtonDoesNothing();

private:
    template <typename T> T *find(const QString &name) const
    {
        T *object = window->findChild<T *>(name);
        if (!object)
            qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
        return object;
    }
    fixtureSoftwareUpdater *window = nullptr;
};

void tst_FixtureSoftwareUpdaterForm::init()
{
    window = new fixtureSoftwareUpdater(nullptr);
}

void tst_FixtureSoftwareUpdaterForm::cleanup()
{
    delete window;
}

void tst_FixtureSoftwareUpdaterForm::widgetsSitInTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    const QList<QStringList> rows = {
        {"centralwidget", "QWidget", "fixtureSoftwareUpdater"},
        {"logoLabel", "QLabel", "centralwidget"},
        {"infoStackedWidget", "QStackedWidget", "centralwidget"},
        {"selectFileGroupBox", "QGroupBox", "selectFilePage"},
        {"fileLabel", "QLabel", "selectFileGroupBox"},
        {"selectFileButton", "QPushButton", "selectFileGroupBox"},
        {"fixtureDisplayGroupBox", "QGroupBox", "fixtureDisplayPage"},
        {"groupBox", "QGroupBox", "fixtureDisplayGroupBox"},
        {"fixtureDisplayLabel", "QLabel", "groupBox"},
        {"applicationDisplayLabel", "QLabel", "groupBox"},
        {"selectFileButton_2", "QPushButton", "fixtureDisplayGroupBox"},
        {"progressGroupBox", "QGroupBox", "progressPage"},
        {"progressBar", "QProgressBar", "progressGroupBox"},
        {"updateStackedWidget", "QStackedWidget", "centralwidget"},
        {"startSendingGroupBox", "QGroupBox", "startSendingPage"},
        {"updateButton", "QPushButton", "startSendingGroupBox"},
        {"cancelSendingGroupBox", "QGroupBox", "cancelSendingPage"},
        {"cancelButton", "QPushButton", "cancelSendingGroupBox"},
        {"finishedSendingGroupBox", "QGroupBox", "finishedPage"},
        {"finishedButton", "QPushButton", "finishedSendingGroupBox"},
        {"menubar", "QMenuBar", "fixtureSoftwareUpdater"},
        {"statusbar", "QStatusBar", "fixtureSoftwareUpdater"},
        {"actionQuit", "QAction", "fixtureSoftwareUpdater"},
        {"actionRefreshPortsList", "QAction", "fixtureSoftwareUpdater"},
    };
    for (const QStringList &row : rows)
        QTest::newRow(qPrintable(row[0])) << row[0] << row[1] << row[2];
}

void tst_FixtureSoftwareUpdaterForm::widgetsSitInTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QObject *object = find<QObject>(name);
    QCOMPARE(object->metaObject()->className(), qPrintable(className));
    QCOMPARE(object->parent()->objectName(), parentName);
}

void tst_FixtureSoftwareUpdaterForm::properties_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");
    const auto row = [](const char *name, const char *property, const QVariant &expected) {
        QTest::addRow("%s.%s", name, property) << QString(name) << QByteArray(property) << expected;
    };
    const auto policy = [](QSizePolicy::Policy horizontal, QSizePolicy::Policy vertical) {
        return QVariant::fromValue(QSizePolicy(horizontal, vertical));
    };
    // Texts as the technician reads them.
    row("actionQuit", "text", "&Quit");
    row("actionRefreshPortsList", "text", "Refresh Interfaces List");
    row("logoLabel", "text", "");
    row("selectFileGroupBox", "title", "Select File");
    row("fileLabel", "text", "No File Selected");
    row("selectFileButton", "text", "Select File");
    row("fixtureDisplayGroupBox", "title", "Update File Information");
    row("groupBox", "title", "");
    row("fixtureDisplayLabel", "text", "Vendor Fixture");
    row("applicationDisplayLabel", "text", "Application v1.04");
    row("selectFileButton_2", "text", "Select File");
    row("progressGroupBox", "title", "Update Progress");
    row("startSendingGroupBox", "title", "Update");
    row("cancelSendingGroupBox", "title", "Update");
    row("cancelButton", "text", "Cancel");
    row("finishedSendingGroupBox", "title", "Update");
    row("finishedButton", "text", "Finished");
    row("menuApp", "title", "App");
    row("menuPort", "title", "Interfaces");
    // Sizes and policies that keep the layout steady.
    row("logoLabel", "sizePolicy", policy(QSizePolicy::Fixed, QSizePolicy::Fixed));
    row("logoLabel", "maximumSize", QSize(520, 130));
    row("logoLabel", "scaledContents", true);
    row("infoStackedWidget", "sizePolicy", policy(QSizePolicy::Preferred, QSizePolicy::Preferred));
    row("infoStackedWidget", "layoutDirection", QVariant::fromValue(Qt::LeftToRight));
    row("fileLabel", "sizePolicy", policy(QSizePolicy::Ignored, QSizePolicy::Preferred));
    row("fileLabel", "minimumSize", QSize(0, 35));
    row("fileLabel", "maximumSize", QSize(16777215, 35));
    row("selectFileButton", "sizePolicy", policy(QSizePolicy::Fixed, QSizePolicy::Fixed));
    row("selectFileButton", "minimumSize", QSize(100, 35));
    row("groupBox", "styleSheet", "border:none");
    row("fixtureDisplayLabel", "sizePolicy",
        policy(QSizePolicy::MinimumExpanding, QSizePolicy::Preferred));
    row("fixtureDisplayLabel", "minimumSize", QSize(200, 0));
    row("applicationDisplayLabel", "minimumSize", QSize(200, 0));
    row("selectFileButton_2", "minimumSize", QSize(100, 35));
    row("progressBar", "minimumSize", QSize(0, 30));
    row("progressBar", "value", 0);
    row("updateStackedWidget", "sizePolicy", policy(QSizePolicy::Fixed, QSizePolicy::Fixed));
    row("updateStackedWidget", "minimumSize", QSize(120, 68));
    row("startSendingPage", "minimumSize", QSize(120, 68));
    row("updateButton", "minimumSize", QSize(100, 35));
    row("cancelSendingPage", "minimumSize", QSize(120, 68));
    row("cancelSendingGroupBox", "minimumSize", QSize(0, 68));
    row("cancelButton", "minimumSize", QSize(100, 35));
    row("finishedSendingGroupBox", "minimumSize", QSize(0, 68));
    row("finishedButton", "minimumSize", QSize(100, 35));
}

void tst_FixtureSoftwareUpdaterForm::properties()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    const QVariant actual = find<QObject>(name)->property(property);
    if (expected.userType() == qMetaTypeId<QSizePolicy>()) {
        const auto policy = actual.value<QSizePolicy>();
        const auto wanted = expected.value<QSizePolicy>();
        QCOMPARE(policy.horizontalPolicy(), wanted.horizontalPolicy());
        QCOMPARE(policy.verticalPolicy(), wanted.verticalPolicy());
        QCOMPARE(policy.horizontalStretch(), 0);
        QCOMPARE(policy.verticalStretch(), 0);
    } else if (expected.userType() == QMetaType::QString) {
        QCOMPARE(actual.toString(), expected.toString());
    } else {
        QCOMPARE(actual, expected);
    }
}

void tst_FixtureSoftwareUpdaterForm::layouts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QList<int>>("margins");
    QTest::addColumn<QList<int>>("stretch");
    const QList<int> none{0, 0, 0, 0};
    const int anySpacing = -2;
    QTest::newRow("mainLayout") << "mainLayout" << anySpacing << QList<int>{} << QList<int>{1, 0};
    QTest::newRow("horizontalLayout_3")
        << "horizontalLayout_3" << anySpacing << QList<int>{} << QList<int>{1, 0};
    for (const char *page :
         {"verticalLayout_3", "verticalLayout_7", "verticalLayout_4", "verticalLayout_6",
          "verticalLayout_10", "verticalLayout_9", "verticalLayout_8"})
        QTest::newRow(page) << page << 0 << none << QList<int>{};
    QTest::newRow("horizontalLayout_6")
        << "horizontalLayout_6" << anySpacing << QList<int>{9, 9, 9, 9} << QList<int>{};
}

void tst_FixtureSoftwareUpdaterForm::layouts()
{
    QFETCH(QString, name);
    QFETCH(int, spacing);
    QFETCH(QList<int>, margins);
    QFETCH(QList<int>, stretch);
    auto *layout = find<QBoxLayout>(name);
    if (spacing != -2)
        QCOMPARE(layout->spacing(), spacing);
    const QMargins actual = layout->contentsMargins();
    if (!margins.isEmpty())
        QCOMPARE((QList<int>{actual.left(), actual.top(), actual.right(), actual.bottom()}),
                 margins);
    for (int item = 0; item < stretch.size(); ++item)
        QCOMPARE(layout->stretch(item), stretch[item]);
}

void tst_FixtureSoftwareUpdaterForm::pagesInOrderAndFirstShown()
{
    const QList<QPair<QString, QStringList>> stacks = {
        {"infoStackedWidget", {"selectFilePage", "fixtureDisplayPage", "progressPage"}},
        {"updateStackedWidget", {"startSendingPage", "cancelSendingPage", "finishedPage"}},
    };
    for (const auto &stack : stacks) {
        auto *stacked = find<QStackedWidget>(stack.first);
        QCOMPARE(stacked->count(), stack.second.size());
        for (int page = 0; page < stacked->count(); ++page)
            QCOMPARE(stacked->widget(page)->objectName(), stack.second[page]);
        QCOMPARE(stacked->currentIndex(), 0);
    }
}

void tst_FixtureSoftwareUpdaterForm::menus()
{
    auto *menubar = find<QMenuBar>("menubar");
    QCOMPARE(window->menuBar(), menubar);
    QCOMPARE(window->statusBar(), find<QStatusBar>("statusbar"));
    const QList<QAction *> menus = menubar->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->menu(), find<QMenu>("menuApp"));
    QCOMPARE(menus[1]->menu(), find<QMenu>("menuPort"));
    QCOMPARE(find<QMenu>("menuApp")->actions(), QList<QAction *>{find<QAction>("actionQuit")});
    const QList<QAction *> portEntries = find<QMenu>("menuPort")->actions();
    QVERIFY(portEntries.size() >= 2);
    QVERIFY(portEntries[portEntries.size() - 2]->isSeparator());
    QCOMPARE(portEntries.last(), find<QAction>("actionRefreshPortsList"));
}

void tst_FixtureSoftwareUpdaterForm::logoRowTakesExtraHeightAndFileLabelExtraWidth()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *info = find<QStackedWidget>("infoStackedWidget");
    auto *actions = find<QStackedWidget>("updateStackedWidget");
    auto *fileLabel = find<QLabel>("fileLabel");
    auto *logo = find<QLabel>("logoLabel");
    const int infoHeight = info->height();
    const int fileLabelWidth = fileLabel->width();
    const QSize actionSize = actions->size();

    window->resize(window->width() + 300, window->height() + 200);
    QTRY_COMPARE(fileLabel->width(), fileLabelWidth + 300);
    QCOMPARE(info->height(), infoHeight);
    QCOMPARE(actions->size(), actionSize);
    QCOMPARE(fileLabel->height(), 35);
    QCOMPARE(logo->size(), QSize(520, 130));
    QVERIFY(qAbs(logo->geometry().center().x() - logo->parentWidget()->width() / 2) <= 1);

    fileLabel->setText(QString(400, 'x'));
    window->resize(window->width() - 300, window->height());
    QTRY_COMPARE(fileLabel->width(), fileLabelWidth);
}

void tst_FixtureSoftwareUpdaterForm::finishedButtonDoesNothing()
{
    const QList<QObject *> before = window->findChildren<QObject *>();
    auto *finished = find<QPushButton>("finishedButton");
    finished->click();
    QCOMPARE(find<QStackedWidget>("updateStackedWidget")->currentIndex(), 0);
    QCOMPARE(window->findChildren<QObject *>(), before);
}

QTEST_MAIN(tst_FixtureSoftwareUpdaterForm)
#include "tst_fixturesoftwareupdaterform.moc"

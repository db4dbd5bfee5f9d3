// The main window as the user sees it, over the real command routing and fakes.

#include "AppFixture.h"
#include "TestMain.h"
#include "WriteFile.h"
#include "app/MainCommands.h"
#include "ui/StatusPanel.h"
#include "ui/VersionRowsPanel.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

template <typename T> T* find(QWidget& window, const QString& name)
{
    T* child = window.findChild<T*>(name);
    if (!child)
        qWarning("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return child;
}

bool Enabled(QWidget& window, const QString& name)
{
    if (auto* action = window.findChild<QAction*>(name))
        return action->isEnabled();
    if (auto* menu = window.findChild<QMenu*>(name))
        return menu->menuAction()->isEnabled();
    return find<QWidget>(window, name)->isEnabled();
}

QString statusBarText(QWidget& window)
{
    return find<QLabel>(window, QStringLiteral("stbMainText"))->text();
}

// A game the window has found: korvane.exe in a folder of the fixture's temporary folder.
void placeGame(AppFixture& app)
{
    const QString folder = app.temp.filePath(QStringLiteral("Korvane"));
    QDir().mkpath(folder);
    app.state->krvnPath = QDir::toNativeSeparators(folder) + QDir::separator();
    app.state->krvnExe = app.state->krvnPath + QStringLiteral("korvane.exe");
    app.state->krvnVersion = QStringLiteral("1.4.0");
    WriteFile(app.state->krvnExe);
}

QStringList visibleStatusIcons(QWidget& window)
{
    QStringList shown;
    for (int row = 0; row < VersionRowsPanel::RowCount; ++row)
        if (!find<QLabel>(window, QStringLiteral("imgStatus%1").arg(row))->isHidden())
            shown << QStringLiteral("imgStatus%1").arg(row);
    return shown;
}

// A menu entry as "objectName=caption", a submenu's entries after it in brackets.
QString tree(QAction* action)
{
    QMenu* menu = action->menu();
    QString line = (menu ? menu->objectName() : action->objectName()) + u'=' + action->text();
    if (menu) {
        QStringList entries;
        for (QAction* entry : menu->actions())
            entries << tree(entry);
        line += QStringLiteral(" [") + entries.join(QStringLiteral(", ")) + u']';
    }
    return line;
}

enum class Game
{
    None,
    Found,
    Gone // a game path whose executable is gone
};

} // namespace

Q_DECLARE_METATYPE(Game)

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsCarryTheirNames()
    {
        AppFixture app;
        MainWindow& window = app.startWindow();
        QStringList names = {
            "imgTop",         "imgTopIcon",       "lblTop",      "lblTopShadow", "lneTop1",      "lneTop2",
            "fraVersion",     "lblVersion",       "fraVersions", "picVersions",  "cboRestore",   "fraStatus",
            "lstStatus",      "pgbMain",          "cmdRun",      "cmdLU",        "cmdExit",      "stbMain",
            "imgDownload",    "imgUpdate",        "imgWait",     "imgError",     "imgInstalled", "imgDownloading",
            "imgExclamation", "lblDownloadStatus"};
        for (int i = 0; i < 8; ++i)
            names << QStringLiteral("lneLine%1").arg(i);
        for (int i = 0; i < 4; ++i)
            names << QStringLiteral("optGet%1").arg(i) << QStringLiteral("lblVersionInfo%1").arg(i)
                  << QStringLiteral("imgStatus%1").arg(i);
        for (int i = 0; i < 3; ++i)
            names << QStringLiteral("lblDate%1").arg(i);
        for (const QString& name : names)
            QVERIFY2(window.findChild<QWidget*>(name), qPrintable("missing control " + name));
        QCOMPARE(window.findChild<QTimer*>(QStringLiteral("tmrTimeout"))->interval(), 1000);

        // The menu tree, in order, with the English captions.
        QStringList menus;
        for (QAction* action : window.menuBar()->actions())
            menus << tree(action);
        QCOMPARE(
            menus,
            (QStringList{"mnuFile=&File [mnuOpen=Select KRVN path..., brk00=, mnuExit=Exit]",
                         "mnuOptions=&Options [mnuSettings=Settings..., brk02=, mnuPlatform=Platform selection "
                         "[mnuWin9x=Win9x Korvane, mnuWin32=Win32 Korvane, mnuWin64=Win64 Korvane], "
                         "mnuRedetect=Redetect KRVN version]",
                         "mnuHelp=&Help [mnuKrvnWiki=Korvane Wiki, brk04=, mnuLinksKRVN=Links: Korvane "
                         "[mnuKrvnHome=Homepage, mnuForum=Forums, mnuBug=Report a bug, mnuKrvnFiles=Previous "
                         "versions], mnuLinksGraphics=Links: New graphics [mnuCrates=Korvane Crates, "
                         "mnuGRFCrawler=GRF Crawler, mnuTWSR=Townscape Refit], brk05=, mnuCheckSelfUpdate=Check "
                         "for Updates, brk06=, mnuWebsite=Korvane Manager website, mnuAbout=About Korvane Manager]"}));
    }

    // While a transfer runs, the commands that would start work refuse with string 52 and
    // Exit asks with string 51, "No" first: answered No, the window and the transfer stay.
    // The web links stay usable while busy, open their addresses and leave the transfer running.
    void transferRunning_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("address"); // a link's; empty: a command
        QTest::addColumn<int>("text");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        const auto link = [](const char* name, const QString& address) {
            QTest::newRow(name) << QString::fromLatin1(name) << address << 0 << MessageIcon::None << MessageButtons::Ok;
        };
        const QString tracking = QStringLiteral("?utm_source=krvnm&utm_medium=app&utm_campaign=104");
        link("mnuKrvnWiki", "http://wiki.korvane.example/Main_Page");
        link("mnuKrvnHome", "http://www.korvane.example/");
        link("mnuForum", "http://forum.mirror.test/"); // its server is set in the settings, as a base address
        link("mnuBug", "http://bugs.korvane.example/");
        link("mnuKrvnFiles", "http://builds.korvane.example/");
        link("mnuCrates", "http://content.korvane.example/en/newgrf/");
        link("mnuGRFCrawler", "http://grfcrawler.example/");
        link("mnuTWSR", "http://www.quillonworks.example/townscape-refit-graphics/" + tracking);
        link("mnuWebsite", "http://www.quillonworks.example/korvane-manager/" + tracking);
        QTest::newRow("cmdRun") << "cmdRun" << QString() << 52 << MessageIcon::Exclamation << MessageButtons::Ok;
        QTest::newRow("mnuOpen") << "mnuOpen" << QString() << 52 << MessageIcon::Critical << MessageButtons::Ok;
        QTest::newRow("mnuCheckSelfUpdate")
            << "mnuCheckSelfUpdate" << QString() << 52 << MessageIcon::Critical << MessageButtons::Ok;
        QTest::newRow("cmdExit") << "cmdExit" << QString() << 51 << MessageIcon::Exclamation << MessageButtons::YesNo;
    }

    void transferRunning()
    {
        QFETCH(QString, control);
        QFETCH(QString, address);
        QFETCH(int, text);
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        AppFixture app;
        app.settings.values.insert(QStringLiteral("FORUMSERVER"), QStringLiteral("http://forum.mirror.test//"));
        MainWindow& window = app.startWindow();
        placeGame(app);
        app.app->commands().enableControls(address.isEmpty()); // the links must work while busy
        window.show();
        app.transfer.executing = true;
        if (auto* button = window.findChild<QPushButton*>(control))
            button->click();
        else
            find<QAction>(window, control)->trigger();
        QCOMPARE(app.platform.opened, address.isEmpty() ? QStringList() : QStringList{address});
        QCOMPARE(app.dialogs.messages.size(), text ? 1 : 0);
        for (const MessageRequest& message : app.dialogs.messages) {
            QCOMPARE(message.text, app.state->str(text));
            QCOMPARE(message.icon, icon);
            QCOMPARE(message.buttons, buttons);
            QCOMPARE(message.defaultButton,
                     buttons == MessageButtons::YesNo ? std::optional(Answer::No) : std::nullopt);
            QCOMPARE(message.title, QStringLiteral("Korvane Manager"));
        }
        QVERIFY(app.platform.launches.isEmpty());
        QVERIFY(app.dialogs.folderTitles.isEmpty());
        QVERIFY(window.isVisible());
        QCOMPARE(app.platform.processEnds, 0);
        QVERIFY(app.settings.writes.isEmpty());
        QVERIFY(app.transfer.stillExecuting());
        if (control == QLatin1String("cmdExit")) { // answered Yes, it closes
            app.dialogs.answers.enqueue(Answer::Yes);
            QVERIFY(window.close());
            QCOMPARE(app.platform.processEnds, 1);
        }
    }

    void enableControlsFollowsTheStateTable_data()
    {
        QTest::addColumn<Game>("game");
        QTest::addColumn<bool>("selfCheckDone");
        QTest::addColumn<int>("releases");
        QTest::addColumn<bool>("feed");
        QTest::addColumn<bool>("idle");
        QTest::addColumn<QString>("conditional"); // which of cmdRun, mnuCheckSelfUpdate, cboRestore are enabled
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("statusBar");
        const QString detected = QStringLiteral("Korvane version 1.4.0 detected at #folder#");
        const QString noPath = QStringLiteral("Korvane path not specified.");
        QTest::newRow("idle, game found") << Game::Found << false << 1 << false << true << "cmdRun mnuCheckSelfUpdate"
                                          << "Check for Updates" << detected;
        QTest::newRow("idle, game gone") << Game::Gone << false << 1 << false << true << "mnuCheckSelfUpdate"
                                         << "Check for Updates" << detected;
        QTest::newRow("idle, self-check done, 10 releases")
            << Game::None << true << 10 << true << true << QString() << "Install Now" << noPath;
        QTest::newRow("idle, 11 releases")
            << Game::None << false << 11 << true << true << "mnuCheckSelfUpdate cboRestore"
            << "Install Now" << noPath;
        QTest::newRow("busy, game found")
            << Game::Found << false << 12 << true << false << QString() << QString() << "Downloading data...";
    }

    void enableControlsFollowsTheStateTable()
    {
        QFETCH(Game, game);
        QFETCH(bool, selfCheckDone);
        QFETCH(int, releases);
        QFETCH(bool, feed);
        QFETCH(bool, idle);
        QFETCH(QString, conditional);
        QFETCH(QString, caption);
        QFETCH(QString, statusBar);
        AppFixture app;
        MainWindow& window = app.startWindow();
        if (game != Game::None)
            placeGame(app);
        if (game == Game::Gone)
            QFile::remove(app.state->krvnExe);
        if (feed)
            WriteFile(app.state->versionsFile);
        app.state->selfCheckDone = selfCheckDone;
        app.state->olderReleases = QList<ReleaseRecord>(releases, ReleaseRecord{QStringLiteral("1.3.0"), {}});
        StatusPanel& status = window.statusPanel();
        status.addStatusLine(QStringLiteral("Downloading data..."));
        // The state a transfer leaves behind.
        MainCommands& commands = app.app->commands();
        commands.enableControls(false);
        status.setTimeoutTimerActive(true);
        status.setProgressMaximum(5000);
        status.setProgressValue(1234);
        status.setProgressVisible(true);

        commands.enableControls(idle);

        QCOMPARE(commands.busy(), !idle);
        for (const char* name : {"cmdLU", "cmdExit", "mnuOpen", "mnuSettings", "mnuPlatform", "mnuRedetect"})
            QVERIFY2(Enabled(window, QLatin1String(name)) == idle, name);
        for (const char* name : {"cmdRun", "mnuCheckSelfUpdate", "cboRestore"})
            QVERIFY2(Enabled(window, QLatin1String(name)) == conditional.contains(QLatin1String(name)), name);
        for (const char* name : {"mnuKrvnWiki", "mnuKrvnHome", "mnuTWSR", "mnuWebsite", "mnuAbout", "mnuExit"})
            QVERIFY2(Enabled(window, QLatin1String(name)), name);
        QCOMPARE(window.cursor().shape(), idle ? Qt::ArrowCursor : Qt::BusyCursor);
        QCOMPARE(status.timeoutTimer()->isActive(), !idle);
        auto* bar = find<QProgressBar>(window, QStringLiteral("pgbMain"));
        QCOMPARE(bar->isHidden(), idle);
        QCOMPARE(bar->value(), idle ? 0 : 1234);
        if (idle)
            QCOMPARE(find<QPushButton>(window, QStringLiteral("cmdLU"))->text(), caption);
        statusBar.replace(QStringLiteral("#folder#"), app.state->krvnPath);
        QCOMPARE(statusBarText(window), statusBar);
    }

    // Busy, the status bar repeats the newest status line whatever else asks; idle, it
    // shows the download label's changes and returns to the default text when the mouse
    // moves. A click selects nothing in the status list.
    void statusBarFollowsTheStatusListWhileBusy()
    {
        AppFixture app;
        MainWindow& window = app.startWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MainCommands& commands = app.app->commands();
        StatusPanel& status = window.statusPanel();
        commands.enableControls(false);
        QCOMPARE(statusBarText(window), QString());
        status.addStatusLine(QStringLiteral("Connecting to server..."));
        QCOMPARE(statusBarText(window), QStringLiteral("Connecting to server..."));
        commands.setStatusBar(QStringLiteral("something else"));
        status.setDownloadLabel(QStringLiteral("12 KB downloaded, 80 KB total"));
        QCOMPARE(statusBarText(window), QStringLiteral("Connecting to server..."));

        commands.enableControls(true);
        QCOMPARE(statusBarText(window), QStringLiteral("Korvane path not specified."));
        status.setDownloadLabel(QStringLiteral("Files extracted OK."));
        QCOMPARE(statusBarText(window), QStringLiteral("Files extracted OK."));
        for (const char* area : {"frmMainBackground", "picVersions", "fraStatus"}) {
            status.setDownloadLabel(QLatin1String(area));
            QWidget* over = find<QWidget>(window, QLatin1String(area));
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(over, &move);
            QVERIFY2(statusBarText(window) == QStringLiteral("Korvane path not specified."), area);
        }
        auto* list = find<QListWidget>(window, QStringLiteral("lstStatus"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QVERIFY(list->selectedItems().isEmpty());
    }

    void oneStatusIconAtATime()
    {
        AppFixture app;
        MainWindow& window = app.startWindow();
        QLabel* download = find<QLabel>(window, QStringLiteral("imgDownload"));
        QLabel* installed = find<QLabel>(window, QStringLiteral("imgInstalled"));
        window.versionRows().setStatusIcon(0, StatusPicture::Download, QStringLiteral("New version!"));
        QCOMPARE(visibleStatusIcons(window), QStringList{"imgStatus0"});
        window.versionRows().setStatusIcon(2, StatusPicture::Installed, QStringLiteral("Now Installed"));
        QCOMPARE(visibleStatusIcons(window), QStringList{"imgStatus2"});
        auto* row2 = find<QLabel>(window, QStringLiteral("imgStatus2"));
        QCOMPARE(row2->toolTip(), QStringLiteral("Now Installed"));
        QCOMPARE(row2->pixmap().toImage(), installed->pixmap().toImage());
        QVERIFY(row2->pixmap().toImage() != download->pixmap().toImage());
        window.statusPanel().hideStatusIcons();
        QCOMPARE(visibleStatusIcons(window), QStringList());
    }

    void enterStartsTheGameUnlessAnotherButtonHasTheFocus()
    {
        AppFixture app;
        MainWindow& window = app.startWindow();
        placeGame(app);
        app.platform.offline = true; // the release check that cmdLU starts ends at once
        app.app->commands().enableControls(true);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy run(find<QPushButton>(window, QStringLiteral("cmdRun")), &QPushButton::clicked);
        auto* cmdLU = find<QPushButton>(window, QStringLiteral("cmdLU"));
        QSignalSpy update(cmdLU, &QPushButton::clicked);
        auto* stable = find<QRadioButton>(window, QStringLiteral("optGet0"));
        stable->setFocus();
        QTest::keyClick(stable, Qt::Key_Return);
        QTRY_COMPARE(run.count(), 1);
        cmdLU->setFocus();
        QTest::keyClick(cmdLU, Qt::Key_Return);
        QTRY_COMPARE(update.count(), 1);
        QCOMPARE(run.count(), 1);
    }
};

KRVNM_REGISTER_TEST(MainWindowTest)
#include "MainWindowTest.moc"

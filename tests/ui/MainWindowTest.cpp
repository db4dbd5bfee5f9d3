// The main window as the user sees it: the real program over fake services. The last tests
// add the real transfer component and a loopback server, so that what a user does from the
// window reaches game detection, the download engine and the network.

#include "FindChild.h"
#include "GameFixture.h"
#include "MainWindowProbe.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "TestMain.h"
#include "app/MainCommands.h"
#include "app/StringIds.h"
#include "install/ArchiveSource.h"
#include "lang/LanguageStrings.h"
#include "ui/QtDialogs.h"
#include "ui/StatusPanel.h"
#include "ui/VersionRowsPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

bool controlEnabled(QWidget& window, const QString& name)
{
    if (auto* action = window.findChild<QAction*>(name))
        return action->isEnabled();
    if (auto* menu = window.findChild<QMenu*>(name))
        return menu->menuAction()->isEnabled();
    return find<QWidget>(window, name)->isEnabled();
}

QString statusBarText(QWidget& window)
{
    return find<QLabel>(window, "stbMainText")->text();
}

QStringList visibleStatusIcons(QWidget& window)
{
    QStringList shown;
    for (int row = 0; row < VersionRowsPanel::RowCount; ++row)
        if (!find<QLabel>(window, QStringLiteral("imgStatus%1").arg(row))->isHidden())
            shown << QStringLiteral("imgStatus%1").arg(row);
    return shown;
}

// The game as stored by an earlier run: korvane.exe of that version in a folder of its own.
QString storeGame(AppFixture& app, const QString& version)
{
    const QString folder = QDir::toNativeSeparators(app.temp.filePath(QStringLiteral("Korvane"))) + QDir::separator();
    writeGame(folder, QStringLiteral("korvane.exe"), version);
    app.settings.values.insert(QStringLiteral("KRVNPath"), folder);
    return folder;
}

void useServer(AppFixture& app, const TestHttpServer& server)
{
    for (const char* key : {"FEEDSERVER", "BUILDSERVER", "MAKERSERVER"})
        app.settings.values.insert(QLatin1String(key), server.url());
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
    // Versions, dates and answers come from servers and files; markup in them stays text.
    void serverTextIsNeverMarkup()
    {
        const QString markup = QStringLiteral("<a href=\"http://x/\">9.9</a>");
        AppFixture app;
        MainWindow& window = app.startWindow();
        for (const char* name : {"lblVersion", "lblDate0", "lblDate2", "lblDownloadStatus", "stbMainText"}) {
            auto* label = find<QLabel>(window, name);
            label->setText(markup);
            QVERIFY2(label->textFormat() == Qt::PlainText, name);
        }

        QtDialogs dialogs;
        Qt::TextFormat shown = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->textFormat();
            box->done(QMessageBox::No);
        });
        const QString offer =
            QStringLiteral("Korvane Manager version ") + markup + QStringLiteral(" is now available!");
        QCOMPARE(dialogs.messageBox({offer, MessageIcon::None, MessageButtons::YesNo, {}}), Answer::No);
        QCOMPARE(shown, Qt::PlainText);
    }

    // While a transfer runs, the commands that would start work refuse with string 52 and
    // Exit asks with string 51, "No" first: answered No, the window and the transfer stay.
    // The web links stay usable while busy, open their addresses and leave the transfer running
    // (one row for each way the link table builds an address).
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
        link("mnuForum", "http://forum.mirror.test/"); // its server is set in the settings, as a base address
        link("mnuTWSR", "http://www.quillonworks.example/townscape-refit-graphics/" + tracking);
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
        app.settings.values.insert("FORUMSERVER", "http://forum.mirror.test//");
        storeGame(app, QStringLiteral("1.4.0"));
        MainWindow& window = app.startWindow();
        app.settings.writes.clear();                           // what start-up stored
        app.app->commands().enableControls(address.isEmpty()); // the links must work while busy
        window.show();
        app.transfer.executing = true;
        if (auto* button = window.findChild<QPushButton*>(control))
            button->click();
        else
            find<QAction>(window, control)->trigger();
        QCOMPARE(app.platform.opened, address.isEmpty() ? QStringList() : QStringList{address});
        const MessageRequest refusal{app.state->str(text), icon, buttons,
                                     buttons == MessageButtons::YesNo ? std::optional(Answer::No) : std::nullopt};
        QCOMPARE(app.dialogs.messages, text ? QList{refusal} : QList<MessageRequest>());
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
        if (game != Game::None)
            storeGame(app, QStringLiteral("1.4.0"));
        MainWindow& window = app.startWindow();
        if (game == Game::Gone)
            QFile::remove(app.state->krvnExe);
        if (feed)
            QVERIFY(writeFile(app.state->versionsFile));
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
            QVERIFY2(controlEnabled(window, QLatin1String(name)) == idle, name);
        for (const char* name : {"cmdRun", "mnuCheckSelfUpdate", "cboRestore"})
            QVERIFY2(controlEnabled(window, QLatin1String(name)) == conditional.contains(QLatin1String(name)), name);
        for (const char* name : {"mnuKrvnWiki", "mnuKrvnHome", "mnuTWSR", "mnuWebsite", "mnuAbout", "mnuExit"})
            QVERIFY2(controlEnabled(window, QLatin1String(name)), name);
        QCOMPARE(window.cursor().shape(), idle ? Qt::ArrowCursor : Qt::BusyCursor);
        QCOMPARE(status.timeoutTimer()->isActive(), !idle);
        QCOMPARE(status.timeoutTimer()->interval(), 1000);
        auto* bar = find<QProgressBar>(window, "pgbMain");
        QCOMPARE(bar->isHidden(), idle);
        QCOMPARE(bar->value(), idle ? 0 : 1234);
        if (idle)
            QCOMPARE(find<QPushButton>(window, "cmdLU")->text(), caption);
        statusBar.replace(QStringLiteral("#folder#"), app.state->krvnPath);
        QCOMPARE(statusBarText(window), statusBar);
    }

    // Busy, the status bar repeats the newest status line whatever else asks, and `cmdCancel`
    // shows beside the progress bar: reached by Tab, pressed by its own click and never by
    // Escape, which stays cmdExit's. Idle, Cancel goes; the status bar shows the download
    // label's changes and returns to the default text when the mouse moves. A click selects
    // nothing in the status list.
    void statusAreaWhileBusyAndIdle()
    {
        AppFixture app;
        MainWindow& window = app.startWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MainCommands& commands = app.app->commands();
        StatusPanel& status = window.statusPanel();
        auto* cancel = find<QPushButton>(window, "cmdCancel");
        QVERIFY(cancel->isHidden());
        commands.enableControls(false);
        QCOMPARE(statusBarText(window), QString());
        status.addStatusLine(QStringLiteral("Connecting to server..."));
        QCOMPARE(statusBarText(window), QStringLiteral("Connecting to server..."));
        commands.setStatusBar(QStringLiteral("something else"));
        status.setDownloadLabel(QStringLiteral("12 KB downloaded, 80 KB total"));
        QCOMPARE(statusBarText(window), QStringLiteral("Connecting to server..."));

        QVERIFY(cancel->isVisible() && cancel->isEnabled());
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(cancel->focusPolicy() & Qt::TabFocus);
        QVERIFY(!cancel->isDefault());
        QTest::keyClick(&window, Qt::Key_Escape);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Escape);
        QVERIFY(!commands.cancelToken().stop_requested());
        QVERIFY(window.isVisible());
        QTest::keyClick(cancel, Qt::Key_Space);
        QVERIFY(commands.cancelToken().stop_requested());

        commands.enableControls(true);
        QVERIFY(cancel->isHidden());
        QCOMPARE(statusBarText(window), QStringLiteral("Korvane path not specified."));
        status.setDownloadLabel(QStringLiteral("Files extracted OK."));
        QCOMPARE(statusBarText(window), QStringLiteral("Files extracted OK."));
        for (const char* area : {"frmMainBackground", "picVersions", "fraStatus"}) {
            status.setDownloadLabel(QLatin1String(area));
            QWidget* over = find<QWidget>(window, area);
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(over, &move);
            QVERIFY2(statusBarText(window) == QStringLiteral("Korvane path not specified."), area);
        }
        auto* list = find<QListWidget>(window, "lstStatus");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QVERIFY(list->selectedItems().isEmpty());
    }

    // A pick in cboRestore, enabled and longer than ten entries, shows on row 3 whether it
    // is the installed release; otherwise row 3 stays as it was.
    void olderReleasePick_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("count"); // releases 1.0.0 to 1.0.<count - 2> and the empty closing record
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("icon"); // row 3's tooltip afterwards; empty: hidden
        const QString shown = "Now Installed", untouched = "New version!";
        QTest::newRow("installed pick") << true << 11 << 4 << "1.0.4" << shown;
        QTest::newRow("other pick") << true << 11 << 5 << "1.0.4" << QString();
        QTest::newRow("case differs") << true << 11 << 4 << "1.0.4 " << QString();
        QTest::newRow("ten entries") << true << 10 << 4 << "1.0.4" << untouched;
        QTest::newRow("list disabled") << false << 11 << 4 << "1.0.4" << untouched;
        QTest::newRow("no selection") << true << 11 << -1 << "1.0.4" << untouched;
        QTest::newRow("empty record, no game") << true << 11 << 10 << "" << QString();
    }

    void olderReleasePick()
    {
        QFETCH(bool, enabled);
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(QString, installed);
        QFETCH(QString, icon);
        AppFixture app;
        MainWindow& window = app.startWindow();
        app.state->krvnVersion = installed;
        QStringList versions;
        for (int i = 0; i < count - 1; ++i)
            versions << QStringLiteral("1.0.%1").arg(i);
        app.state->olderReleases.clear();
        for (const QString& version : versions << QString())
            app.state->olderReleases.append(ReleaseRecord{version, {}});
        window.versionRows().fillRestoreList(versions);
        window.versionRows().setRestoreEnabled(enabled);
        window.versionRows().setStatusIcon(0, StatusPicture::Download, QStringLiteral("New version!"));
        window.versionRows().setStatusIcon(3, StatusPicture::Download, QStringLiteral("New version!"));

        find<QComboBox>(window, "cboRestore")->setCurrentIndex(index);

        auto* row3 = find<QLabel>(window, "imgStatus3");
        QCOMPARE(row3->isHidden() ? QString() : row3->toolTip(), icon);
        // One status icon at a time (row 0's went when row 3's came), in the picture of its kind.
        QCOMPARE(visibleStatusIcons(window), icon.isEmpty() ? QStringList() : QStringList{"imgStatus3"});
        const QImage downloadPicture = find<QLabel>(window, "imgDownload")->pixmap().toImage();
        const QImage installedPicture = find<QLabel>(window, "imgInstalled")->pixmap().toImage();
        QVERIFY(downloadPicture != installedPicture);
        QVERIFY(icon.isEmpty() ||
                row3->pixmap().toImage() == (icon == "New version!" ? downloadPicture : installedPicture));
        window.statusPanel().hideStatusIcons();
        QCOMPARE(visibleStatusIcons(window), QStringList());
    }

    // Escape closes an open list or menu and nothing more; with nothing open it is Exit's.
    void escapeClosesWhatIsOpenAndOnlyThenTheWindow()
    {
        AppFixture app;
        MainWindow& window = app.startWindow();
        app.state->olderReleases = QList<ReleaseRecord>(11, ReleaseRecord{QStringLiteral("1.3.0"), {}});
        window.versionRows().fillRestoreList(QStringList(11, QStringLiteral("1.3.0 (2012-01-01)")));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        find<QComboBox>(window, "cboRestore")->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QMenu* file = find<QMenu>(window, "mnuFile");
        window.menuBar()->setActiveAction(file->menuAction());
        QTRY_VERIFY(file->isVisible());
        QTest::keyClick(file, Qt::Key_Escape);
        QTRY_VERIFY(!file->isVisible());
        QTest::qWait(50);
        QVERIFY(window.isVisible());
        QCOMPARE(app.platform.processEnds, 0);

        auto* cmdLU = find<QPushButton>(window, "cmdLU");
        cmdLU->setFocus();
        QTest::keyClick(cmdLU, Qt::Key_Escape);
        QTRY_COMPARE(app.platform.processEnds, 1);
    }

    // A "Version information" link is reached with Tab, shows that it has the focus, and
    // opens its change log on Enter or Space, which then do not start the game. Enter starts
    // the game unless another button has the focus.
    void enterAndTheVersionLinksFromTheKeyboard()
    {
        AppFixture app;
        storeGame(app, QStringLiteral("1.4.0"));
        MainWindow& window = app.startWindow();
        app.platform.offline = true; // the release check that cmdLU starts ends at once
        app.state->latestStable = "1.5.0";
        window.versionRows().setRowEnabled(0, true);
        app.app->commands().enableControls(true);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* link = find<QLabel>(window, "lblVersionInfo0");
        const QImage unfocused = link->grab().toImage();
        auto* cmdRun = find<QPushButton>(window, "cmdRun");
        QSignalSpy run(cmdRun, &QPushButton::clicked);

        auto* stable = find<QRadioButton>(window, "optGet0");
        stable->setFocus();
        QTest::keyClick(stable, Qt::Key_Tab);
        QVERIFY(link->hasFocus());
        QVERIFY2(link->grab().toImage() != unfocused, "the focus shows");
        QTest::keyClick(link, Qt::Key_Return);
        QVERIFY(!cmdRun->isDown()); // Run would be pressed at once (its click follows its animation)
        QTest::keyClick(link, Qt::Key_Space);
        const QString changeLog = app.state->endpoints.buildServer + "/binaries/releases/1.5.0/changelog.txt";
        QCOMPARE(app.platform.opened, (QStringList{changeLog, changeLog}));

        auto* cmdLU = find<QPushButton>(window, "cmdLU");
        QSignalSpy update(cmdLU, &QPushButton::clicked);
        cmdLU->setFocus();
        QTest::keyClick(cmdLU, Qt::Key_Return);
        QTRY_COMPARE(update.count(), 1);
        stable->setFocus();
        QTest::keyClick(stable, Qt::Key_Return);
        QTRY_COMPARE(run.count(), 1);
    }

    // 1366 x 768 at 125 % with a taskbar leaves about 1090 x 570: everything fits, and the
    // status list is what gives way.
    void fitsASmallScreenTheStatusListGivingWay()
    {
        AppFixture app;
        MainWindow& window = app.startWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // What the title bar leaves of the 570 (this platform draws no frame).
        constexpr int ClientHeight = 540;
        QVERIFY2(window.minimumSizeHint().height() <= ClientHeight,
                 qPrintable(QString::number(window.minimumSizeHint().height())));
        window.fitInto(QRect(0, 0, 1090, 570));
        QTRY_VERIFY(window.frameGeometry().height() <= 570);
        for (const char* name : {"fraVersion", "fraVersions", "cmdLU", "stbMain"}) {
            QWidget* part = find<QWidget>(window, name);
            const int wanted =
                part->hasHeightForWidth() ? part->heightForWidth(part->width()) : part->sizeHint().height();
            QVERIFY2(part->height() >= wanted, name);
            QVERIFY2(part->mapTo(&window, QPoint(0, part->height())).y() <= window.height(), name);
        }
        auto* list = find<QListWidget>(window, "lstStatus");
        QVERIFY2(list->height() < list->sizeHint().height(), qPrintable(QString::number(list->height())));
        QVERIFY2(list->height() >= 3 * list->fontMetrics().height(), "three lines still show");
    }

    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<bool>("catalogueLoaded");
        QTest::addColumn<bool>("atStartUp");
        QTest::addColumn<QString>("beta");
        QTest::addColumn<QString>("betaCaption");
        QTest::addColumn<QString>("leftOut"); // a control renamed away: reported once, after the others
        const auto row = [](const char* name, int k, bool loaded, bool atStartUp, const char* beta, const char* caption,
                            const char* leftOut) {
            QTest::newRow(name) << k << loaded << atStartUp << QString::fromUtf8(beta) << QString::fromUtf8(caption)
                                << QString::fromLatin1(leftOut);
        };
        row("English at start-up", 0, false, true, "1.4.0-beta5", "Korvane 1.4.0 beta5", "");
        row("French, a label missing", 3, false, false, "1.4.0-beta5", "Korvane 1.4.0 beta5", "lblDate1");
        row("Korean with a catalogue, a menu item missing", 6, true, false, "1.4.0-RC1-2", "Korvane 1.4.0 RC1 2",
            "mnuOpen");
        row("beta without a dash", 10, true, true, "1.4.0", "Korvane 1.4.0", "");
    }

    void captionsFollowTheLanguage()
    {
        QFETCH(int, k);
        QFETCH(bool, catalogueLoaded);
        QFETCH(bool, atStartUp);
        QFETCH(QString, beta);
        QFETCH(QString, betaCaption);
        QFETCH(QString, leftOut);
        MainWindowProbe window;
        if (!leftOut.isEmpty())
            window.window.findChild<QObject*>(leftOut)->setObjectName(QStringLiteral("renamed"));
        AppState state = *window.app.state; // the window's own, as loaded from an empty store
        state.languageIndex = static_cast<std::uint8_t>(k);
        loadLanguageStrings(state, BuiltinStrings::compiled());
        state.catalogueLoaded = catalogueLoaded;
        state.latestBeta = beta;
        // The web links, the platform items, the version label and the title stay as they are.
        const QStringList untouched{"mnuForum", "mnuWin32", "lblVersion"};
        const QStringList before = window.captions(untouched);
        const QString title = window.window.windowTitle();
        RecordingErrorHandler errors;

        translateMainWindow(atStartUp, window, state, errors);

        const QStringList names{"cmdLU",   "cmdRun",  "cmdExit",  "mnuExit",     "optGet0",     "optGet1",
                                "optGet2", "optGet3", "lblDate0", "lblDate1",    "lblDate2",    "lblVersionInfo3",
                                "mnuFile", "mnuHelp", "mnuOpen",  "mnuSettings", "mnuPlatform", "mnuCheckSelfUpdate",
                                "mnuAbout"};
        QStringList expected({languageRow(k, catalogueLoaded ? 45 : 44), languageRow(k, 43), languageRow(k, 5),
                              languageRow(k, 5), "Korvane 1.4.0 (stable)", betaCaption, "Korvane r26400 (nightly)",
                              languageRow(k, 42), languageRow(k, 40) + " 2013-04-01",
                              languageRow(k, 40) + " 2014-02-25", languageRow(k, 40) + " 2014-03-12",
                              languageRow(k, 41), languageRow(k, 1), languageRow(k, 3), languageRow(k, 4) + "...",
                              languageRow(k, 6) + "...", languageRow(k, 8), languageRow(k, 44), languageRow(k, 10)});
        if (!leftOut.isEmpty())
            expected[names.indexOf(leftOut)] = window.caption(leftOut); // no such control now
        QCOMPARE(window.captions(names), expected);
        QCOMPARE(window.captions(untouched), before);
        // Every menu and menu entry has a caption to read.
        QList<QAction*> entries = window.window.menuBar()->actions();
        for (QMenu* menu : window.window.findChildren<QMenu*>())
            entries += menu->actions();
        for (QAction* entry : entries)
            QVERIFY2(
                entry->isSeparator() || !entry->text().isEmpty(),
                qPrintable((entry->menu() ? entry->menu()->objectName() : entry->objectName()) + " has no caption"));
        QCOMPARE(window.window.windowTitle(), title);
        QCOMPARE(window.identifications, atStartUp ? 0 : 1);
        QCOMPARE(window.statusTexts, QStringList{QString()});
        QCOMPARE(errors.reports.size(), leftOut.isEmpty() ? 0 : 1);
        for (const RecordingErrorHandler::Report& report : errors.reports) {
            QCOMPARE(report.source, "TranslateFrmMain");
            QVERIFY2(report.description.contains(leftOut), qPrintable(report.description));
        }
    }

    // The stored game is identified at start-up (its row shows as installed) and Run
    // launches it in its folder, leaving through the normal shutdown.
    void runLaunchesTheStoredGame()
    {
        AppFixture app;
        const QString folder = storeGame(app, QStringLiteral("1.4.0"));
        MainWindow& window = app.startWindow();
        QVERIFY(!window.findChild<QLabel*>("imgStatus0")->isHidden());

        window.show();
        window.findChild<QPushButton*>("cmdRun")->click();
        QCOMPARE(app.platform.launches.size(), 1);
        QCOMPARE(app.platform.launches.first().program, folder + QStringLiteral("korvane.exe"));
        QCOMPARE(app.platform.launches.first().workingFolder, folder);
        QVERIFY(!window.isVisible());
        QCOMPARE(app.platform.processEnds, 1);
        QVERIFY(app.errors.reports.isEmpty());
    }

    // Closing the window while an archive is being unpacked asks first (string 51, "No"
    // first); answered No, the window stays.
    void closingMidExtractionAsksFirst()
    {
        // No checksum is published; the archive in the work folder is the one this program
        // downloaded, so it is unpacked without a download.
        TestHttpServer server;
        QVERIFY(server.start());
        AppFixture app(true);
        useServer(app, server);
        MainWindow& window = app.startWindow();
        app.state->krvnPath = app.temp.filePath(QStringLiteral("Korvane")) + QDir::separator();
        app.state->latestStable = QStringLiteral("1.5.0");
        app.state->catalogueLoaded = true;
        const QString archive = ArchiveSource::archiveName(app.state->platformIndex, "1.5.0");
        QVERIFY(writeFile(app.state->workFolder + archive, "x"));
        app.settings.writeItem(SettingKey::ArchiveDigest, archive,
                               QString::fromLatin1(QCryptographicHash::hash("x", QCryptographicHash::Sha256).toHex()));
        window.show();
        auto* list = window.findChild<QListWidget*>("lstStatus");
        QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, &window, [&](auto&, int first, int) {
            if (list->item(first)->text() == app.state->str(Str::InstallingNewVersion))
                window.close();
        });
        window.versionRows().setRowEnabled(0, true); // offered, as after a check
        window.findChild<QRadioButton*>("optGet0")->click();
        window.findChild<QPushButton*>("cmdLU")->click();
        const MessageRequest question{app.state->str(Str::ExitWhileDownloading), MessageIcon::Exclamation,
                                      MessageButtons::YesNo, Answer::No};
        QCOMPARE(app.dialogs.messages.value(0), question);
        QVERIFY(window.isVisible());
        QCOMPARE(app.platform.processEnds, 0);
    }

    // Check for Updates offers each row once its channel is found: a feed without the beta
    // line leaves the beta row disabled and unmarked (a beta is stored from before), and the
    // older-release list, filled with the installed release first, marks row 3 as installed.
    // The day's self-update check follows, once; a change-log link opens the page of its
    // row's release on the left button.
    void checkForUpdatesOffersWhatTheFeedFound()
    {
        TestHttpServer server;
        QVERIFY(server.start());
        server.serveBytes(QStringLiteral("/versions.txt"),
                          "1.5.0\t2015-01-01\tstable\nr27000\t2015-02-03\tnightlies\n");
        QByteArray listing = "<table>";
        for (int minor = 0; minor < 11; ++minor)
            listing += QStringLiteral("<tr><td><a href=\"1.3.%1/\">1.3.%1/</a></td><td>2012-01-%2 10:00 </td></tr>")
                           .arg(minor)
                           .arg(minor + 10)
                           .toUtf8();
        server.serveBytes(QStringLiteral("/binaries/releases/"), listing + "</table>");
        server.serveBytes(QStringLiteral("/files/updates.php"), "[KRVNM]\nversion=1.0.4\n");
        AppFixture app(true);
        useServer(app, server);
        app.settings.values.insert("LatestBeta", "1.5.0-beta2");
        storeGame(app, QStringLiteral("1.3.0"));
        MainWindow& window = app.startWindow();
        const auto option = [&](int row) { return window.findChild<QRadioButton*>("optGet" + QString::number(row)); };
        const auto link = [&](int row) { return window.findChild<QLabel*>("lblVersionInfo" + QString::number(row)); };
        for (int row = 0; row < 4; ++row) {
            QVERIFY2(!option(row)->isEnabled() && !option(row)->isChecked(), qPrintable(option(row)->objectName()));
            QVERIFY(!link(row)->isEnabled());
        }

        window.findChild<QPushButton*>("cmdLU")->click();
        QVERIFY(app.state->catalogueLoaded);
        QVERIFY(!option(1)->isEnabled() && !link(1)->isEnabled());
        QCOMPARE(app.settings.values.value(QStringLiteral("LatestBeta")), QStringLiteral("1.5.0-beta2"));
        for (int row : {0, 2, 3})
            QVERIFY2(option(row)->isEnabled() && link(row)->isEnabled(), qPrintable(option(row)->objectName()));
        QVERIFY(option(0)->isChecked());
        QCOMPARE(visibleStatusIcons(window), QStringList{"imgStatus3"});
        QCOMPARE(find<QLabel>(window, "imgStatus3")->toolTip(), QStringLiteral("Now Installed"));
        QVERIFY2(app.state->selfCheckDone, "the daily self-update check followed");
        const auto selfCheck = [](const TestHttpServer::Request& r) { return r.path.startsWith("/files/updates.php"); };
        QCOMPARE(std::ranges::count_if(server.requests(), selfCheck), 1);
        QVERIFY(app.errors.reports.isEmpty());

        QTest::mouseClick(link(0), Qt::RightButton);
        QTest::mouseClick(link(2), Qt::LeftButton);
        QTest::mouseClick(link(0), Qt::LeftButton);
        QCOMPARE(app.platform.opened, (QStringList{server.url("/binaries/nightlies/trunk/r27000/changelog.txt"),
                                                   server.url("/binaries/releases/1.5.0/changelog.txt")}));
    }
};

KRVNM_REGISTER_TEST(MainWindowTest)
#include "MainWindowTest.moc"

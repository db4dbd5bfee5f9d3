#include "AppFixture.h"
#include "TestMain.h"
#include "app/WindowHelpers.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

template <typename T> T* Find(QWidget& window, const QString& name)
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
    return Find<QWidget>(window, name)->isEnabled();
}

void Touch(const QString& path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("x");
}

// A game the window has found: korvane.exe in a folder of the fixture's temporary folder.
void PlaceGame(AppFixture& app)
{
    const QString folder = app.temp.filePath(QStringLiteral("Korvane"));
    QDir().mkpath(folder);
    app.state->KrvnPath = QDir::toNativeSeparators(folder) + QDir::separator();
    app.state->KrvnExe = app.state->KrvnPath + QStringLiteral("korvane.exe");
    app.state->KrvnVersion = QStringLiteral("1.4.0");
    Touch(app.state->KrvnExe);
}

void MoveMouseOver(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

QStringList VisibleStatusIcons(frmMain& window)
{
    QStringList shown;
    for (int row = 0; row < frmMain::RowCount; ++row)
        if (!Find<QLabel>(window, QStringLiteral("imgStatus%1").arg(row))->isHidden())
            shown << QStringLiteral("imgStatus%1").arg(row);
    return shown;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsCarryTheirNames()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        const QStringList widgets = {
            "imgTop",         "imgTopIcon",       "lblTop",      "lblTopShadow", "lneTop1",      "lneTop2",
            "fraVersion",     "lblVersion",       "fraVersions", "picVersions",  "cboRestore",   "fraStatus",
            "lstStatus",      "pgbMain",          "cmdRun",      "cmdLU",        "cmdExit",      "stbMain",
            "imgDownload",    "imgUpdate",        "imgWait",     "imgError",     "imgInstalled", "imgDownloading",
            "imgExclamation", "lblDownloadStatus"};
        for (const QString& name : widgets)
            QVERIFY2(window.findChild<QWidget*>(name), qPrintable("missing control " + name));
        for (int i = 0; i < 4; ++i) {
            QVERIFY(Find<QRadioButton>(window, QStringLiteral("optGet%1").arg(i)));
            QVERIFY(Find<QLabel>(window, QStringLiteral("lblVersionInfo%1").arg(i)));
            QVERIFY(Find<QLabel>(window, QStringLiteral("imgStatus%1").arg(i))->isHidden());
        }
        for (int i = 0; i < 3; ++i)
            QCOMPARE(Find<QLabel>(window, QStringLiteral("lblDate%1").arg(i))->text(), QStringLiteral("Date:"));
        QVERIFY2(!window.findChild<QLabel*>(QStringLiteral("lblDate3")), "row 3 has no date line");
        for (int i = 0; i < 8; ++i)
            QVERIFY(Find<QWidget>(window, QStringLiteral("lneLine%1").arg(i)));
        QCOMPARE(Find<QLabel>(window, QStringLiteral("lblTop"))->text(), QStringLiteral("Korvane Manager"));
        QCOMPARE(Find<QLabel>(window, QStringLiteral("lblTopShadow"))->text(), QStringLiteral("Korvane Manager"));
        QCOMPARE(Find<QRadioButton>(window, QStringLiteral("optGet3"))->text(),
                 QStringLiteral("Previous Korvane version"));
        QVERIFY(Find<QRadioButton>(window, QStringLiteral("optGet0"))->isChecked());
        QCOMPARE(Find<QLabel>(window, QStringLiteral("lblVersionInfo2"))->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(Find<QPushButton>(window, QStringLiteral("cmdRun"))->isDefault());
        QCOMPARE(Find<QPushButton>(window, QStringLiteral("cmdExit"))->shortcut(), QKeySequence(Qt::Key_Escape));

        auto* timer = window.findChild<QTimer*>(QStringLiteral("tmrTimeout"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(!timer->isActive());
        QCOMPARE(window.TimeoutTimer(), timer);
        QVERIFY(Find<QProgressBar>(window, QStringLiteral("pgbMain"))->isHidden());
        for (const char* picture :
             {"imgDownload", "imgUpdate", "imgWait", "imgError", "imgInstalled", "imgDownloading", "imgExclamation"}) {
            auto* source = Find<QLabel>(window, QLatin1String(picture));
            QVERIFY(source->isHidden());
            QVERIFY2(!source->pixmap().isNull(), picture);
            QCOMPARE(source->pixmap().deviceIndependentSize(), QSizeF(16, 16));
        }
        QCOMPARE(Find<QComboBox>(window, QStringLiteral("cboRestore"))->currentIndex(), 0);
    }

    void menuTreeHasItsEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("caption");
        QTest::newRow("mnuOpen") << "mnuOpen"
                                 << "mnuFile"
                                 << "Select KRVN path...";
        QTest::newRow("mnuExit") << "mnuExit"
                                 << "mnuFile"
                                 << "Exit";
        QTest::newRow("mnuSettings") << "mnuSettings"
                                     << "mnuOptions"
                                     << "Settings...";
        QTest::newRow("mnuWin9x") << "mnuWin9x"
                                  << "mnuPlatform"
                                  << "Win9x Korvane";
        QTest::newRow("mnuWin32") << "mnuWin32"
                                  << "mnuPlatform"
                                  << "Win32 Korvane";
        QTest::newRow("mnuWin64") << "mnuWin64"
                                  << "mnuPlatform"
                                  << "Win64 Korvane";
        QTest::newRow("mnuRedetect") << "mnuRedetect"
                                     << "mnuOptions"
                                     << "Redetect KRVN version";
        QTest::newRow("mnuKrvnWiki") << "mnuKrvnWiki"
                                     << "mnuHelp"
                                     << "Korvane Wiki";
        QTest::newRow("mnuKrvnHome") << "mnuKrvnHome"
                                     << "mnuLinksKRVN"
                                     << "Homepage";
        QTest::newRow("mnuForum") << "mnuForum"
                                  << "mnuLinksKRVN"
                                  << "Forums";
        QTest::newRow("mnuBug") << "mnuBug"
                                << "mnuLinksKRVN"
                                << "Report a bug";
        QTest::newRow("mnuKrvnFiles") << "mnuKrvnFiles"
                                      << "mnuLinksKRVN"
                                      << "Previous versions";
        QTest::newRow("mnuCrates") << "mnuCrates"
                                   << "mnuLinksGraphics"
                                   << "Korvane Crates";
        QTest::newRow("mnuGRFCrawler") << "mnuGRFCrawler"
                                       << "mnuLinksGraphics"
                                       << "GRF Crawler";
        QTest::newRow("mnuTWSR") << "mnuTWSR"
                                 << "mnuLinksGraphics"
                                 << "Townscape Refit";
        QTest::newRow("mnuCheckSelfUpdate") << "mnuCheckSelfUpdate"
                                            << "mnuHelp"
                                            << "Check for Updates";
        QTest::newRow("mnuWebsite") << "mnuWebsite"
                                    << "mnuHelp"
                                    << "Korvane Manager website";
        QTest::newRow("mnuAbout") << "mnuAbout"
                                  << "mnuHelp"
                                  << "About Korvane Manager";
    }

    void menuTreeHasItsEntries()
    {
        QFETCH(QString, name);
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        AppFixture app;
        frmMain& window = app.startWindow();
        auto* action = window.findChild<QAction*>(name);
        QVERIFY2(action, qPrintable("missing menu entry " + name));
        QCOMPARE(action->text(), caption);
        auto* parent = window.findChild<QMenu*>(menu);
        QVERIFY(parent);
        QVERIFY2(parent->actions().contains(action), qPrintable(name + " is not in " + menu));
    }

    void menuSeparatorsAndTopMenus()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        QStringList top;
        for (QAction* action : window.menuBar()->actions())
            top << action->menu()->objectName() + QLatin1Char('=') + action->text();
        QCOMPARE(top, (QStringList{"mnuFile=&File", "mnuOptions=&Options", "mnuHelp=&Help"}));
        QStringList help;
        for (QAction* action : Find<QMenu>(window, QStringLiteral("mnuHelp"))->actions())
            help << (action->menu() ? action->menu()->objectName() : action->objectName());
        QCOMPARE(help, (QStringList{"mnuKrvnWiki", "brk04", "mnuLinksKRVN", "mnuLinksGraphics", "brk05",
                                    "mnuCheckSelfUpdate", "brk06", "mnuWebsite", "mnuAbout"}));
        QStringList options;
        for (QAction* action : Find<QMenu>(window, QStringLiteral("mnuOptions"))->actions())
            options << (action->menu() ? action->menu()->objectName() : action->objectName());
        QCOMPARE(options, (QStringList{"mnuSettings", "brk02", "mnuPlatform", "mnuRedetect"}));
    }

    void webLinksOpenTheirAddresses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::newRow("mnuKrvnWiki") << "mnuKrvnWiki"
                                     << "http://wiki.korvane.example/Main_Page";
        QTest::newRow("mnuKrvnHome") << "mnuKrvnHome"
                                     << "http://www.korvane.example/";
        QTest::newRow("mnuForum") << "mnuForum"
                                  << "http://forum.mirror.test/";
        QTest::newRow("mnuBug") << "mnuBug"
                                << "http://bugs.korvane.example/";
        QTest::newRow("mnuKrvnFiles") << "mnuKrvnFiles"
                                      << "http://builds.korvane.example/";
        QTest::newRow("mnuCrates") << "mnuCrates"
                                   << "http://content.korvane.example/en/newgrf/";
        QTest::newRow("mnuGRFCrawler") << "mnuGRFCrawler"
                                       << "http://grfcrawler.example/";
        QTest::newRow("mnuTWSR") << "mnuTWSR"
                                 << "http://www.quillonworks.example/townscape-refit-graphics/"
                                    "?utm_source=krvnm&utm_medium=app&utm_campaign=104";
        QTest::newRow("mnuWebsite") << "mnuWebsite"
                                    << "http://www.quillonworks.example/korvane-manager/"
                                       "?utm_source=krvnm&utm_medium=app&utm_campaign=104";
    }

    void webLinksOpenTheirAddresses()
    {
        QFETCH(QString, name);
        QFETCH(QString, address);
        AppFixture app;
        app.settings.values.insert(QStringLiteral("FORUMSERVER"), QStringLiteral("http://forum.mirror.test/"));
        frmMain& window = app.startWindow();
        window.EnableControls(false); // links stay usable during a download
        app.transfer.executing = true;
        auto* link = window.findChild<QAction*>(name);
        QVERIFY(link);
        QVERIFY(link->isEnabled());
        link->trigger();
        QCOMPARE(app.platform.opened, QStringList{address});
        QVERIFY2(app.transfer.executing, "opening a link leaves the transfer alone");
        QVERIFY(app.dialogs.messages.isEmpty());
    }

    void selfUpdateCheckIsRefusedDuringATransfer()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        QSignalSpy requested(&window, &frmMain::selfUpdateRequested);
        app.transfer.executing = true;
        window.mnuCheckSelfUpdate_Click();
        QCOMPARE(requested.count(), 0);
        QCOMPARE(app.dialogs.messages.size(), 1);
        QCOMPARE(app.dialogs.messages.first().text, app.state->str(52));
        QCOMPARE(app.dialogs.messages.first().icon, MessageIcon::Critical);
        QCOMPARE(app.dialogs.messages.first().buttons, MessageButtons::Ok);
        QCOMPARE(app.dialogs.messages.first().title, QStringLiteral("Korvane Manager"));

        app.transfer.executing = false;
        window.findChild<QAction*>(QStringLiteral("mnuCheckSelfUpdate"))->trigger();
        QCOMPARE(requested.count(), 1);
        QCOMPARE(app.dialogs.messages.size(), 1);
    }

    void enableControlsFollowsTheStateTable_data()
    {
        QTest::addColumn<bool>("game");
        QTest::addColumn<bool>("selfCheckDone");
        QTest::addColumn<bool>("idle");
        QTest::addColumn<bool>("run");
        QTest::addColumn<bool>("selfUpdate");
        QTest::addColumn<QString>("statusBar");
        QTest::newRow("idle, game found")
            << true << false << true << true << true << "Korvane version 1.4.0 detected at #folder#";
        QTest::newRow("idle, no game") << false << false << true << false << true << "Korvane path not specified.";
        QTest::newRow("idle, self-check done")
            << false << true << true << false << false << "Korvane path not specified.";
        QTest::newRow("busy, game found") << true << false << false << false << false << "Downloading data...";
        QTest::newRow("busy, no game") << false << false << false << false << false << "Downloading data...";
    }

    void enableControlsFollowsTheStateTable()
    {
        QFETCH(bool, game);
        QFETCH(bool, selfCheckDone);
        QFETCH(bool, idle);
        QFETCH(bool, run);
        QFETCH(bool, selfUpdate);
        QFETCH(QString, statusBar);
        AppFixture app;
        frmMain& window = app.startWindow();
        if (game)
            PlaceGame(app);
        app.state->SelfCheckDone = selfCheckDone;
        window.AddStatusLine(QStringLiteral("Downloading data..."));
        // The state a transfer leaves behind.
        window.EnableControls(false);
        window.TimeoutTimer()->start();
        window.ProgressBar()->setMaximum(5000);
        window.ProgressBar()->setValue(1234);
        window.ProgressBar()->setVisible(true);

        window.EnableControls(idle);

        for (const char* name : {"cmdLU", "cmdExit", "mnuOpen", "mnuSettings", "mnuPlatform", "mnuRedetect"})
            QVERIFY2(Enabled(window, QLatin1String(name)) == idle, name);
        QCOMPARE(Enabled(window, QStringLiteral("cmdRun")), run);
        QCOMPARE(Enabled(window, QStringLiteral("mnuCheckSelfUpdate")), selfUpdate);
        QVERIFY(!Enabled(window, QStringLiteral("cboRestore")));
        for (const char* name : {"mnuKrvnWiki", "mnuKrvnHome", "mnuTWSR", "mnuWebsite", "mnuAbout", "mnuExit"})
            QVERIFY2(Enabled(window, QLatin1String(name)), name);
        QCOMPARE(window.cursor().shape(), idle ? Qt::ArrowCursor : Qt::BusyCursor);
        QCOMPARE(window.TimeoutTimer()->isActive(), !idle);
        QCOMPARE(window.ProgressBar()->isHidden(), idle);
        if (idle) {
            QCOMPARE(window.ProgressBar()->value(), 0);
            QCOMPARE(window.ProgressBar()->maximum(), 100);
        }
        statusBar.replace(QStringLiteral("#folder#"), app.state->KrvnPath);
        QCOMPARE(window.StatusBarText(), statusBar);
    }

    void runButtonNeedsTheGameOnDisk()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        PlaceGame(app);
        QFile::remove(app.state->KrvnExe);
        window.EnableControls(true);
        QVERIFY2(!Enabled(window, QStringLiteral("cmdRun")), "a game path whose executable is gone");
        Touch(app.state->KrvnExe);
        window.EnableControls(true);
        QVERIFY(Enabled(window, QStringLiteral("cmdRun")));
    }

    void updateButtonCaptionFollowsTheReleaseFeed()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        auto* cmdLU = Find<QPushButton>(window, QStringLiteral("cmdLU"));
        QCOMPARE(cmdLU->text(), QStringLiteral("Check for Updates"));
        app.state->LanguageStrings[44] = QStringLiteral("Rechercher");
        app.state->LanguageStrings[45] = QStringLiteral("Installer");

        window.EnableControls(false);
        Touch(app.state->VersionsFile);
        window.EnableControls(true);
        QCOMPARE(cmdLU->text(), QStringLiteral("Installer"));

        QFile::remove(app.state->VersionsFile);
        window.EnableControls(true);
        QCOMPARE(cmdLU->text(), QStringLiteral("Rechercher"));
    }

    void restoreListFollowsTheReleaseListLength_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("reset list") << 1 << false;
        QTest::newRow("11 entries") << 11 << false;
        QTest::newRow("12 entries") << 12 << true;
        QTest::newRow("40 entries") << 40 << true;
    }

    void restoreListFollowsTheReleaseListLength()
    {
        QFETCH(int, entries);
        QFETCH(bool, enabled);
        AppFixture app;
        frmMain& window = app.startWindow();
        QCOMPARE(app.state->OlderReleases.size(), 1);
        app.state->OlderReleases = QList<ReleaseRecord>(entries);
        window.EnableControls(false);
        QVERIFY(!Enabled(window, QStringLiteral("cboRestore")));
        window.EnableControls(true);
        QCOMPARE(Enabled(window, QStringLiteral("cboRestore")), enabled);
    }

    void statusBarRepeatsTheNewestLineWhileBusy()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        window.EnableControls(false);
        QCOMPARE(window.StatusBarText(), QString());
        window.AddStatusLine(QStringLiteral("Connecting to server..."));
        QCOMPARE(window.StatusBarText(), QStringLiteral("Connecting to server..."));
        window.SetStatusBar(QStringLiteral("something else"));
        QCOMPARE(window.StatusBarText(), QStringLiteral("Connecting to server..."));
        window.SetDownloadStatus(QStringLiteral("12 KB downloaded, 80 KB total"));
        QCOMPARE(window.DownloadStatus(), QStringLiteral("12 KB downloaded, 80 KB total"));
        QCOMPARE(window.StatusBarText(), QStringLiteral("Connecting to server..."));
        window.StatusList()->addItem(QStringLiteral("Downloading data..."));
        QCOMPARE(window.StatusBarText(), QStringLiteral("Downloading data..."));
        window.SetStatusBar();
        QCOMPARE(window.StatusBarText(), QStringLiteral("Downloading data..."));

        window.EnableControls(true);
        QCOMPARE(window.StatusBarText(), QStringLiteral("Korvane path not specified."));
        window.SetStatusBar(QStringLiteral("given text"));
        QCOMPARE(window.StatusBarText(), QStringLiteral("given text"));
    }

    void downloadLabelAndMouseMoveDriveTheIdleStatusBar()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.SetDownloadStatus(QStringLiteral("Files extracted OK."));
        QCOMPARE(window.StatusBarText(), QStringLiteral("Files extracted OK."));
        MoveMouseOver(window.centralWidget());
        QCOMPARE(window.StatusBarText(), QStringLiteral("Korvane path not specified."));

        window.SetDownloadStatus(QStringLiteral("Done."));
        QCOMPARE(window.StatusBarText(), QStringLiteral("Done."));
        MoveMouseOver(Find<QWidget>(window, QStringLiteral("picVersions")));
        QCOMPARE(window.StatusBarText(), QStringLiteral("Korvane path not specified."));

        PlaceGame(app);
        window.SetDownloadStatus(QStringLiteral("Done. "));
        MoveMouseOver(Find<QWidget>(window, QStringLiteral("fraStatus")));
        QCOMPARE(window.StatusBarText(), "Korvane version 1.4.0 detected at " + app.state->KrvnPath);
    }

    void statusListKeepsNoSelection()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const char* line : {"Downloading updates list...", "Updates list downloaded successfully."})
            window.AddStatusLine(QLatin1String(line));
        QListWidget* list = window.StatusList();
        const QRect first = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QVERIFY2(list->selectedItems().isEmpty(), "a click selects nothing in the log");
        list->item(1)->setSelected(true);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QVERIFY(list->selectedItems().isEmpty());
    }

    void oneStatusIconAtATime()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        QLabel* download = Find<QLabel>(window, QStringLiteral("imgDownload"));
        QLabel* installed = Find<QLabel>(window, QStringLiteral("imgInstalled"));
        QCOMPARE(window.PictureSource(0), download);
        QCOMPARE(window.PictureSource(4), installed);

        window.SetStatusIcon(0, download, QStringLiteral("New version!"));
        QCOMPARE(VisibleStatusIcons(window), QStringList{"imgStatus0"});
        window.SetStatusIcon(2, installed, QStringLiteral("Now Installed"));
        QCOMPARE(VisibleStatusIcons(window), QStringList{"imgStatus2"});
        auto* row2 = Find<QLabel>(window, QStringLiteral("imgStatus2"));
        QCOMPARE(row2->toolTip(), QStringLiteral("Now Installed"));
        QCOMPARE(row2->pixmap().toImage(), installed->pixmap().toImage());
        QVERIFY(row2->pixmap().toImage() != download->pixmap().toImage());

        window.SetStatusIcon(9, download, QStringLiteral("no such row"));
        QCOMPARE(VisibleStatusIcons(window), QStringList());
    }

    void versionInfoLinksReportTheirRow()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy clicked(&window, &frmMain::versionInfoClicked);
        QTest::mouseClick(Find<QLabel>(window, QStringLiteral("lblVersionInfo3")), Qt::LeftButton);
        QTest::mouseClick(Find<QLabel>(window, QStringLiteral("lblVersionInfo1")), Qt::LeftButton);
        QCOMPARE(clicked.count(), 2);
        QCOMPARE(clicked.at(0).at(0).toInt(), 3);
        QCOMPARE(clicked.at(1).at(0).toInt(), 1);
    }

    void programIconIsDrawnWhereAsked()
    {
        QImage canvas(64, 64, QImage::Format_ARGB32);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        QVERIFY(DrawProgramIcon(painter, 0, 16, 8));
        QVERIFY2(!DrawProgramIcon(painter, 1, 0, 0), "the program has one icon");
        painter.end();
        int covered = 0, outside = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const bool inIcon = x >= 16 && x < 48 && y >= 8 && y < 40;
                if (qAlpha(canvas.pixel(x, y)) > 0)
                    (inIcon ? covered : outside)++;
            }
        QVERIFY2(covered > 32 * 32 / 2, qPrintable(QStringLiteral("%1 pixels of the icon drawn").arg(covered)));
        QCOMPARE(outside, 0);
    }

    void enterStartsTheGameUnlessAnotherButtonHasTheFocus()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        PlaceGame(app);
        window.EnableControls(true);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy run(Find<QPushButton>(window, QStringLiteral("cmdRun")), &QPushButton::clicked);
        QSignalSpy update(Find<QPushButton>(window, QStringLiteral("cmdLU")), &QPushButton::clicked);
        auto* stable = Find<QRadioButton>(window, QStringLiteral("optGet0"));
        stable->setFocus();
        QTest::keyClick(stable, Qt::Key_Return);
        QTRY_COMPARE(run.count(), 1);
        Find<QPushButton>(window, QStringLiteral("cmdLU"))->setFocus();
        QTest::keyClick(Find<QPushButton>(window, QStringLiteral("cmdLU")), Qt::Key_Return);
        QTRY_COMPARE(update.count(), 1);
        QCOMPARE(run.count(), 1);
    }
};

KRVNM_REGISTER_TEST(MainWindowTest)
#include "MainWindowTest.moc"

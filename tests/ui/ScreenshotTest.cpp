#include "AppFixture.h"
#include "TestMain.h"
#include "app/Failure.h"
#include "ui/ErrorDialogHandler.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>

// Grabs the main window and the error dialog as the user sees them, at the scale the
// test runs with (QT_SCALE_FACTOR), into the build folder's screenshots folder.
class ScreenshotTest : public QObject
{
    Q_OBJECT

private:
    static QString Save(QWidget& window, const QString& name)
    {
        // Lets the layouts settle after the last caption change, as the event loop would.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const qreal ratio = window.devicePixelRatioF();
        const QPixmap shot = window.grab();
        const QString folder = QStringLiteral(KRVNM_SCREENSHOT_DIR);
        QDir().mkpath(folder);
        const QString path = QStringLiteral("%1/%2-%3.png").arg(folder, name).arg(qRound(ratio * 100));
        if (!shot.save(path))
            return {};
        qInfo("screenshot: %s (%dx%d)", qPrintable(path), shot.width(), shot.height());
        return path;
    }

private Q_SLOTS:
    void mainWindowAndErrorDialog()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        QDir().mkpath(app.temp.filePath(QStringLiteral("Korvane")));
        app.state->KrvnPath =
            QDir::toNativeSeparators(app.temp.filePath(QStringLiteral("Korvane"))) + QDir::separator();
        app.state->KrvnVersion = QStringLiteral("1.3.2");
        app.state->KrvnExe = app.state->KrvnPath + QStringLiteral("korvane.exe");
        QFile game(app.state->KrvnExe);
        QVERIFY(game.open(QIODevice::WriteOnly));
        game.close();
        window.SetVersionLabel(QStringLiteral("Korvane 1.3.2 detected."));
        window.findChild<QLabel*>(QStringLiteral("lblDate0"))->setText(QStringLiteral("Date: 2014-04-01"));
        window.findChild<QLabel*>(QStringLiteral("lblDate1"))->setText(QStringLiteral("Date: 2014-02-25"));
        window.findChild<QLabel*>(QStringLiteral("lblDate2"))->setText(QStringLiteral("Date: 2014-06-11"));
        window.findChild<QRadioButton*>(QStringLiteral("optGet2"))->setText(QStringLiteral("Korvane r26612 (nightly)"));
        for (const char* line :
             {"Downloading updates list...", "Connecting to server...", "Connected to the remote server.",
              "Updates list downloaded successfully.", "Downloading..."})
            window.AddStatusLine(QLatin1String(line));
        window.SetStatusIcon(0, window.PictureSource(0), QStringLiteral("New version!"));
        window.EnableControls(false);
        window.ProgressBar()->setMaximum(100);
        window.ProgressBar()->setValue(62);
        window.ProgressBar()->setVisible(true);
        window.SetDownloadStatus(QStringLiteral("3.214 KB downloaded, 5.180 KB total"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString mainShot = Save(window, QStringLiteral("frmMain-busy"));
        QVERIFY(!mainShot.isEmpty());
        QCOMPARE(QImage(mainShot).size(), window.size() * window.devicePixelRatioF());

        window.EnableControls(true);
        window.SetStatusIcon(0, window.PictureSource(4), QStringLiteral("Now Installed"));
        window.SetStatusBar();
        QVERIFY(!Save(window, QStringLiteral("frmMain-idle")).isEmpty());

        ErrorDialogHandler errors(*app.state, app.platform, app.dialogs, BuiltinStrings::Compiled());
        QString errorShot;
        app.dialogs.onModal = [&](QDialog& dialog) {
            dialog.show();
            if (QTest::qWaitForWindowActive(&dialog))
                errorShot = Save(dialog, QStringLiteral("frmError"));
            return 0;
        };
        errors.HandleError(QStringLiteral("CheckKRVNUpdates"),
                           Failure(-2147012889, QStringLiteral("The server name or address could not be resolved")));
        QVERIFY(!errorShot.isEmpty());
    }
};

KRVNM_REGISTER_TEST(ScreenshotTest)
#include "ScreenshotTest.moc"

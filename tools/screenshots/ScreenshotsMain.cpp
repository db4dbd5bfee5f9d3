// Saves the main window (busy, downloading with its Cancel button and the speed, and
// idle), the error dialog, the options dialog and the about box into a folder, named
// after the window and the scale: frmMain-busy-200.png. The caller sandboxes the
// settings and work folders (XDG_CONFIG_HOME, XDG_CACHE_HOME).

#include "app/ErrorHandler.h"
#include "app/Failure.h"
#include "app/MainCommands.h"
#include "app/ObjectNames.h"
#include "net/DownloadEngine.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/StatusPanel.h"
#include "ui/VersionRowsPanel.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// Appended to every file name: the interface language when it is not English.
QString Tag;

bool save(QWidget& window, const QString& folder, const QString& name)
{
    // Lets the layouts settle after the last caption change, as the event loop would.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const QString path =
        QStringLiteral("%1/%2-%3.png").arg(folder, name + Tag).arg(qRound(window.devicePixelRatioF() * 100));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "Could not save %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void setText(QWidget& window, const QString& name, const char* text)
{
    if (auto* label = window.findChild<QLabel*>(name))
        label->setText(QLatin1String(text));
    else if (auto* option = window.findChild<QRadioButton*>(name))
        option->setText(QLatin1String(text));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: krvnm-screenshots <folder> [tag]\n");
        return 2;
    }
    if (argc == 3)
        Tag = QLatin1Char('-') + QString::fromLocal8Bit(argv[2]);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    Application app;
    MainWindow& window = app.start();
    window.versionRows().setVersionText(QStringLiteral("Korvane 1.3.2 detected."));
    setText(window, ObjectName::indexed(ObjectName::lblDate, 0), "Date: 2014-04-01");
    setText(window, ObjectName::indexed(ObjectName::lblDate, 1), "Date: 2014-02-25");
    setText(window, ObjectName::indexed(ObjectName::lblDate, 2), "Date: 2014-06-11");
    setText(window, ObjectName::indexed(ObjectName::optGet, 2), "Korvane r26612 (nightly)");
    for (int row = 0; row < 3; ++row) // offered, as after a release check
        window.versionRows().setRowEnabled(row, true);
    StatusPanel& status = window.statusPanel();
    for (const char* line :
         {"Downloading updates list...", "Connecting to server...", "Connected to the remote server.",
          "Updates list downloaded successfully.", "Downloading..."})
        status.addStatusLine(QLatin1String(line));
    window.versionRows().setStatusIcon(0, StatusPicture::Download, QStringLiteral("New version!"));
    app.commands().enableControls(false);
    status.setProgressMaximum(100);
    status.setProgressValue(62);
    status.setProgressVisible(true);
    status.setDownloadLabel(QStringLiteral("3.214 KB downloaded, 5.180 KB total"));
    bool saved = save(window, folder, QStringLiteral("frmMain-busy"));

    // Mid-download, as the engine words it: 120 of 190 MB at 4.2 MB/s.
    constexpr qint64 Total = 190 << 20;
    constexpr qint64 Shown = 120 << 20;
    status.setProgressMaximum(1000);
    status.setProgressValue(int(Shown * 1000 / Total));
    app.engine().setDownloadStatus(app.engine().progressLabel(Shown, Total, 4.2 * (1 << 20)));
    saved &= save(window, folder, QStringLiteral("frmMain-downloading"));

    app.commands().enableControls(true);
    window.versionRows().setStatusIcon(0, StatusPicture::Installed, QStringLiteral("Now Installed"));
    saved &= save(window, folder, QStringLiteral("frmMain-idle"));

    // The other windows are modal: each is grabbed and closed from inside its own event loop.
    const auto saveModal = [&](const QString& name, const std::function<void()>& open) {
        bool shot = false;
        QTimer::singleShot(300, &window, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                shot = save(*dialog, folder, name);
                dialog->close();
            }
        });
        open();
        return shot;
    };
    saved &= saveModal(ObjectName::frmError, [&] {
        app.errors().handleError(
            QStringLiteral("CheckKRVNUpdates"),
            Failure(FailureCode{-2147012889}, QStringLiteral("The server name or address could not be resolved")));
    });
    saved &= saveModal(ObjectName::frmOptions, [&] { app.commands().showOptions(); });
    saved &= saveModal(ObjectName::frmAbout, [&] { app.commands().showAbout(); });
    return saved ? 0 : 1;
}

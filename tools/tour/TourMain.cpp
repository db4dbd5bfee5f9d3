// The scripted tour: the real program over the system's seams in the caller's sandbox
// (settings, work folder and drives from XDG_CONFIG_HOME, XDG_CACHE_HOME and WINEPREFIX;
// on Windows the registry, %WINDIR%\temp and the drives themselves), its message boxes
// answered from the script.
// Usage: krvnm-tour [--screenshots <folder>]; exit code 0 when every stage ended right.

#include "Tour.h"
#include "TourDialogs.h"
#include "TourPlatform.h"
#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/QtSettingsStore.h"
#include "lang/BuiltinStrings.h"
#include "net/QtTransferComponent.h"
#include "ui/Application.h"
#include "ui/ErrorDialogHandler.h"
#include "ui/MainWindow.h"
#include "updates/CheckDate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    QCommandLineParser options;
    const QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                         QStringLiteral("Save a screenshot per stage into <folder>."),
                                         QStringLiteral("folder"));
    options.addOption(screenshots);
    options.process(qapp);
    const QString folder = options.value(screenshots);
    if (!folder.isEmpty())
        QDir().mkpath(folder);

    AppState state;
    QtSettingsStore settings;
    TourPlatform platform;
    TourDialogs dialogs;
    QtTransferComponent transfer;
    transfer.setObjectName(QStringLiteral("intMain"));
    ErrorDialogHandler errors(state, platform, dialogs, BuiltinStrings::compiled());
    AppServices services{settings, platform, dialogs, errors, BuiltinStrings::compiled(), transfer};
    // Today's automatic self-update check counts as made, so the one from the menu is the
    // check the tour sees (a completed check disables the menu command for the run).
    settings.write(SettingKey::LastSelfCheckDate, checkDate(platform.today()));

    Application app(state, services, dialogs);
    std::printf("Settings: %s\n", qPrintable(settings.location()));
    MainWindow& window = app.start();
    Tour tour(state, settings, window, dialogs, platform, transfer, folder);
    bool ok = false;
    QTimer::singleShot(300, &window, [&] {
        ok = tour.run();
        QCoreApplication::exit(0);
    });
    QApplication::exec();
    if (!errors.lastErrorText().isEmpty())
        std::printf("Last error report: %s\n", qPrintable(errors.lastErrorText()));
    std::printf("%s\n", ok ? "Tour complete." : "Tour FAILED.");
    return ok ? 0 : 1;
}

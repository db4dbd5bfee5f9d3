#include "ui/Application.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/CommandTargets.h"
#include "app/MainCommands.h"
#include "app/ObjectNames.h"
#include "app/QtSettingsStore.h"
#include "detect/GameDetection.h"
#include "install/EngineExtractionView.h"
#include "install/Installer.h"
#include "install/UndoInstallation.h"
#include "install/ZipExtractor.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "lang/UserLanguage.h"
#include "net/DownloadEngine.h"
#include "net/QtTransferComponent.h"
#include "sysinfo/SystemPlatform.h"
#include "ui/AboutDialog.h"
#include "ui/ErrorDialogHandler.h"
#include "ui/FormTranslation.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/QtDialogs.h"
#include "ui/StatusPanel.h"
#include "ui/VersionRowsPanel.h"
#include "updates/ReleaseCatalogue.h"
#include "updates/SelfUpdateCheck.h"

#include <QDate>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>

struct Application::SystemSeams
{
    AppState state;
    QtSettingsStore settings;
    SystemPlatform platform;
    QtDialogs dialogs;
    QtTransferComponent transfer;
    ErrorDialogHandler errors{state, platform, dialogs, BuiltinStrings::compiled()};
    AppServices services{settings, platform, dialogs, errors, BuiltinStrings::compiled(), transfer};
};

struct Application::Parts : CommandTargets, MainWindowLanguageView
{
    Parts(AppState& state, AppServices& services, WindowDialogs& windows)
        : state(state), services(services), windows(windows)
    {
        window.attach(commands);
        engine.setRecords(&downloadRecords);
        QTimer* countdown = window.statusPanel().timeoutTimer();
        countdown->setInterval(services.timings.download.countdownTickMs);
        QObject::connect(countdown, &QTimer::timeout, &engine, &DownloadEngine::countDownToTimeout);
        VersionRowsPanel& rows = window.versionRows();
        QObject::connect(&rows, &VersionRowsPanel::restoreFocused, &rows, [this] { installer.refreshOlderReleases(); });
        QObject::connect(&rows, &VersionRowsPanel::restorePicked, &rows, [this](bool enabled, int count, int index) {
            installer.pickOlderRelease(enabled, count, index);
        });
    }

    void readUserLocale() override { ::readUserLocale(state, services.strings, services.platform); }
    void selectInterfaceLanguage() override
    {
        selectLanguage(state, services.platform);
        loadLanguageStrings(state, services.strings);
        translateMainWindow(true, *this, state, services.errors);
    }
    void recoverInstallation() override { undo.recoverAtStart(); }
    bool canUndoInstallation() override { return undo.available(); }
    void undoInstallation() override { undo.undo(); }
    void detectAtStartup() override { detection.detectAtStartup(); }
    void runGame() override { detection.runGame(); }
    void chooseGameFolder() override { detection.chooseGameFolder(); }
    void redetect() override { detection.readGameVersion(false); }
    void checkCatalogue() override { catalogue.checkForUpdates(); }
    void install(int product) override { installer.installProduct(static_cast<std::uint8_t>(product)); }
    bool extractionRunning() override { return extractor.running(); }
    void stopWork() override { extractor.stopAndWait(); }
    bool selfCheckDueToday() override { return SelfUpdateCheck::selfCheckDue(state, services.platform.today()); }
    void checkSelfUpdate(bool automatic) override { selfUpdate.checkSelfUpdate(automatic); }
    void openChangeLog(int index) override
    {
        const QString address =
            ReleaseCatalogue::changeLogAddress(state, index, window.versionRows().restoreSelectedIndex());
        if (!address.isEmpty())
            services.platform.openDocument(address);
    }
    void showOptions() override { OptionsDialog::showModal(state, services, windows, *this, &window); }
    void showAbout() override
    {
        AboutDialog about(state, services.platform, services.dialogs, services.strings, &window);
        windows.showModal(about);
    }

    QWidget& captionWindow() override { return window; }
    void identifyInstalledVersion() override { detection.readGameVersion(false); }
    void setStatusBar(const QString& text) override { commands.setStatusBar(text); }

    AppState& state;
    AppServices& services;
    WindowDialogs& windows;
    MainWindow window;
    MainCommands commands{state, services, window, *this};
    MainWindowViews views{window, window.versionRows(), commands};
    GameDetection detection{state, services, views};
    DownloadRecords downloadRecords{services.settings};
    DownloadEngine engine{
        state, services.transfer, services.platform, services.timings.download, window.statusPanel(), commands};
    ReleaseCatalogue catalogue{state, services, engine, window.statusPanel(), views};
    SelfUpdateCheck selfUpdate{state, services, engine, commands};
    EngineExtractionView extractionView{engine, window.statusPanel()};
    ZipExtractor extractor{state, services.dialogs, extractionView};
    Installer installer{state, services, engine, extractor, detection, window.statusPanel(), views};
    UndoInstallation undo{state, services, engine, detection, window.statusPanel(), commands};
};

Application::Application() : seams(std::make_unique<SystemSeams>())
{
    seams->transfer.setObjectName(ObjectName::intMain);
    parts = std::make_unique<Parts>(seams->state, seams->services, seams->dialogs);
}

Application::Application(AppState& state, AppServices& services, WindowDialogs& dialogs)
    : parts(std::make_unique<Parts>(state, services, dialogs))
{}

Application::~Application() = default;

MainWindow& Application::load()
{
    parts->commands.startUp();
    return parts->window;
}

MainWindow& Application::start()
{
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/krvnm-256.png")));
    load();
    parts->window.show();
    return parts->window;
}

QString Application::settingsLocation() const
{
    return seams ? seams->settings.location() : QString();
}

MainWindow& Application::window()
{
    return parts->window;
}

MainCommands& Application::commands()
{
    return parts->commands;
}

DownloadEngine& Application::engine()
{
    return parts->engine;
}

ErrorHandler& Application::errors()
{
    return parts->services.errors;
}

GameDetection& Application::detection()
{
    return parts->detection;
}

#include "ui/Application.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/CommandTargets.h"
#include "app/MainCommands.h"
#include "app/QtSettingsStore.h"
#include "detect/GameDetection.h"
#include "install/EngineExtractionView.h"
#include "install/Installer.h"
#include "install/ZipExtractor.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "lang/UserLanguage.h"
#include "net/DownloadEngine.h"
#include "net/QtTransferComponent.h"
#include "sysinfo/SystemPlatform.h"
#include "ui/ErrorDialogHandler.h"
#include "ui/FormTranslation.h"
#include "ui/QtDialogs.h"
#include "ui/StatusPanel.h"
#include "ui/VersionRowsPanel.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"
#include "ui/frmOptions.h"
#include "updates/ReleaseCatalogue.h"
#include "updates/SelfUpdateCheck.h"

#include <QGuiApplication>
#include <QIcon>
#include <QTimer>

struct Application::SystemSeams
{
    AppState state;
    QtSettingsStore settings;
    SystemPlatform platform;
    QtDialogs dialogs;
    QtTransferComponent intMain;
    ErrorDialogHandler errors{state, platform, dialogs, BuiltinStrings::Compiled()};
    AppServices services{settings, platform, dialogs, errors, BuiltinStrings::Compiled(), intMain};
};

struct Application::Parts : CommandTargets, MainWindowLanguageView
{
    Parts(AppState& state, AppServices& services, WindowDialogs& windows)
        : state(state), services(services), windows(windows)
    {
        window.attach(commands);
        QObject::connect(window.statusPanel().timeoutTimer(), &QTimer::timeout, &engine,
                         &DownloadEngine::tmrTimeout_Timer);
        VersionRowsPanel& rows = window.versionRows();
        QObject::connect(&rows, &VersionRowsPanel::restoreFocused, &rows, [this] { installer.cboRestore_GotFocus(); });
        QObject::connect(&rows, &VersionRowsPanel::restorePicked, &rows, [this](bool enabled, int count, int index) {
            installer.cboRestore_Click(enabled, count, index);
        });
    }

    void ReadUserLocale() override { ::ReadUserLocale(state, services.strings, services.platform); }
    void SelectInterfaceLanguage() override
    {
        SelectLanguage(state, services.platform);
        LoadLanguageStrings(state, services.strings);
        TranslateFrmMain(true, *this, state, services.errors);
    }
    void DetectAtStartup() override { detection.DetectAtStartup(); }
    void RunGame() override { detection.RunGame(); }
    void ChooseGameFolder() override { detection.ChooseGameFolder(); }
    void Redetect() override { detection.GetKRVNVersion(false); }
    void CheckCatalogue() override { catalogue.CheckKRVNUpdates(); }
    void Install(int product) override { installer.LiveUpdateNow(static_cast<std::uint8_t>(product)); }
    bool ExtractionRunning() override { return extractor.running(); }
    void StopWork() override { extractor.stopAndWait(); }
    bool SelfCheckDueToday() override { return SelfUpdateCheck::SelfCheckDue(state, selfUpdate.today()); }
    void CheckSelfUpdate(bool automatic) override { selfUpdate.CheckSelfUpdate(automatic); }
    void OpenChangeLog(int index) override
    {
        const QString address = ReleaseCatalogue::ChangeLogAddress(state, index, window.versionRows().restoreIndex());
        if (!address.isEmpty())
            services.platform.openDocument(address);
    }
    void ShowOptions() override { frmOptions::ShowModal(state, services, windows, *this, &window); }
    void ShowAbout() override
    {
        frmAbout about(state, services.platform, services.dialogs, services.strings, &window);
        windows.showModal(about);
    }

    QWidget& captionWindow() override { return window; }
    void identifyInstalledVersion() override { detection.GetKRVNVersion(false); }
    void SetStatusBar(const QString& text) override { commands.SetStatusBar(text); }

    AppState& state;
    AppServices& services;
    WindowDialogs& windows;
    frmMain window;
    GameDetection detection{state, services, window};
    DownloadEngine engine{state, services.transfer, services.platform, window.statusPanel()};
    ReleaseCatalogue catalogue{state, services, engine, window};
    SelfUpdateCheck selfUpdate{state, services, engine, window};
    EngineExtractionView extractionView{engine, window.statusPanel()};
    ZipExtractor extractor{state, services.dialogs, extractionView};
    Installer installer{state, services, engine, extractor, detection, window};
    MainCommands commands{state, services, window, *this};
};

Application::Application() : seams(std::make_unique<SystemSeams>())
{
    seams->intMain.setObjectName(QStringLiteral("intMain"));
    parts = std::make_unique<Parts>(seams->state, seams->services, seams->dialogs);
}

Application::Application(AppState& state, AppServices& services, WindowDialogs& dialogs)
    : parts(std::make_unique<Parts>(state, services, dialogs))
{}

Application::~Application() = default;

frmMain& Application::load()
{
    parts->commands.Load();
    return parts->window;
}

frmMain& Application::start()
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

frmMain& Application::window()
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

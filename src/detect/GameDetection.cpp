#include "detect/GameDetection.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"
#include "app/StringIds.h"
#include "app/TransferComponent.h"
#include "app/Waits.h"
#include "detect/FileVersionText.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString MainExecutable = QStringLiteral("korvane.exe");
const QString OldExecutable = QStringLiteral("ttd.exe");

bool fileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString readFileVersion(const QString& path)
{
    return QString::fromStdU16String(getFileVersionText(std::filesystem::path(path.toStdU16String())));
}

} // namespace

GameDetection::GameDetection(AppState& state, AppServices& services, MainWindowViews views)
    : state(state), services(services), views(views)
{}

void GameDetection::detectAtStartup()
{
    if (!state.krvnPath.isEmpty())
        readGameVersion(false);
    else
        findGameFolder();
}

void GameDetection::findGameFolder()
{
    FailureScope steps(&services.errors, QStringLiteral("FindKRVNPath"));
    bool found = false;
    for (char16_t letter = u'C'; letter <= u'Z' && !found; ++letter) {
        steps.step([&] {
            // Both questions are asked for every letter, whatever the first answer.
            const sysapi::DriveType type = services.platform.driveType(QChar(letter));
            const QString root = services.platform.driveRoot(QChar(letter));
            const QString folder = root.isEmpty() ? QString() : root + QStringLiteral("korvane") + QDir::separator();
            const bool exists = !folder.isEmpty() && fileExists(folder + MainExecutable);
            if (type == sysapi::DriveType::Fixed && exists) {
                state.krvnPath = folder;
                state.krvnExe = folder + MainExecutable;
                found = true;
            }
        });
    }
    steps.step([&] { readGameVersion(false); });
    views.controls.setStatusBar();
}

QString GameDetection::gameExecutable() const
{
    if (state.krvnPath.isEmpty())
        return {};
    for (const QString& name : {MainExecutable, OldExecutable}) {
        const QString candidate = state.krvnPath + name;
        if (fileExists(candidate))
            return candidate;
    }
    return {};
}

QString GameDetection::browseForFolder(const QString& title)
{
    QString folder = services.dialogs.browseForFolder(title);
    const qsizetype nul = folder.indexOf(QChar(u'\0'));
    if (nul >= 0)
        folder.truncate(nul);
    if (folder.isEmpty())
        return {};
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

void GameDetection::readGameVersion(bool keepPath)
{
    FailureScope steps(&services.errors, QStringLiteral("GetKRVNVersion"));
    state.krvnExe = gameExecutable();
    if (!state.krvnExe.isEmpty()) {
        views.rows.setVersionText(state.str(Str::PleaseWait));
        state.krvnVersion = readFileVersion(state.krvnExe);
        state.krvnExeSize = fileSizeOf(state.krvnExe);
        views.rows.setVersionText(
            QString(state.str(Str::VersionDetected)).replace(QStringLiteral("#1#"), state.krvnVersion));
        views.window.setRunEnabled(true);
        views.controls.setStatusBar();
        steps.step([&] { services.settings.write(SettingKey::KrvnPath, state.krvnPath); });
        steps.step([&] { services.settings.write(SettingKey::KrvnVersion, state.krvnVersion); });
        steps.step([&] { services.settings.write(SettingKey::KrvnVersionSize, QString::number(state.krvnExeSize)); });
        markInstalledChannel();
        const QString folder =
            keepsBaseSetInData(state.krvnVersion) ? QStringLiteral("data") : QStringLiteral("baseset");
        state.baseSetFolder = state.krvnPath + folder + QDir::separator();
    } else {
        // Only the value in memory is cleared: the stored folder is tried again next time.
        if (!keepPath)
            state.krvnPath.clear();
        state.krvnVersion.clear();
        state.baseSetFolder.clear();
        views.rows.setVersionText(state.str(Str::PathNotSpecified));
        views.window.setRunEnabled(false);
    }
    views.controls.setStatusBar();
}

void GameDetection::markInstalledChannel()
{
    // An unreadable version says nothing about the channel, even before any release
    // check has filled the latest versions with empty texts.
    if (state.krvnVersion.isEmpty())
        return;
    int row = -1;
    if (state.krvnVersion == state.latestStable)
        row = 0;
    else if (state.krvnVersion == state.latestBeta)
        row = 1;
    else if (state.krvnVersion == state.latestNightly)
        row = 2;
    if (row < 0)
        return;
    views.rows.selectVersionRow(row);
    views.rows.setStatusIcon(static_cast<std::uint8_t>(row), StatusPicture::Installed, state.str(Str::NowInstalled));
}

bool GameDetection::keepsBaseSetInData(const QString& version)
{
    if (version.startsWith(u'r'))
        return false;
    const QString digits = QString(version).remove(u'.').left(2);
    int number = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            break;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number < 12;
}

void GameDetection::showMessage(int stringNumber, bool critical)
{
    MessageRequest request;
    request.text = state.str(stringNumber);
    request.icon = critical ? MessageIcon::Critical : MessageIcon::Exclamation;
    request.buttons = MessageButtons::Ok;
    services.dialogs.messageBox(request);
}

bool GameDetection::chooseGameFolder()
{
    const QString folder = browseForFolder(state.str(Str::SelectGamePath));
    if (folder.isEmpty())
        return false;
    if (!fileExists(folder + MainExecutable)) {
        showMessage(Str::FolderLacksGame, false);
        return false;
    }
    state.krvnPath = folder;
    state.krvnExe = folder + MainExecutable;
    readGameVersion(false);
    return true;
}

void GameDetection::launchAndClose()
{
    services.platform.startDetached(state.krvnExe, {}, state.krvnPath);
    wait(0);
    views.window.closeWindow();
}

void GameDetection::runGame()
{
    if (fileExists(state.krvnExe) || chooseGameFolder())
        launchAndClose();
}

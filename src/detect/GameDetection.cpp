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
#include "detect/DetectionView.h"
#include "detect/FileVersionText.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString MainExecutable = QStringLiteral("korvane.exe");
const QString OldExecutable = QStringLiteral("ttd.exe");

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString ReadFileVersion(const QString& path)
{
    return QString::fromStdU16String(GetFileVersionText(std::filesystem::path(path.toStdU16String())));
}

} // namespace

GameDetection::GameDetection(AppState& state, AppServices& services, DetectionView& view)
    : state(state), services(services), view(view)
{}

void GameDetection::DetectAtStartup()
{
    if (!state.KrvnPath.isEmpty())
        GetKRVNVersion(false);
    else
        FindKRVNPath();
}

void GameDetection::FindKRVNPath()
{
    FailureScope steps(&services.errors, QStringLiteral("FindKRVNPath"));
    bool found = false;
    for (char16_t letter = u'C'; letter <= u'Z' && !found; ++letter) {
        steps.step([&] {
            // Both questions are asked for every letter, whatever the first answer.
            const sysapi::DriveType type = services.platform.driveType(QChar(letter));
            const QString root = services.platform.driveRoot(QChar(letter));
            const QString folder = root.isEmpty() ? QString() : root + QStringLiteral("korvane") + QDir::separator();
            const bool exists = !folder.isEmpty() && FileExists(folder + MainExecutable);
            if (type == sysapi::DriveType::Fixed && exists) {
                state.KrvnPath = folder;
                state.KrvnExe = folder + MainExecutable;
                found = true;
            }
        });
    }
    steps.step([&] { GetKRVNVersion(false); });
    steps.step([&] { view.SetStatusBar(QString()); });
}

QString GameDetection::GetKRVNExe() const
{
    if (state.KrvnPath.isEmpty())
        return {};
    for (const QString& name : {MainExecutable, OldExecutable}) {
        const QString candidate = state.KrvnPath + name;
        if (FileExists(candidate))
            return candidate;
    }
    return {};
}

QString GameDetection::BrowseForFolder(const QString& title)
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

void GameDetection::GetKRVNVersion(bool keepPath)
{
    FailureScope steps(&services.errors, QStringLiteral("GetKRVNVersion"));
    steps.step([&] { state.KrvnExe = GetKRVNExe(); });
    if (!state.KrvnExe.isEmpty()) {
        steps.step([&] { view.setVersionText(state.str(Str::PleaseWait)); });
        steps.step([&] { state.KrvnVersion = ReadFileVersion(state.KrvnExe); });
        steps.step([&] { state.KrvnExeSize = FileSizeOf(state.KrvnExe); });
        steps.step([&] {
            view.setVersionText(
                QString(state.str(Str::VersionDetected)).replace(QStringLiteral("#1#"), state.KrvnVersion));
        });
        steps.step([&] { view.setRunEnabled(true); });
        steps.step([&] { view.SetStatusBar(QString()); });
        steps.step([&] { services.settings.write(QStringLiteral("KRVNPath"), state.KrvnPath); });
        steps.step([&] { services.settings.write(QStringLiteral("KRVNVersion"), state.KrvnVersion); });
        steps.step(
            [&] { services.settings.write(QStringLiteral("KRVNVersionSize"), QString::number(state.KrvnExeSize)); });
        steps.step([&] { MarkInstalledChannel(); });
        steps.step([&] {
            const QString folder =
                KeepsBaseSetInData(state.KrvnVersion) ? QStringLiteral("data") : QStringLiteral("baseset");
            state.BaseSetFolder = state.KrvnPath + folder + QDir::separator();
        });
    } else {
        // Only the value in memory is cleared: the stored folder is tried again next time.
        steps.step([&] {
            if (!keepPath)
                state.KrvnPath.clear();
        });
        steps.step([&] {
            state.KrvnVersion.clear();
            state.BaseSetFolder.clear();
        });
        steps.step([&] { view.setVersionText(state.str(Str::PathNotSpecified)); });
        steps.step([&] { view.setRunEnabled(false); });
    }
    steps.step([&] { view.SetStatusBar(QString()); });
}

void GameDetection::MarkInstalledChannel()
{
    // An unreadable version says nothing about the channel, even before any release
    // check has filled the latest versions with empty texts.
    if (state.KrvnVersion.isEmpty())
        return;
    int row = -1;
    if (state.KrvnVersion == state.LatestStable)
        row = 0;
    else if (state.KrvnVersion == state.LatestBeta)
        row = 1;
    else if (state.KrvnVersion == state.LatestNightly)
        row = 2;
    if (row < 0)
        return;
    view.selectVersionRow(row);
    view.SetStatusIcon(static_cast<std::uint8_t>(row), StatusPicture::Installed, state.str(Str::NowInstalled));
}

bool GameDetection::KeepsBaseSetInData(const QString& version)
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

void GameDetection::ShowMessage(int stringNumber, bool critical)
{
    MessageRequest request;
    request.text = state.str(stringNumber);
    request.icon = critical ? MessageIcon::Critical : MessageIcon::Exclamation;
    request.buttons = MessageButtons::Ok;
    services.dialogs.messageBox(request);
}

bool GameDetection::ChooseGameFolder()
{
    const QString folder = BrowseForFolder(state.str(Str::SelectGamePath));
    if (folder.isEmpty())
        return false;
    if (!FileExists(folder + MainExecutable)) {
        ShowMessage(Str::FolderLacksGame, false);
        return false;
    }
    state.KrvnPath = folder;
    state.KrvnExe = folder + MainExecutable;
    GetKRVNVersion(false);
    return true;
}

void GameDetection::LaunchAndClose()
{
    services.platform.startDetached(state.KrvnExe, {}, state.KrvnPath);
    Wait(0);
    view.closeMainWindow();
}

void GameDetection::RunGame()
{
    if (FileExists(state.KrvnExe) || ChooseGameFolder())
        LaunchAndClose();
}

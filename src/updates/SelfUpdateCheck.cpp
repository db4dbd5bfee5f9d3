#include "updates/SelfUpdateCheck.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/FailureScope.h"
#include "app/MakerPages.h"
#include "app/StringIds.h"
#include "app/Waits.h"
#include "net/DownloadEngine.h"
#include "updates/CatalogueView.h"
#include "updates/CheckDate.h"
#include "updates/ReadIniValue.h"

#include <QFileInfo>

namespace {

constexpr int AnswerPauseMs = 500;
const QString AnswerSection = QStringLiteral("KRVNM");
const QString AnswerKey = QStringLiteral("version");

// Only blanks, as the comparison has always trimmed.
QString WithoutBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

SelfUpdateCheck::SelfUpdateCheck(AppState& state, AppServices& services, DownloadEngine& engine, CatalogueView& view)
    : state(state), services(services), engine(engine), view(view)
{}

QString SelfUpdateCheck::QueryAddress(const AppState& state)
{
    return state.endpoints.makerServer + QStringLiteral("/files/updates.php?idprod=krvnm&version=") +
           QString(state.AppVersion).remove(QLatin1Char('.'));
}

bool SelfUpdateCheck::SelfCheckDue(const AppState& state, const QDate& day)
{
    return CheckDate(day) != state.LastSelfCheckDate;
}

void SelfUpdateCheck::CheckSelfUpdate(bool AutoLUMode)
{
    FailureScope steps(&services.errors, QStringLiteral("CheckSelfUpdate"));
    const QString query = QueryAddress(state);
    if (!engine.PrepareConnection()) {
        engine.AbortDownload(false);
        return;
    }
    steps.step([&] { view.EnableControls(false); });
    bool usable = false;
    steps.step([&] {
        if (!engine.DownloadFile(query, state.ManagerFile, true, AnswerPauseMs))
            return;
        ConvertLineEnds(state.ManagerFile);
        usable = QFileInfo(state.ManagerFile).isFile() &&
                 !ReadIniValue(AnswerSection, AnswerKey, QString(), state.ManagerFile).isEmpty();
    });
    if (!usable) {
        // A failed or unusable answer is a failed list transfer, not an error to report.
        steps.clear();
        engine.AbortDownload(true);
        return;
    }
    steps.step([&] {
        engine.SetDownloadStatus(state.str(Str::UpdatesListDownloaded));
        engine.LiveUpdateEvent(state.str(Str::Done));
    });
    QString newVersion = state.AppVersion;
    steps.step([&] { newVersion = ReadIniValue(AnswerSection, AnswerKey, state.AppVersion, state.ManagerFile); });
    steps.step([&] { state.LastSelfCheckDate = CheckDate(today()); });
    steps.step([&] {
        if (WithoutBlanks(newVersion) != state.AppVersion) {
            const QString offer =
                QString(state.str(Str::ManagerUpdateAvailable)).replace(QStringLiteral("#1#"), newVersion);
            // After the page has opened the check still finishes, so the window is usable again.
            if (services.dialogs.message(offer, MessageIcon::Exclamation, MessageButtons::YesNo) == Answer::Yes)
                OpenProductPage(state, services.platform);
        } else if (!AutoLUMode) {
            services.dialogs.message(state.str(Str::LatestManager), MessageIcon::Information);
        }
    });
    steps.step([&] { state.SelfCheckDone = true; });
    steps.step([&] { view.EnableControls(true); });
    steps.step([&] { DeleteFileWait(state.ManagerFile, false); });
}

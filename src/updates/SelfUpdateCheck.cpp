#include "updates/SelfUpdateCheck.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/FailureScope.h"
#include "app/MainControls.h"
#include "app/MakerPages.h"
#include "app/Platform.h"
#include "app/StringIds.h"
#include "app/Waits.h"
#include "net/DownloadEngine.h"
#include "updates/CheckDate.h"
#include "updates/ReadIniValue.h"

#include <QDate>
#include <QFileInfo>

namespace {

constexpr int AnswerPauseMs = 500;
const QString AnswerSection = QStringLiteral("KRVNM");
const QString AnswerKey = QStringLiteral("version");

// Only blanks, as the comparison has always trimmed.
QString withoutBlanks(const QString& text)
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

SelfUpdateCheck::SelfUpdateCheck(AppState& state, AppServices& services, DownloadEngine& engine, MainControls& controls)
    : state(state), services(services), engine(engine), controls(controls)
{}

QString SelfUpdateCheck::queryAddress(const AppState& state)
{
    return state.endpoints.makerServer + QStringLiteral("/files/updates.php?idprod=krvnm&version=") +
           QString(state.appVersion).remove(QLatin1Char('.'));
}

bool SelfUpdateCheck::selfCheckDue(const AppState& state, const QDate& day)
{
    return checkDate(day) != state.lastSelfCheckDate;
}

void SelfUpdateCheck::checkSelfUpdate(bool automatic)
{
    FailureScope steps(&services.errors, QStringLiteral("CheckSelfUpdate"));
    const QString query = queryAddress(state);
    if (!engine.prepareConnection()) {
        engine.abortDownload(false);
        return;
    }
    controls.enableControls(false);
    bool usable = false;
    steps.step([&] {
        if (!engine.downloadFile(query, state.managerFile, true, AnswerPauseMs))
            return;
        convertLineEnds(state.managerFile, services.timings.waits);
        usable = QFileInfo(state.managerFile).isFile() &&
                 !readIniValue(AnswerSection, AnswerKey, QString(), state.managerFile).isEmpty();
    });
    if (!usable) {
        // A failed or unusable answer is a failed list transfer, not an error to report.
        steps.clear();
        if (!engine.stopIfCancelled())
            engine.abortDownload(true);
        return;
    }
    engine.setDownloadStatus(state.str(Str::UpdatesListDownloaded));
    engine.addStatusLine(state.str(Str::Done));
    QString newVersion = state.appVersion;
    steps.step([&] { newVersion = readIniValue(AnswerSection, AnswerKey, state.appVersion, state.managerFile); });
    state.lastSelfCheckDate = checkDate(services.platform.today());
    steps.step([&] {
        if (withoutBlanks(newVersion) != state.appVersion) {
            const QString offer =
                QString(state.str(Str::ManagerUpdateAvailable)).replace(QStringLiteral("#1#"), newVersion);
            // After the page has opened the check still finishes, so the window is usable again.
            if (services.dialogs.message(offer, MessageIcon::Exclamation, MessageButtons::YesNo) == Answer::Yes)
                openProductPage(state, services.platform);
        } else if (!automatic) {
            services.dialogs.message(state.str(Str::LatestManager), MessageIcon::Information);
        }
    });
    state.selfCheckDone = true;
    controls.enableControls(true);
    deleteFileWait(state.managerFile, false);
}

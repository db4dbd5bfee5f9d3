#include "lang/FormCaptions.h"

#include "app/AppState.h"
#include "app/StringIds.h"

namespace {

const QString Ellipsis = QStringLiteral("...");

QString indexedName(const QString& name, int index)
{
    return name + QString::number(index);
}

} // namespace

FormCaptions mainWindowCaptions(const AppState& s)
{
    const QString korvane = QStringLiteral("Korvane ");
    const QString date = s.str(Str::Date) + QLatin1Char(' ');
    FormCaptions captions = {
        {QStringLiteral("cmdLU"), s.str(s.catalogueLoaded ? Str::InstallNow : Str::CheckForUpdates)},
        {QStringLiteral("cmdRun"), s.str(Str::RunGame)},
        {QStringLiteral("cmdExit"), s.str(Str::Exit)},
        {QStringLiteral("optGet0"), korvane + s.latestStable + QStringLiteral(" (stable)")},
        {QStringLiteral("optGet1"), korvane + QString(s.latestBeta).replace(QLatin1Char('-'), QLatin1Char(' '))},
        {QStringLiteral("optGet2"), korvane + s.latestNightly + QStringLiteral(" (nightly)")},
        {QStringLiteral("optGet3"), s.str(Str::PreviousVersion)},
        {QStringLiteral("lblDate0"), date + s.latestStableDate},
        {QStringLiteral("lblDate1"), date + s.latestBetaDate},
        {QStringLiteral("lblDate2"), date + s.latestNightlyDate},
    };
    for (int row = 0; row < 4; ++row)
        captions.append({indexedName(QStringLiteral("lblVersionInfo"), row), s.str(Str::VersionInformation)});
    captions += FormCaptions{
        {QStringLiteral("mnuFile"), s.str(Str::MenuFile)},
        {QStringLiteral("mnuOptions"), s.str(Str::MenuOptions)},
        {QStringLiteral("mnuHelp"), s.str(Str::MenuHelp)},
        {QStringLiteral("mnuOpen"), s.str(Str::SelectGamePath) + Ellipsis},
        {QStringLiteral("mnuExit"), s.str(Str::Exit)},
        {QStringLiteral("mnuPlatform"), s.str(Str::PlatformSelection)},
        {QStringLiteral("mnuSettings"), s.str(Str::Settings) + Ellipsis},
        {QStringLiteral("mnuRedetect"), s.str(Str::RedetectVersion)},
        {QStringLiteral("mnuCheckSelfUpdate"), s.str(Str::CheckForUpdates)},
        {QStringLiteral("mnuWebsite"), s.str(Str::ManagerWebsite)},
        {QStringLiteral("mnuAbout"), s.str(Str::AboutManager)},
    };
    return captions;
}

FormCaptions optionsDialogCaptions(const AppState& s)
{
    FormCaptions captions = {
        {QStringLiteral("chkAuth"), s.str(Str::RequiresAuthentication)},
        {QStringLiteral("cmdOK"), s.str(Str::Ok)},
        {QStringLiteral("fraLanguage"), s.str(Str::Language)},
        {QStringLiteral("fraProxy"), QLatin1Char(' ') + s.str(Str::Connection) + QLatin1Char(' ')},
        {QStringLiteral("lblTranslator"), s.str(Str::TranslatedBy)},
        {QStringLiteral("lblComplete"), s.str(Str::CompleteTranslation)},
        {QStringLiteral("lblAddress"), s.str(Str::ProxyAddress)},
        {QStringLiteral("lblPass"), s.str(Str::Password)},
        {QStringLiteral("lblPort"), s.str(Str::ProxyPort)},
        {QStringLiteral("lblUser"), s.str(Str::Username)},
        {QStringLiteral("frmOptions"), s.str(Str::Settings)},
    };
    for (int i = 0; i < 3; ++i)
        captions.append({indexedName(QStringLiteral("optConnection"), i), s.str(Str::AutoDetectSettings + i)});
    return captions;
}

FormCaptions errorDialogCaptions(const AppState& s)
{
    return {
        {QStringLiteral("cmdReport"), s.str(Str::SendReport)},
        {QStringLiteral("cmdRestart"), s.str(Str::RestartProgram)},
        {QStringLiteral("lblTop"), s.str(Str::InternalError)},
        {QStringLiteral("lblMain"), s.str(Str::ErrorPersists)},
        {QStringLiteral("lblSecond"), s.str(Str::ReportGenerated)},
        {QStringLiteral("cmdIgnore"), s.str(Str::Ignore)},
    };
}

QString completeTranslationTip(const QString& displayName)
{
    return QStringLiteral("Help complete the ") + displayName + QStringLiteral(" translation");
}

#include "lang/FormCaptions.h"

#include "app/AppState.h"
#include "app/ObjectNames.h"
#include "app/StringIds.h"

namespace {

const QString Ellipsis = QStringLiteral("...");

} // namespace

FormCaptions mainWindowCaptions(const AppState& s)
{
    const QString korvane = QStringLiteral("Korvane ");
    const QString date = s.str(Str::Date) + QLatin1Char(' ');
    FormCaptions captions = {
        {ObjectName::cmdLU, s.str(s.catalogueLoaded ? Str::InstallNow : Str::CheckForUpdates)},
        {ObjectName::cmdRun, s.str(Str::RunGame)},
        {ObjectName::cmdExit, s.str(Str::Exit)},
        {ObjectName::cmdCancel, s.str(Str::CancelButton)},
        {ObjectName::indexed(ObjectName::optGet, 0), korvane + s.latestStable + QStringLiteral(" (stable)")},
        {ObjectName::indexed(ObjectName::optGet, 1),
         korvane + QString(s.latestBeta).replace(QLatin1Char('-'), QLatin1Char(' '))},
        {ObjectName::indexed(ObjectName::optGet, 2), korvane + s.latestNightly + QStringLiteral(" (nightly)")},
        {ObjectName::indexed(ObjectName::optGet, 3), s.str(Str::PreviousVersion)},
        {ObjectName::indexed(ObjectName::lblDate, 0), date + s.latestStableDate},
        {ObjectName::indexed(ObjectName::lblDate, 1), date + s.latestBetaDate},
        {ObjectName::indexed(ObjectName::lblDate, 2), date + s.latestNightlyDate},
    };
    for (int row = 0; row < 4; ++row)
        captions.append({ObjectName::indexed(ObjectName::lblVersionInfo, row), s.str(Str::VersionInformation)});
    captions += FormCaptions{
        {ObjectName::mnuFile, s.str(Str::MenuFile)},
        {ObjectName::mnuOptions, s.str(Str::MenuOptions)},
        {ObjectName::mnuHelp, s.str(Str::MenuHelp)},
        {ObjectName::mnuOpen, s.str(Str::SelectGamePath) + Ellipsis},
        {ObjectName::mnuUndo, s.str(Str::UndoLastInstallation)},
        {ObjectName::mnuExit, s.str(Str::Exit)},
        {ObjectName::mnuPlatform, s.str(Str::PlatformSelection)},
        {ObjectName::mnuSettings, s.str(Str::Settings) + Ellipsis},
        {ObjectName::mnuRedetect, s.str(Str::RedetectVersion)},
        {ObjectName::mnuCheckSelfUpdate, s.str(Str::CheckForUpdates)},
        {ObjectName::mnuWebsite, s.str(Str::ManagerWebsite)},
        {ObjectName::mnuAbout, s.str(Str::AboutManager)},
    };
    return captions;
}

FormCaptions optionsDialogCaptions(const AppState& s)
{
    FormCaptions captions = {
        {ObjectName::chkAuth, s.str(Str::RequiresAuthentication)},
        {ObjectName::chkRequireChecksum, s.str(Str::RequireChecksum)},
        {ObjectName::cmdOK, s.str(Str::Ok)},
        {ObjectName::fraLanguage, s.str(Str::Language)},
        {ObjectName::fraProxy, QLatin1Char(' ') + s.str(Str::Connection) + QLatin1Char(' ')},
        {ObjectName::lblTranslator, s.str(Str::TranslatedBy)},
        {ObjectName::lblComplete, s.str(Str::CompleteTranslation)},
        {ObjectName::lblAddress, s.str(Str::ProxyAddress)},
        {ObjectName::lblPass, s.str(Str::Password)},
        {ObjectName::lblPort, s.str(Str::ProxyPort)},
        {ObjectName::lblUser, s.str(Str::Username)},
        {ObjectName::frmOptions, s.str(Str::Settings)},
    };
    for (int i = 0; i < 3; ++i)
        captions.append({ObjectName::indexed(ObjectName::optConnection, i), s.str(Str::AutoDetectSettings + i)});
    return captions;
}

FormCaptions errorDialogCaptions(const AppState& s)
{
    return {
        {ObjectName::cmdReport, s.str(Str::SendReport)},      {ObjectName::cmdRestart, s.str(Str::RestartProgram)},
        {ObjectName::lblTop, s.str(Str::InternalError)},      {ObjectName::lblMain, s.str(Str::ErrorPersists)},
        {ObjectName::lblSecond, s.str(Str::ReportGenerated)}, {ObjectName::cmdIgnore, s.str(Str::Ignore)},
    };
}

QString completeTranslationTip(const QString& displayName)
{
    return QStringLiteral("Help complete the ") + displayName + QStringLiteral(" translation");
}

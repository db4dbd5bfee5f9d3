#pragma once

// Every control's object name, by window. Translators' caption tables, the tour, the
// screenshots, the tests and assistive technology find controls by these names, and
// translation files and mailed reports name them, so they never change. Control arrays
// are a name plus an index from 0 (`optGet0` to `optGet3`); see indexed(). The README's
// glossary maps each name to the class and function that handle it.

#include <QLatin1StringView>
#include <QString>

#include <array>

namespace ObjectName {

// MainWindow (frmMain), its menu, banner, version rows and status card
inline constexpr QLatin1StringView frmMain{"frmMain"};
inline constexpr QLatin1StringView frmMainBackground{"frmMainBackground"};
inline constexpr QLatin1StringView mnuFile{"mnuFile"};
inline constexpr QLatin1StringView mnuOpen{"mnuOpen"};
inline constexpr QLatin1StringView mnuUndo{"mnuUndo"};
inline constexpr QLatin1StringView brk00{"brk00"};
inline constexpr QLatin1StringView mnuExit{"mnuExit"};
inline constexpr QLatin1StringView mnuOptions{"mnuOptions"};
inline constexpr QLatin1StringView mnuSettings{"mnuSettings"};
inline constexpr QLatin1StringView brk02{"brk02"};
inline constexpr QLatin1StringView mnuPlatform{"mnuPlatform"};
inline constexpr QLatin1StringView mnuWin9x{"mnuWin9x"};
inline constexpr QLatin1StringView mnuWin32{"mnuWin32"};
inline constexpr QLatin1StringView mnuWin64{"mnuWin64"};
inline constexpr QLatin1StringView mnuRedetect{"mnuRedetect"};
inline constexpr QLatin1StringView mnuHelp{"mnuHelp"};
inline constexpr QLatin1StringView mnuKrvnWiki{"mnuKrvnWiki"};
inline constexpr QLatin1StringView brk04{"brk04"};
inline constexpr QLatin1StringView mnuLinksKRVN{"mnuLinksKRVN"};
inline constexpr QLatin1StringView mnuKrvnHome{"mnuKrvnHome"};
inline constexpr QLatin1StringView mnuForum{"mnuForum"};
inline constexpr QLatin1StringView mnuBug{"mnuBug"};
inline constexpr QLatin1StringView mnuKrvnFiles{"mnuKrvnFiles"};
inline constexpr QLatin1StringView mnuLinksGraphics{"mnuLinksGraphics"};
inline constexpr QLatin1StringView mnuCrates{"mnuCrates"};
inline constexpr QLatin1StringView mnuGRFCrawler{"mnuGRFCrawler"};
inline constexpr QLatin1StringView mnuTWSR{"mnuTWSR"};
inline constexpr QLatin1StringView brk05{"brk05"};
inline constexpr QLatin1StringView mnuCheckSelfUpdate{"mnuCheckSelfUpdate"};
inline constexpr QLatin1StringView brk06{"brk06"};
inline constexpr QLatin1StringView mnuWebsite{"mnuWebsite"};
inline constexpr QLatin1StringView mnuAbout{"mnuAbout"};
inline constexpr QLatin1StringView imgTop{"imgTop"};
inline constexpr QLatin1StringView imgTopIcon{"imgTopIcon"};
inline constexpr QLatin1StringView lblTop{"lblTop"};
inline constexpr QLatin1StringView lblTopShadow{"lblTopShadow"};
inline constexpr QLatin1StringView lneTop1{"lneTop1"};
inline constexpr QLatin1StringView lneTop2{"lneTop2"};
inline constexpr QLatin1StringView fraVersion{"fraVersion"};
inline constexpr QLatin1StringView lblVersion{"lblVersion"};
inline constexpr QLatin1StringView fraVersions{"fraVersions"};
inline constexpr QLatin1StringView picVersions{"picVersions"};
inline constexpr QLatin1StringView optGet{"optGet"};
inline constexpr QLatin1StringView lblDate{"lblDate"};
inline constexpr QLatin1StringView lblVersionInfo{"lblVersionInfo"};
inline constexpr QLatin1StringView imgStatus{"imgStatus"};
inline constexpr QLatin1StringView lneLine{"lneLine"};
inline constexpr QLatin1StringView cboRestore{"cboRestore"};
inline constexpr QLatin1StringView imgDownload{"imgDownload"};
inline constexpr QLatin1StringView imgUpdate{"imgUpdate"};
inline constexpr QLatin1StringView imgWait{"imgWait"};
inline constexpr QLatin1StringView imgError{"imgError"};
inline constexpr QLatin1StringView imgInstalled{"imgInstalled"};
inline constexpr QLatin1StringView imgDownloading{"imgDownloading"};
inline constexpr QLatin1StringView imgExclamation{"imgExclamation"};
inline constexpr QLatin1StringView fraStatus{"fraStatus"};
inline constexpr QLatin1StringView fraStatusSeparator{"fraStatusSeparator"};
inline constexpr QLatin1StringView lstStatus{"lstStatus"};
inline constexpr QLatin1StringView lblDownloadStatus{"lblDownloadStatus"};
inline constexpr QLatin1StringView pgbMain{"pgbMain"};
inline constexpr QLatin1StringView tmrTimeout{"tmrTimeout"};
inline constexpr QLatin1StringView cmdRun{"cmdRun"};
inline constexpr QLatin1StringView cmdLU{"cmdLU"};
inline constexpr QLatin1StringView cmdExit{"cmdExit"};
inline constexpr QLatin1StringView cmdCancel{"cmdCancel"};
inline constexpr QLatin1StringView stbMain{"stbMain"};
inline constexpr QLatin1StringView stbMainText{"stbMainText"};
inline constexpr QLatin1StringView intMain{"intMain"};

// OptionsDialog (frmOptions)
inline constexpr QLatin1StringView frmOptions{"frmOptions"};
inline constexpr QLatin1StringView fraLanguage{"fraLanguage"};
inline constexpr QLatin1StringView picLanguage{"picLanguage"};
inline constexpr QLatin1StringView cboLanguage{"cboLanguage"};
inline constexpr QLatin1StringView imgAddLanguage{"imgAddLanguage"};
inline constexpr QLatin1StringView lblTranslator{"lblTranslator"};
inline constexpr QLatin1StringView lblComplete{"lblComplete"};
inline constexpr QLatin1StringView fraProxy{"fraProxy"};
inline constexpr QLatin1StringView picProxy{"picProxy"};
inline constexpr QLatin1StringView optConnection{"optConnection"};
inline constexpr QLatin1StringView lblAddress{"lblAddress"};
inline constexpr QLatin1StringView txtAddress{"txtAddress"};
inline constexpr QLatin1StringView lblPort{"lblPort"};
inline constexpr QLatin1StringView txtPort{"txtPort"};
inline constexpr QLatin1StringView lblPortError{"lblPortError"};
inline constexpr QLatin1StringView chkAuth{"chkAuth"};
inline constexpr QLatin1StringView lblUser{"lblUser"};
inline constexpr QLatin1StringView txtUser{"txtUser"};
inline constexpr QLatin1StringView lblPass{"lblPass"};
inline constexpr QLatin1StringView txtPass{"txtPass"};
inline constexpr QLatin1StringView cmdOK{"cmdOK"};
inline constexpr QLatin1StringView cmdReset{"cmdReset"};
inline constexpr QLatin1StringView chkRequireChecksum{"chkRequireChecksum"};

// AboutDialog (frmAbout)
inline constexpr QLatin1StringView frmAbout{"frmAbout"};
inline constexpr QLatin1StringView picTop{"picTop"};
inline constexpr QLatin1StringView lblTitle{"lblTitle"};
inline constexpr QLatin1StringView lblFor{"lblFor"};
inline constexpr QLatin1StringView lblCopyr{"lblCopyr"};
inline constexpr QLatin1StringView lblFree{"lblFree"};
inline constexpr QLatin1StringView lblAuthor{"lblAuthor"};
inline constexpr QLatin1StringView lblWebsite{"lblWebsite"};
inline constexpr QLatin1StringView lblInfoZip{"lblInfoZip"};
inline constexpr QLatin1StringView linTop{"linTop"};
inline constexpr QLatin1StringView linBottom{"linBottom"};
inline constexpr QLatin1StringView lblOsName{"lblOsName"};
inline constexpr QLatin1StringView lblMemo{"lblMemo"};
inline constexpr QLatin1StringView tmrMemo{"tmrMemo"};

// ErrorDialog (frmError)
inline constexpr QLatin1StringView frmError{"frmError"};
inline constexpr QLatin1StringView shpTop{"shpTop"};
inline constexpr QLatin1StringView picIco{"picIco"};
inline constexpr QLatin1StringView lblMain{"lblMain"};
inline constexpr QLatin1StringView lblSecond{"lblSecond"};
inline constexpr QLatin1StringView txtReport{"txtReport"};
inline constexpr QLatin1StringView cmdReport{"cmdReport"};
inline constexpr QLatin1StringView cmdRestart{"cmdRestart"};
inline constexpr QLatin1StringView cmdIgnore{"cmdIgnore"};

// One element of a control array: optGet and 2 give "optGet2".
inline QString indexed(QLatin1StringView array, int index)
{
    return array + QString::number(index);
}

// The arrays and their sizes.
struct ControlArray
{
    QLatin1StringView name;
    int size;
};
inline constexpr std::array ControlArrays = {ControlArray{optGet, 4},         ControlArray{lblDate, 3},
                                             ControlArray{lblVersionInfo, 4}, ControlArray{imgStatus, 4},
                                             ControlArray{optConnection, 3},  ControlArray{lneLine, 8}};

// The single controls of each window; the arrays are in ControlArrays. tmrTimeout and
// tmrMemo are objects without a window of their own; intMain, the transfer component,
// is named only in the program itself.
// clang-format off
inline constexpr std::array MainWindowNames = {
    frmMain, frmMainBackground, mnuFile, mnuOpen, mnuUndo, brk00, mnuExit, mnuOptions, mnuSettings, brk02, mnuPlatform,
    mnuWin9x, mnuWin32, mnuWin64, mnuRedetect, mnuHelp, mnuKrvnWiki, brk04, mnuLinksKRVN, mnuKrvnHome, mnuForum,
    mnuBug, mnuKrvnFiles, mnuLinksGraphics, mnuCrates, mnuGRFCrawler, mnuTWSR, brk05, mnuCheckSelfUpdate, brk06,
    mnuWebsite, mnuAbout, imgTop, imgTopIcon, lblTop, lblTopShadow, lneTop1, lneTop2, fraVersion, lblVersion,
    fraVersions, picVersions, cboRestore, imgDownload, imgUpdate, imgWait, imgError, imgInstalled,
    imgDownloading, imgExclamation, fraStatus, fraStatusSeparator, lstStatus, lblDownloadStatus, pgbMain, tmrTimeout,
    cmdRun, cmdLU, cmdExit, cmdCancel, stbMain, stbMainText};
inline constexpr std::array OptionsDialogNames = {
    frmOptions, fraLanguage, picLanguage, cboLanguage, imgAddLanguage, lblTranslator, lblComplete, fraProxy,
    picProxy, lblAddress, txtAddress, lblPort, txtPort, lblPortError, chkAuth, lblUser, txtUser, lblPass, txtPass, cmdOK,
    cmdReset, chkRequireChecksum};
inline constexpr std::array AboutDialogNames = {
    frmAbout, picTop, lblTitle, lblFor, lblVersion, lblCopyr, lblFree, lblAuthor, lblWebsite, lblInfoZip, linTop,
    linBottom, lblOsName, lblMemo, tmrMemo, cmdOK};
inline constexpr std::array ErrorDialogNames = {
    frmError, shpTop, picIco, lblTop, lblMain, lblSecond, txtReport, linTop, linBottom, cmdReport, cmdRestart,
    cmdIgnore};
// clang-format on

} // namespace ObjectName

#pragma once

// Rows of the language string table (AppState::str) and of the built-in table's extra
// rows, by name. Code names the row it shows; the texts live in src/lang/strings/.

namespace Str {

inline constexpr int MenuFile = 1;
inline constexpr int MenuOptions = 2;
inline constexpr int MenuHelp = 3;
inline constexpr int SelectGamePath = 4;
inline constexpr int Exit = 5;
inline constexpr int Settings = 6;
inline constexpr int RedetectVersion = 7;
inline constexpr int PlatformSelection = 8;
inline constexpr int ManagerWebsite = 9;
inline constexpr int AboutManager = 10;
inline constexpr int Yes = 11;
inline constexpr int No = 12;
inline constexpr int Ok = 13;
inline constexpr int Cancel = 14;
inline constexpr int Ignore = 15;
inline constexpr int Skip = 16;
inline constexpr int Close = 17;
inline constexpr int Back = 18;
inline constexpr int Next = 19;
inline constexpr int Version = 20;
inline constexpr int Freeware = 21;
inline constexpr int PhysicalMemory = 22;
inline constexpr int InternalError = 23;
inline constexpr int ErrorPersists = 24;
inline constexpr int ReportGenerated = 25;
inline constexpr int SendReport = 26;
inline constexpr int RestartProgram = 27;
inline constexpr int Language = 28;
inline constexpr int TranslatedBy = 29;
inline constexpr int CompleteTranslation = 30;
inline constexpr int Connection = 31;
inline constexpr int AutoDetectSettings = 32;
inline constexpr int DirectConnection = 33;
inline constexpr int UseProxyServer = 34;
inline constexpr int ProxyAddress = 35;
inline constexpr int ProxyPort = 36;
inline constexpr int RequiresAuthentication = 37;
inline constexpr int Username = 38;
inline constexpr int Password = 39;
inline constexpr int Date = 40;
inline constexpr int VersionInformation = 41;
inline constexpr int PreviousVersion = 42;
inline constexpr int RunGame = 43;
inline constexpr int CheckForUpdates = 44;
inline constexpr int InstallNow = 45;
inline constexpr int PathNotSpecified = 46;
inline constexpr int VersionDetected = 47;
inline constexpr int VersionDetectedAt = 48;
inline constexpr int PleaseWait = 49;
inline constexpr int Done = 50;
inline constexpr int ExitWhileDownloading = 51;
inline constexpr int BlockedWhileDownloading = 52;
inline constexpr int LookingUpServer = 53;
inline constexpr int FoundServer = 54;
inline constexpr int Connecting = 55;
inline constexpr int Connected = 56;
inline constexpr int SendingRequest = 57;
inline constexpr int RequestSent = 58;
inline constexpr int DownloadingData = 59;
inline constexpr int Disconnecting = 60;
inline constexpr int ConnectionClosed = 61;
inline constexpr int ErrorConnecting = 62;
inline constexpr int KbDownloaded = 63;
inline constexpr int KbTotal = 64;
inline constexpr int InstalledSuccessfully = 65;
inline constexpr int InstallFailed = 66;
inline constexpr int DownloadingUpdatesList = 67;
inline constexpr int UpdatesListDownloaded = 68;
inline constexpr int UpdatesListFailed = 69;
inline constexpr int ServerConnectFailed = 70;
inline constexpr int InstallingNewVersion = 71;
inline constexpr int Extracting = 72;
inline constexpr int FilesExtracted = 73;
inline constexpr int InstalledAt = 74;
inline constexpr int UnzipFailed = 75;
inline constexpr int UnzipLibraryMissing = 76;
inline constexpr int LatestManager = 77;
inline constexpr int ManagerUpdateAvailable = 78;
inline constexpr int ApplyingProgramUpdate = 79;
inline constexpr int NightlyWarning = 80;
inline constexpr int Error404 = 81;
inline constexpr int FolderLacksGame = 82;
inline constexpr int NewVersion = 83;
inline constexpr int Downloading = 84;
inline constexpr int NowInstalled = 85;
inline constexpr int InstallationFailed = 86;
inline constexpr int SelectInstallFolder = 87;
inline constexpr int BaseSetMissing = 88;
inline constexpr int PhysicalMemoryAvailable = 89;
inline constexpr int PortOutOfRange = 90;
inline constexpr int OlderThanInstalled = 91;
inline constexpr int UndoLastInstallation = 92;
inline constexpr int GameRunning = 93;
inline constexpr int NotEnoughSpace = 94; // #1# the folder, #2# needed, #3# free
inline constexpr int InstallationUndone = 95;
inline constexpr int InterruptedInstallationUndone = 96;
inline constexpr int ConfirmUndo = 97; // #1# the version the game goes back to
inline constexpr int UndoDone = 98;
inline constexpr int NothingToUndo = 99;

// Rows of the built-in table outside the languages.
inline constexpr int FirstLanguageDescriptor = 600; // 600 to 610: one per language
inline constexpr int LibraryNotice = 651;
inline constexpr int ContactNotice = 652;
inline constexpr int CompletionFileCreated = 653;
inline constexpr int NewLanguageFileCreated = 654;
inline constexpr int CompletionTemplate = 660;  // 660 to 669
inline constexpr int NewLanguageTemplate = 670; // 670 to 679

} // namespace Str

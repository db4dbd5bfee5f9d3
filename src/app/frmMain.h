#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>

struct AppState;
struct AppServices;
class DownloadEngine;
class GameDetection;
class MainWindowDetectionView;
class MainWindowDownloadView;
class Platform;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

// The main window. Loading it is the start-up sequence; closing it ends the process.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int RowCount = 4;
    // The hidden picture sources of the status icons, in this order: imgDownload,
    // imgUpdate, imgWait, imgError, imgInstalled, imgDownloading, imgExclamation.
    static constexpr int PictureSourceCount = 7;

    frmMain(AppState& state, AppServices& services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence, run once before the window is shown.
    void Load();
    // True when the close must be cancelled (a transfer runs and the user said No).
    bool QueryUnload();
    // Deletes the listing work files, stores the shutdown keys and ends the process.
    void Unload();

    // Switches the window between idle (true) and busy (false).
    void EnableControls(bool bStatus);
    // Idle: the text, or the default text when empty. Busy: always the newest status line.
    void SetStatusBar(const QString& strText = {});
    // Shows picSource at row Index (0 to 3) as the only visible status icon.
    void SetStatusIcon(std::uint8_t Index, const QLabel* picSource, const QString& strToolTip);
    // Every change of the download label goes through here and on to the status bar.
    void SetDownloadStatus(const QString& text);
    // Appends a line to the status list and shows it.
    void AddStatusLine(const QString& text);
    // The installed-version line.
    void SetVersionLabel(const QString& text);
    // Hides the status icons of all rows.
    void HideStatusIcons();
    // Selects the option button of a version row.
    void SelectVersionRow(int row);

    // The download engine over intMain; none when the program runs without a transfer component.
    DownloadEngine* Engine() const;
    GameDetection& Detection() const;

    QString StatusBarText() const;
    // The newest status-list line; empty when the list is empty.
    QString LastStatusLine() const;
    QString DownloadStatus() const;
    QListWidget* StatusList() const;
    QProgressBar* ProgressBar() const;
    QTimer* TimeoutTimer() const;
    QPushButton* RunButton() const;
    QLabel* PictureSource(int index) const;

    void mnuWin9x_Click();
    void mnuWin32_Click();
    void mnuWin64_Click();
    void CheckPlatformItem(int index);
    void cmdRun_Click();
    void mnuOpen_Click();
    void mnuRedetect_Click();
    void mnuCheckSelfUpdate_Click();
    void mnuTWSR_Click();
    void mnuWebsite_Click();

Q_SIGNALS:
    // lblVersionInfo(row) was clicked: the change log of that row is wanted.
    void versionInfoClicked(int row);
    // mnuCheckSelfUpdate was chosen while no transfer runs.
    void selfUpdateRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildHelpMenu();
    void BuildControls();
    QWidget* BuildBanner();
    QFrame* BuildVersionFrame();
    QFrame* BuildVersionRows();
    QFrame* BuildStatusFrame();
    void BuildPictureSources();
    void AddLink(QMenu* menu, const char* name, const QString& caption, const QString* server, const QString& path);
    void ApplyLanguageCaptions();
    void ChoosePlatform(int index);

    AppState& state;
    AppServices& services;
    bool unloaded = false;

    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuSettings = nullptr;
    QMenu* mnuPlatform = nullptr;
    QAction* mnuWin9x = nullptr;
    QAction* mnuWin32 = nullptr;
    QAction* mnuWin64 = nullptr;
    QAction* mnuRedetect = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuCheckSelfUpdate = nullptr;
    QAction* mnuWebsite = nullptr;
    QAction* mnuAbout = nullptr;

    QLabel* imgTop = nullptr;
    QLabel* imgTopIcon = nullptr;
    QLabel* lblTop = nullptr;
    QLabel* lblTopShadow = nullptr;
    QFrame* lneTop1 = nullptr;
    QFrame* lneTop2 = nullptr;
    QFrame* fraVersion = nullptr;
    QLabel* lblVersion = nullptr;
    QFrame* fraVersions = nullptr;
    QWidget* picVersions = nullptr;
    std::array<QRadioButton*, RowCount> optGet{};
    std::array<QLabel*, RowCount - 1> lblDate{};
    std::array<QLabel*, RowCount> lblVersionInfo{};
    std::array<QLabel*, RowCount> imgStatus{};
    QComboBox* cboRestore = nullptr;
    std::array<QFrame*, 8> lneLine{};
    QFrame* fraStatus = nullptr;
    QListWidget* lstStatus = nullptr;
    QLabel* lblDownloadStatus = nullptr;
    QProgressBar* pgbMain = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdLU = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* stbMainText = nullptr;
    QTimer* tmrTimeout = nullptr;
    std::array<QLabel*, PictureSourceCount> pictureSources{};

    std::unique_ptr<MainWindowDownloadView> downloadView;
    std::unique_ptr<DownloadEngine> engine;
    std::unique_ptr<MainWindowDetectionView> detectionView;
    std::unique_ptr<GameDetection> detection;
};

#pragma once

// The main window: the banner, the version rows, the status card, three buttons, the
// status bar and the menu. It owns widgets only; MainCommands decides what they do.

#include "app/MainView.h"
#include "detect/DetectionView.h"
#include "install/InstallView.h"
#include "updates/CatalogueView.h"

#include <QMainWindow>

class BannerPanel;
class MainCommands;
class MainMenu;
class QLabel;
class QPushButton;
class StatusPanel;
class VersionRowsPanel;

class MainWindow : public QMainWindow, public MainView, public DetectionView, public CatalogueView, public InstallView
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Routes the buttons, the menu and the panels' requests to the commands; once, before Load.
    void attach(MainCommands& commands);

    StatusPanel& statusPanel() const { return *status; }
    VersionRowsPanel& versionRows() const { return *rows; }
    MainMenu& menu() const { return *mainMenu; }

    // MainView
    void applyControlStates(const ControlStates& states) override;
    void showStatusText(const QString& text) override;
    QString lastStatusLine() const override;
    void showWindowTitle(const QString& title) override;
    void resetRestoreList() override;
    void checkPlatformItem(int index) override;
    int selectedProduct() const override;

    // DetectionView
    void setVersionText(const QString& text) override;
    void setRunEnabled(bool enabled) override;
    void setStatusBar(const QString& text) override;
    void selectVersionRow(int row) override;
    void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) override;
    void closeMainWindow() override;

    // CatalogueView
    void enableControls(bool idle) override;
    void clearStatusList() override;
    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void setProgressVisible(bool visible) override;
    void setRowCaption(int row, const QString& caption) override;
    void setRowDate(int row, const QString& text) override;
    void enableRow(int row) override;
    void fillRestoreList(const QStringList& items) override;
    void setMainButtonCaption(const QString& caption) override;
    void showInstallImage() override;

    // InstallView
    void hideStatusIcon(std::uint8_t index) override;
    bool isVersionRowSelected(int row) const override;
    int restoreSelectedIndex() const override;
    void unloadMainWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildButtons();
    void runCommand(const QString& name);

    MainCommands* commands = nullptr;
    bool unloaded = false;

    MainMenu* mainMenu = nullptr;
    BannerPanel* banner = nullptr;
    VersionRowsPanel* rows = nullptr;
    StatusPanel* status = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdLU = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* stbMainText = nullptr;
};

#pragma once

// The main window's menu bar, built from one table: File, Options (with the platform
// choice) and Help (with the web links).

#include <QObject>
#include <QString>

// The menu entries that run a command; the web links are routed by their entry name.
enum class MenuCommand
{
    ChooseGameFolder, // mnuOpen
    UndoInstallation, // mnuUndo
    Exit,             // mnuExit
    ShowOptions,      // mnuSettings
    PlatformWin9x,    // mnuWin9x
    PlatformWin32,    // mnuWin32
    PlatformWin64,    // mnuWin64
    Redetect,         // mnuRedetect
    CheckSelfUpdate,  // mnuCheckSelfUpdate
    ShowAbout         // mnuAbout
};

class QAction;
class QMenuBar;

class MainMenu : public QObject
{
    Q_OBJECT

public:
    explicit MainMenu(QMenuBar* bar);

    // The entry (action) of that object name; a submenu's entry is its name + "Action".
    QAction* entry(const QString& name) const;
    // Busy switches off the entries that would change the game or the settings.
    void setIdle(bool idle, bool selfUpdateEnabled, bool undoEnabled);
    void checkPlatformItem(int index);

Q_SIGNALS:
    void commandChosen(MenuCommand command);
    // A web-link entry was chosen (mnuKrvnWiki, ..., mnuWebsite).
    void linkChosen(const QString& name);

private:
    QMenuBar* bar;
};

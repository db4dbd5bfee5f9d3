#include "ui/MainMenu.h"

#include "app/ObjectNames.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

enum class Kind
{
    Menu,
    Command,
    Choice, // a checkable command
    Link,
    Separator
};

struct Entry
{
    QLatin1StringView name;
    QLatin1StringView parent; // empty: the menu bar
    Kind kind;
    const char* caption;                     // English; the caption table translates the entries that change
    MenuCommand command = MenuCommand::Exit; // Command and Choice entries only
};

constexpr Entry Entries[] = {
    {ObjectName::mnuFile, {}, Kind::Menu, "&File"},
    {ObjectName::mnuOpen, ObjectName::mnuFile, Kind::Command, "Select KRVN path...", MenuCommand::ChooseGameFolder},
    {ObjectName::mnuUndo, ObjectName::mnuFile, Kind::Command, "Undo last installation", MenuCommand::UndoInstallation},
    {ObjectName::brk00, ObjectName::mnuFile, Kind::Separator, ""},
    {ObjectName::mnuExit, ObjectName::mnuFile, Kind::Command, "Exit", MenuCommand::Exit},
    {ObjectName::mnuOptions, {}, Kind::Menu, "&Options"},
    {ObjectName::mnuSettings, ObjectName::mnuOptions, Kind::Command, "Settings...", MenuCommand::ShowOptions},
    {ObjectName::brk02, ObjectName::mnuOptions, Kind::Separator, ""},
    {ObjectName::mnuPlatform, ObjectName::mnuOptions, Kind::Menu, "Platform selection"},
    {ObjectName::mnuWin9x, ObjectName::mnuPlatform, Kind::Choice, "Win9x Korvane", MenuCommand::PlatformWin9x},
    {ObjectName::mnuWin32, ObjectName::mnuPlatform, Kind::Choice, "Win32 Korvane", MenuCommand::PlatformWin32},
    {ObjectName::mnuWin64, ObjectName::mnuPlatform, Kind::Choice, "Win64 Korvane", MenuCommand::PlatformWin64},
    {ObjectName::mnuRedetect, ObjectName::mnuOptions, Kind::Command, "Redetect KRVN version", MenuCommand::Redetect},
    {ObjectName::mnuHelp, {}, Kind::Menu, "&Help"},
    {ObjectName::mnuKrvnWiki, ObjectName::mnuHelp, Kind::Link, "Korvane Wiki"},
    {ObjectName::brk04, ObjectName::mnuHelp, Kind::Separator, ""},
    {ObjectName::mnuLinksKRVN, ObjectName::mnuHelp, Kind::Menu, "Links: Korvane"},
    {ObjectName::mnuKrvnHome, ObjectName::mnuLinksKRVN, Kind::Link, "Homepage"},
    {ObjectName::mnuForum, ObjectName::mnuLinksKRVN, Kind::Link, "Forums"},
    {ObjectName::mnuBug, ObjectName::mnuLinksKRVN, Kind::Link, "Report a bug"},
    {ObjectName::mnuKrvnFiles, ObjectName::mnuLinksKRVN, Kind::Link, "Previous versions"},
    {ObjectName::mnuLinksGraphics, ObjectName::mnuHelp, Kind::Menu, "Links: New graphics"},
    {ObjectName::mnuCrates, ObjectName::mnuLinksGraphics, Kind::Link, "Korvane Crates"},
    {ObjectName::mnuGRFCrawler, ObjectName::mnuLinksGraphics, Kind::Link, "GRF Crawler"},
    {ObjectName::mnuTWSR, ObjectName::mnuLinksGraphics, Kind::Link, "Townscape Refit"},
    {ObjectName::brk05, ObjectName::mnuHelp, Kind::Separator, ""},
    {ObjectName::mnuCheckSelfUpdate, ObjectName::mnuHelp, Kind::Command, "Check for updates",
     MenuCommand::CheckSelfUpdate},
    {ObjectName::brk06, ObjectName::mnuHelp, Kind::Separator, ""},
    {ObjectName::mnuWebsite, ObjectName::mnuHelp, Kind::Link, "KRVN Manager website"},
    {ObjectName::mnuAbout, ObjectName::mnuHelp, Kind::Command, "About KRVN Manager...", MenuCommand::ShowAbout},
};

// Entries that change the game or the settings, off while a transfer runs.
constexpr QLatin1StringView BusyOff[] = {ObjectName::mnuOpen, ObjectName::mnuSettings, ObjectName::mnuPlatform,
                                         ObjectName::mnuRedetect};

} // namespace

MainMenu::MainMenu(QMenuBar* bar) : QObject(bar), bar(bar)
{
    for (const Entry& item : Entries) {
        const QString name = QLatin1String(item.name);
        auto* parent = !item.parent.isEmpty() ? bar->findChild<QMenu*>(QLatin1String(item.parent)) : nullptr;
        QAction* action = nullptr;
        if (item.kind == Kind::Menu) {
            QMenu* menu = parent ? parent->addMenu(QString::fromUtf8(item.caption))
                                 : bar->addMenu(QString::fromUtf8(item.caption));
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
            continue;
        }
        if (item.kind == Kind::Separator) {
            parent->addSeparator()->setObjectName(name);
            continue;
        }
        action = parent->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(name);
        action->setCheckable(item.kind == Kind::Choice);
        if (item.kind == Kind::Link)
            connect(action, &QAction::triggered, this, [this, name] { Q_EMIT linkChosen(name); });
        else
            connect(action, &QAction::triggered, this,
                    [this, command = item.command] { Q_EMIT commandChosen(command); });
    }
}

QAction* MainMenu::entry(const QString& name) const
{
    return bar->findChild<QAction*>(name);
}

void MainMenu::setIdle(bool idle, bool selfUpdateEnabled, bool undoEnabled)
{
    for (QLatin1StringView name : BusyOff) {
        // A submenu is switched through its own entry in the parent menu.
        QAction* action = entry(name);
        (action ? action : entry(name + QStringLiteral("Action")))->setEnabled(idle);
    }
    entry(ObjectName::mnuCheckSelfUpdate)->setEnabled(idle && selfUpdateEnabled);
    entry(ObjectName::mnuUndo)->setEnabled(idle && undoEnabled);
}

void MainMenu::checkPlatformItem(int index)
{
    entry(ObjectName::mnuWin9x)->setChecked(index == 0);
    entry(ObjectName::mnuWin32)->setChecked(index == 1);
    entry(ObjectName::mnuWin64)->setChecked(index == 2);
}

#include "ui/MainMenu.h"

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
    const char* name;
    const char* parent; // empty: the menu bar
    Kind kind;
    const char* caption; // English; the caption table translates the entries that change
};

constexpr Entry Entries[] = {
    {"mnuFile", "", Kind::Menu, "&File"},
    {"mnuOpen", "mnuFile", Kind::Command, "Select KRVN path..."},
    {"brk00", "mnuFile", Kind::Separator, ""},
    {"mnuExit", "mnuFile", Kind::Command, "Exit"},
    {"mnuOptions", "", Kind::Menu, "&Options"},
    {"mnuSettings", "mnuOptions", Kind::Command, "Settings..."},
    {"brk02", "mnuOptions", Kind::Separator, ""},
    {"mnuPlatform", "mnuOptions", Kind::Menu, "Platform selection"},
    {"mnuWin9x", "mnuPlatform", Kind::Choice, "Win9x Korvane"},
    {"mnuWin32", "mnuPlatform", Kind::Choice, "Win32 Korvane"},
    {"mnuWin64", "mnuPlatform", Kind::Choice, "Win64 Korvane"},
    {"mnuRedetect", "mnuOptions", Kind::Command, "Redetect KRVN version"},
    {"mnuHelp", "", Kind::Menu, "&Help"},
    {"mnuKrvnWiki", "mnuHelp", Kind::Link, "Korvane Wiki"},
    {"brk04", "mnuHelp", Kind::Separator, ""},
    {"mnuLinksKRVN", "mnuHelp", Kind::Menu, "Links: Korvane"},
    {"mnuKrvnHome", "mnuLinksKRVN", Kind::Link, "Homepage"},
    {"mnuForum", "mnuLinksKRVN", Kind::Link, "Forums"},
    {"mnuBug", "mnuLinksKRVN", Kind::Link, "Report a bug"},
    {"mnuKrvnFiles", "mnuLinksKRVN", Kind::Link, "Previous versions"},
    {"mnuLinksGraphics", "mnuHelp", Kind::Menu, "Links: New graphics"},
    {"mnuCrates", "mnuLinksGraphics", Kind::Link, "Korvane Crates"},
    {"mnuGRFCrawler", "mnuLinksGraphics", Kind::Link, "GRF Crawler"},
    {"mnuTWSR", "mnuLinksGraphics", Kind::Link, "Townscape Refit"},
    {"brk05", "mnuHelp", Kind::Separator, ""},
    {"mnuCheckSelfUpdate", "mnuHelp", Kind::Command, "Check for updates"},
    {"brk06", "mnuHelp", Kind::Separator, ""},
    {"mnuWebsite", "mnuHelp", Kind::Link, "KRVN Manager website"},
    {"mnuAbout", "mnuHelp", Kind::Command, "About KRVN Manager..."},
};

// Entries that change the game or the settings, off while a transfer runs.
constexpr const char* BusyOff[] = {"mnuOpen", "mnuSettings", "mnuPlatformAction", "mnuRedetect"};

} // namespace

MainMenu::MainMenu(QMenuBar* bar) : QObject(bar), bar(bar)
{
    for (const Entry& item : Entries) {
        const QString name = QLatin1String(item.name);
        auto* parent = *item.parent ? bar->findChild<QMenu*>(QLatin1String(item.parent)) : nullptr;
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
            connect(action, &QAction::triggered, this, [this, name] { Q_EMIT commandChosen(name); });
    }
}

QAction* MainMenu::entry(const QString& name) const
{
    return bar->findChild<QAction*>(name);
}

void MainMenu::setIdle(bool idle, bool selfUpdateEnabled)
{
    for (const char* name : BusyOff)
        entry(QLatin1String(name))->setEnabled(idle);
    entry(QStringLiteral("mnuCheckSelfUpdate"))->setEnabled(idle && selfUpdateEnabled);
}

void MainMenu::checkPlatformItem(int index)
{
    entry(QStringLiteral("mnuWin9x"))->setChecked(index == 0);
    entry(QStringLiteral("mnuWin32"))->setChecked(index == 1);
    entry(QStringLiteral("mnuWin64"))->setChecked(index == 2);
}

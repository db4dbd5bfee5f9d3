#include "MainWindowStandIn.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

MainWindowStandIn::MainWindowStandIn(const QString& leftOut)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Korvane Manager 1.0.4"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto named = [&](QWidget* widget, const QString& name) {
        if (name == leftOut) {
            delete widget;
            return;
        }
        widget->setObjectName(name);
        layout->addWidget(widget);
    };
    for (int row = 0; row < 4; ++row) {
        named(new QRadioButton(central), QStringLiteral("optGet%1").arg(row));
        named(new QLabel(central), QStringLiteral("lblVersionInfo%1").arg(row));
        if (row < 3)
            named(new QLabel(central), QStringLiteral("lblDate%1").arg(row));
    }
    for (const char* name : {"cmdLU", "cmdRun", "cmdExit"})
        named(new QPushButton(central), QLatin1String(name));
    for (const char* name : {"lblVersion", "lblDownloadStatus"})
        named(new QLabel(central), QLatin1String(name));
    setCentralWidget(central);

    auto menu = [&](QMenu* parent, const char* name) {
        QMenu* item = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        item->setObjectName(QLatin1String(name));
        return item;
    };
    auto action = [&](QMenu* parent, const char* name, const QString& caption = {}) {
        if (QLatin1String(name) != leftOut)
            parent->addAction(caption)->setObjectName(QLatin1String(name));
    };
    QMenu* file = menu(nullptr, "mnuFile");
    action(file, "mnuOpen");
    action(file, "mnuExit");
    QMenu* options = menu(nullptr, "mnuOptions");
    QMenu* platform = menu(options, "mnuPlatform");
    action(platform, "mnuWin32", QStringLiteral("Win32 build"));
    action(options, "mnuSettings");
    action(options, "mnuRedetect");
    QMenu* help = menu(nullptr, "mnuHelp");
    action(help, "mnuCheckSelfUpdate");
    action(help, "mnuWebsite");
    action(help, "mnuForum", QStringLiteral("Korvane forum"));
    action(help, "mnuAbout");
}

QString MainWindowStandIn::caption(const QString& objectName) const
{
    QObject* control = findChild<QObject*>(objectName);
    if (auto* menu = qobject_cast<QMenu*>(control))
        return menu->title();
    if (auto* action = qobject_cast<QAction*>(control))
        return action->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    return QStringLiteral("<no control %1>").arg(objectName);
}

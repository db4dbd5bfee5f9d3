#pragma once

// The whole job through the real main window: check for updates, install the stable
// build (and the base set), the beta, undo it and install it again, the nightly and an
// older release, check for a new
// Manager from the menu, close. One line per stage with what the window showed, and a
// screenshot per stage.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

struct AppState;
class SettingsStore;
class TourDialogs;
class TourPlatform;
class TransferComponent;
class MainWindow;

class Tour
{
public:
    Tour(AppState& state, SettingsStore& settings, MainWindow& window, TourDialogs& dialogs, TourPlatform& platform,
         TransferComponent& transfer, QString screenshotFolder);

    // Runs every stage in order; true when each ended as it should.
    bool run();

private:
    // Runs one stage: action returns what the window showed and adds what went wrong.
    bool stage(const QString& name, const std::function<QString(QStringList&)>& action);
    // Installs the checked row through "Install Now"; expects version to be read back.
    QString install(const QString& version, bool nightly, QStringList& problems);
    void checkInstalled(const QString& version, QStringList& problems) const;
    bool baseSetPresent() const;
    // Starts installing the checked row and cuts its download off once part of the archive
    // is in; true when it was cut and the part kept.
    bool interruptInstall(std::uint8_t product, const QString& version, QStringList& problems);
    QStringList statusLines() const;

    AppState& state;
    SettingsStore& settings;
    MainWindow& window;
    TourDialogs& dialogs;
    TourPlatform& platform;
    TransferComponent& transfer;
    QString screenshotFolder;
    int number = 0;
};

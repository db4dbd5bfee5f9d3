#pragma once

// The whole job through the real main window: check for updates, install the stable
// build (and the base set), cancel the beta's download and resume it, undo the beta and
// install it again, cancel the nightly's unpacking and install it, an older release,
// check for a new Manager from the menu, close. One line per stage with what the window showed, and a
// screenshot per stage.

#include <QMap>
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
    // is in, as a dropped connection does or with the Cancel button; true when it was cut
    // and the part kept.
    bool interruptInstall(std::uint8_t product, const QString& version, bool withCancelButton, QStringList& problems);
    // Every file and folder of the game folder with a hash of its bytes.
    QMap<QString, QByteArray> gameFolderState() const;
    // "Cancelled.", the window idle without its Cancel button, the game folder as before.
    void checkCancelled(const QMap<QString, QByteArray>& before, QStringList& problems) const;
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

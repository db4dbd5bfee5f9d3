#pragma once

// The composition root: builds every logic object once, the main window and the
// command routing, and wires them. main() runs it over the system's own seams; tests
// run it over fakes.

#include <QString>

#include <memory>

struct AppState;
struct AppServices;
class DownloadEngine;
class ErrorHandler;
class GameDetection;
class MainCommands;
class WindowDialogs;
class MainWindow;

class Application
{
public:
    // Over the system's seams: the settings store, the platform, Qt's dialogs, QtNetwork.
    Application();
    // Over the given seams; dialogs is services.dialogs, able to show windows too.
    Application(AppState& state, AppServices& services, WindowDialogs& dialogs);
    ~Application();

    // Runs the start-up sequence.
    MainWindow& load();
    // Runs the start-up sequence and shows the main window.
    MainWindow& start();

    // Where the settings are kept: a file, or the registry key on Windows; empty over fakes.
    QString settingsLocation() const;

    MainWindow& window();
    MainCommands& commands();
    DownloadEngine& engine();
    ErrorHandler& errors();
    GameDetection& detection();

private:
    struct SystemSeams;
    struct Parts;
    std::unique_ptr<SystemSeams> seams;
    std::unique_ptr<Parts> parts;
};

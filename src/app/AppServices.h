#pragma once

// The seams the windows work through; owned by main() (or a test) for the whole run.

class BuiltinStrings;
class Dialogs;
class ErrorHandler;
class Platform;
class SettingsStore;
class TransferComponent;

struct AppServices
{
    SettingsStore& settings;
    Platform& platform;
    Dialogs& dialogs;
    ErrorHandler& errors;
    const BuiltinStrings& strings;
    TransferComponent* transfer = nullptr; // intMain; none until the download engine is set up
};

#pragma once

// The seams the logic works through; owned by the composition root (or a test) for the whole run.

#include "app/Timings.h"

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
    TransferComponent& transfer;
    // The durations waited for; tests shorten them here.
    Timings timings = {};
};

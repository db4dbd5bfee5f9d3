#pragma once

// LoadSettings and the platform choice. Settings.cpp holds the one table of the keys of
// section "KRVNM": their stored names, defaults and conversions, and where each is loaded
// in AppState; SettingsStore reads and writes by it.

#include <QString>

struct AppState;
class SettingsStore;
class Platform;
class Dialogs;

// Reads every key in table order, converts the numbers, derives PlatformIndex when no
// platform is stored, and shows one message box if any key failed.
void loadSettings(AppState& state, SettingsStore& store, Platform& platform, Dialogs& dialogs);

// "WIN9X" 0, "WIN64" 2, any other stored text 1.
int platformIndexFromText(const QString& text);

// The platform menu's choice: sets PlatformIndex and stores "WIN9X", "WIN32" or "WIN64".
void storePlatformChoice(AppState& state, SettingsStore& store, int index);

// The text stored for a platform index.
QString platformText(int index);

#pragma once

// The check for a newer version of this program: asks the maker's server which version
// is published and offers the product page when it differs from the running one.

#include <QString>

class QDate;

struct AppState;
struct AppServices;
class DownloadEngine;
class MainControls;

class SelfUpdateCheck
{
public:
    SelfUpdateCheck(AppState& state, AppServices& services, DownloadEngine& engine, MainControls& controls);

    // `checkSelfUpdate`: automatic is true for the daily check after a release check and
    // false from the menu; only the menu's check says that the running version is the latest.
    void checkSelfUpdate(bool automatic);

    // The maker's update query for the running version (`AppVersion` 1.0.4 asks for 104).
    static QString queryAddress(const AppState& state);

    // Whether the daily check is due after a release check: no check has read an answer on
    // this day. The menu command must also be enabled for it to run.
    static bool selfCheckDue(const AppState& state, const QDate& day);

private:
    AppState& state;
    AppServices& services;
    DownloadEngine& engine;
    MainControls& controls;
};

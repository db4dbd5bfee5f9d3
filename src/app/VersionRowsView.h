#pragma once

// The main window's version card and rows as the logic sees them: the installed-version
// line `lblVersion`, the rows `optGet(0..3)` with `lblDate`, `lblVersionInfo` and the
// status icons `imgStatus`, and the older-release list `cboRestore`. The version rows
// panel implements it; tests record it.

#include <QStringList>

#include <cstdint>

// The hidden picture sources of the row status icons.
enum class StatusPicture
{
    Download,    // imgDownload
    Update,      // imgUpdate
    Wait,        // imgWait
    Error,       // imgError
    Installed,   // imgInstalled
    Downloading, // imgDownloading
    Exclamation  // imgExclamation
};

class VersionRowsView
{
public:
    virtual ~VersionRowsView() = default;

    // The caption of `lblVersion`.
    virtual void setVersionText(const QString& text) = 0;
    // Rows 0 stable, 1 beta, 2 nightly: the caption of `optGet(row)`, the text of `lblDate(row)`.
    virtual void setRowCaption(int row, const QString& caption) = 0;
    virtual void setRowDate(int row, const QString& text) = 0;
    // Offers or withdraws `optGet(row)` with `lblVersionInfo(row)`, and `lblDate(row)` for
    // rows 0 to 2. A withdrawn row is never the selected one; while no offered row is
    // selected, the first offered one is.
    virtual void setRowEnabled(int row, bool enabled) = 0;
    virtual void selectVersionRow(int row) = 0;
    virtual bool isVersionRowSelected(int row) const = 0;
    // Shows picture as the only visible status icon, in row index.
    virtual void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) = 0;
    // Hides `imgStatus(index)` alone, leaving the other rows' icons as they are.
    virtual void hideStatusIcon(std::uint8_t index) = 0;
    // `cboRestore`: replaces its items with these, enables it and selects the first item,
    // which runs its click handling as a selection by the user would.
    virtual void fillRestoreList(const QStringList& items) = 0;
    // The selected index of `cboRestore`; -1 when nothing is selected.
    virtual int restoreSelectedIndex() const = 0;
};

#pragma once

// What the release check and the self-update check need from the main window beyond the
// download engine's view: the version rows, the older-release list, the main button,
// the progress bar and the switch between idle and busy.

#include <QString>
#include <QStringList>

#include <cstdint>

enum class StatusPicture; // detect/DetectionView.h

class CatalogueView
{
public:
    virtual ~CatalogueView() = default;

    // `enableControls`: idle (true) or busy (false).
    virtual void enableControls(bool idle) = 0;
    // Empties `lstStatus`.
    virtual void clearStatusList() = 0;

    // `pgbMain`.
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
    virtual void setProgressVisible(bool visible) = 0;

    // Rows 0 stable, 1 beta, 2 nightly: the caption of `optGet(row)`, the text of `lblDate(row)`.
    virtual void setRowCaption(int row, const QString& caption) = 0;
    virtual void setRowDate(int row, const QString& text) = 0;
    // Enables `optGet(row)` and `lblVersionInfo(row)`, and `lblDate(row)` for rows 0 to 2.
    virtual void enableRow(int row) = 0;
    // Selects `optGet(row)`.
    virtual void selectVersionRow(int row) = 0;
    // `setStatusIcon`: picture as the only visible status icon, in row index.
    virtual void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) = 0;

    // `cboRestore`: replaces its items with these, enables it and selects the first item,
    // which runs its click handling as a selection by the user would.
    virtual void fillRestoreList(const QStringList& items) = 0;

    // The caption of `cmdLU`.
    virtual void setMainButtonCaption(const QString& caption) = 0;
    // Hides `imgUpdate` and shows `imgDownload`: the button now installs.
    virtual void showInstallImage() = 0;
};

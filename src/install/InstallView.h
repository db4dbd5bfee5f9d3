#pragma once

// What the installation needs from the main window beyond the download engine's view:
// the switch between idle and busy, the status list, the row status icons, the version
// rows, the older-release list and the end of the program.

#include <QString>

#include <cstdint>

enum class StatusPicture; // detect/DetectionView.h

class InstallView
{
public:
    virtual ~InstallView() = default;

    // `enableControls`: idle (true) or busy (false).
    virtual void enableControls(bool idle) = 0;
    // Empties `lstStatus`.
    virtual void clearStatusList() = 0;
    // `setStatusIcon`: picture as the only visible status icon, in row index.
    virtual void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) = 0;
    // Hides `imgStatus(index)` alone, leaving the other rows' icons as they are.
    virtual void hideStatusIcon(std::uint8_t index) = 0;
    // Whether `optGet(row)` is the selected option button.
    virtual bool isVersionRowSelected(int row) const = 0;
    // Selects `optGet(row)`.
    virtual void selectVersionRow(int row) = 0;
    // The selected index of `cboRestore`; -1 when nothing is selected.
    virtual int restoreSelectedIndex() const = 0;
    // Unloads the main window: the settings are saved and the program ends.
    virtual void unloadMainWindow() = 0;
};

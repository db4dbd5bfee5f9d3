#pragma once

#include "detect/DetectionView.h"

class frmMain;

// The main window's installed-version line, run button, version rows and status
// icons, as the game detection drives them.
class MainWindowDetectionView : public DetectionView
{
public:
    explicit MainWindowDetectionView(frmMain& window) : window(window) {}

    void setVersionText(const QString& text) override;
    void setRunEnabled(bool enabled) override;
    void SetStatusBar(const QString& text) override;
    void selectVersionRow(int row) override;
    void SetStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) override;
    QWidget* ownerWindow() override;
    void closeMainWindow() override;

private:
    frmMain& window;
};

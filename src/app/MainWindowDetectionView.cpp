#include "app/MainWindowDetectionView.h"

#include "app/frmMain.h"

#include <QPushButton>

void MainWindowDetectionView::setVersionText(const QString& text)
{
    window.SetVersionLabel(text);
}

void MainWindowDetectionView::setRunEnabled(bool enabled)
{
    window.RunButton()->setEnabled(enabled);
}

void MainWindowDetectionView::SetStatusBar(const QString& text)
{
    window.SetStatusBar(text);
}

void MainWindowDetectionView::selectVersionRow(int row)
{
    window.SelectVersionRow(row);
}

void MainWindowDetectionView::SetStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip)
{
    // The picture sources are kept in the order of StatusPicture.
    window.SetStatusIcon(index, window.PictureSource(static_cast<int>(picture)), toolTip);
}

QWidget* MainWindowDetectionView::ownerWindow()
{
    return &window;
}

void MainWindowDetectionView::closeMainWindow()
{
    window.close();
}

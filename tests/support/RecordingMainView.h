#pragma once

// The main window as installation, checks, download engine and game detection see it, keeping what they leave.

#include "NullWindow.h"

#include <QMap>
#include <QStringList>

#include <optional>

inline QString pictureName(StatusPicture picture)
{
    static const char* const names[] = {"download",  "update",      "wait",       "error",
                                        "installed", "downloading", "exclamation"};
    return QString::fromLatin1(names[static_cast<int>(picture)]);
}

class RecordingMainView : public NullWindow
{
public:
    void clearStatusList() override
    {
        lines.clear();
        ++clears;
    }
    // Icons read "row picture tooltip", "hide row" or "hide all".
    void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) override
    {
        icons.append(QStringLiteral("%1 %2 %3").arg(index).arg(pictureName(picture), toolTip));
        statusBarCurrent = false;
    }
    void hideStatusIcon(std::uint8_t index) override { icons.append(QStringLiteral("hide %1").arg(index)); }
    void hideStatusIcons() override { icons.append(QStringLiteral("hide all")); }
    bool isVersionRowSelected(int row) const override { return row == selectedRow; }
    void selectVersionRow(int row) override
    {
        selectedRows.append(row);
        statusBarCurrent = false;
    }
    int restoreSelectedIndex() const override { return restoreIndex; }
    void closeWindow() override { ++closes; }

    void setRowCaption(int row, const QString& caption) override { captions[row] = caption; }
    void setRowDate(int row, const QString& text) override { dates[row] = text; }
    void setRowEnabled(int row, bool enabled) override
    {
        enabledRows.removeAll(row);
        if (enabled)
            enabledRows.append(row);
    }
    void fillRestoreList(const QStringList& items) override { restoreFills.append(items); }
    void setMainButtonCaption(const QString& caption) override { buttonCaption = caption; }
    void showInstallImage() override { installImage = true; }

    void setVersionText(const QString& text) override
    {
        versionText = text;
        statusBarCurrent = false;
    }
    void setRunEnabled(bool enabled) override { runEnabled = enabled; }
    void setStatusBar(const QString&) override { statusBarCurrent = true; }

    int selectedRow = -1; // the row the user selected
    int restoreIndex = -1;
    int clears = 0;
    QStringList icons;
    QList<int> selectedRows; // the rows the logic selected
    int closes = 0;
    QMap<int, QString> captions, dates;
    QList<int> enabledRows;
    QList<QStringList> restoreFills;
    QString buttonCaption;
    bool installImage = false;
    QString versionText; // lblVersion
    std::optional<bool> runEnabled;
    bool statusBarCurrent = false; // refreshed after the last change of the version line or rows
};

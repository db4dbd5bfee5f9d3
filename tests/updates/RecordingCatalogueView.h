#pragma once

// The main window as the checks and their download engine see it, recording what they do.

#include "NullWindow.h"

#include <QMap>
#include <QStringList>

class RecordingCatalogueView : public NullWindow
{
public:
    void clearStatusList() override
    {
        lines.clear();
        ++clears;
    }
    void setRowCaption(int row, const QString& caption) override { captions[row] = caption; }
    void setRowDate(int row, const QString& text) override { dates[row] = text; }
    void enableRow(int row) override { enabledRows.append(row); }
    void selectVersionRow(int row) override { selectedRows.append(row); }
    void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) override
    {
        const char* name = picture == StatusPicture::Exclamation ? "exclamation" : "other";
        icons.append(QStringLiteral("%1 %2 %3").arg(index).arg(QLatin1String(name), toolTip));
    }
    void fillRestoreList(const QStringList& items) override { restoreFills.append(items); }
    void setMainButtonCaption(const QString& caption) override { buttonCaption = caption; }
    void showInstallImage() override { installImage = true; }

    int clears = 0;
    QMap<int, QString> captions;
    QMap<int, QString> dates;
    QList<int> enabledRows;
    QList<int> selectedRows;
    QStringList icons;
    QList<QStringList> restoreFills;
    QString buttonCaption;
    bool installImage = false;
};

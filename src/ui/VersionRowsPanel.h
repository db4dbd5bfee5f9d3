#pragma once

// The installed-version card (`lblVersion`) and the four version rows: `optGet`,
// `lblDate`, `lblVersionInfo`, `imgStatus`, `cboRestore`, with the hidden picture
// sources of the row status icons.

#include "app/VersionRowsView.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QRadioButton;

class VersionRowsPanel : public QWidget, public VersionRowsView
{
    Q_OBJECT

public:
    static constexpr int RowCount = 4;

    explicit VersionRowsPanel(QWidget* parent = nullptr);

    // VersionRowsView
    void setVersionText(const QString& text) override;
    void setRowCaption(int row, const QString& caption) override;
    void setRowDate(int row, const QString& text) override;
    void setRowEnabled(int row, bool enabled) override;
    void selectVersionRow(int row) override;
    bool isVersionRowSelected(int row) const override;
    void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) override;
    void hideStatusIcon(std::uint8_t index) override;
    void fillRestoreList(const QStringList& items) override;
    int restoreSelectedIndex() const override;

    void hideStatusIcons();
    void resetRestoreList();
    void setRestoreEnabled(bool enabled);
    // The first of optGet(0..2) selected, else 3.
    int selectedProduct() const;

Q_SIGNALS:
    // lblVersionInfo(row) was clicked with the left button: that row's change log is wanted.
    void versionInfoClicked(int row);
    // The mouse moved over the cards, away from the links.
    void hovered();
    // cboRestore got the focus; an item of it was picked (also by the release check).
    void restoreFocused();
    void restorePicked(bool listEnabled, int itemCount, int selectedIndex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildVersionCard();
    QWidget* buildRows();
    void buildPictureSources();

    QLabel* lblVersion = nullptr;
    std::array<QRadioButton*, RowCount> optGet{};
    std::array<QLabel*, RowCount> lblVersionInfo{};
    std::array<QLabel*, RowCount - 1> lblDate{};
    std::array<QLabel*, RowCount> imgStatus{};
    QComboBox* cboRestore = nullptr;
    // In the order of StatusPicture: imgDownload, imgUpdate, imgWait, imgError,
    // imgInstalled, imgDownloading, imgExclamation.
    std::array<QLabel*, 7> pictureSources{};
};

#pragma once

// The installed-version card (`lblVersion`) and the four version rows: `optGet`,
// `lblDate`, `lblVersionInfo`, `imgStatus`, `cboRestore`, with the hidden picture
// sources of the row status icons.

#include "detect/DetectionView.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QRadioButton;

class VersionRowsPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RowCount = 4;

    explicit VersionRowsPanel(QWidget* parent = nullptr);

    void setVersionText(const QString& text);
    void selectRow(int row);
    // Shows picture at row index (0 to 3) as the only visible status icon.
    void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip);
    void hideStatusIcons();
    void resetRestoreList();
    void setRestoreEnabled(bool enabled);
    // Replaces cboRestore's items, enables it and selects the first item.
    void fillRestoreList(const QStringList& items);
    // cboRestore's selected index; -1 when none.
    int restoreIndex() const;
    void setRowCaption(int row, const QString& caption);
    void setRowDate(int row, const QString& text);
    void enableRow(int row);
    // The first of optGet(0..2) selected, else 3.
    int selectedProduct() const;
    bool isRowSelected(int row) const;
    void hideStatusIcon(int row);

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

#include "ui/VersionRowsPanel.h"

#include "app/ObjectNames.h"
#include "ui/MainWindowStyle.h"
#include "ui/WindowHelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

using namespace MainWindowStyle;

VersionRowsPanel::VersionRowsPanel(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(buildVersionCard());
    layout->addWidget(buildRows());
    buildPictureSources();
}

QWidget* VersionRowsPanel::buildVersionCard()
{
    QFrame* fraVersion = card(this, ObjectName::fraVersion);
    fraVersion->setMouseTracking(true);
    fraVersion->installEventFilter(this);
    lblVersion = label(fraVersion, ObjectName::lblVersion);
    lblVersion->setWordWrap(true);
    QFont bold = lblVersion->font();
    bold.setBold(true);
    lblVersion->setFont(bold);
    auto* layout = new QHBoxLayout(fraVersion);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(lblVersion);
    return fraVersion;
}

QWidget* VersionRowsPanel::buildRows()
{
    static const std::array<const char*, RowCount> designCaptions = {
        "Korvane 1.4.0 (stable)", "Korvane 1.4.0 beta 5", "Korvane r26397 (nightly)", "Previous Korvane version"};

    QFrame* fraVersions = card(this, ObjectName::fraVersions);
    auto* picVersions = new QWidget(fraVersions);
    picVersions->setObjectName(ObjectName::picVersions);
    for (QWidget* background : {static_cast<QWidget*>(fraVersions), picVersions}) {
        background->setMouseTracking(true);
        background->installEventFilter(this);
    }

    auto* rows = new QGridLayout(picVersions);
    rows->setContentsMargins(12, 8, 12, 8);
    rows->setHorizontalSpacing(8);
    rows->setVerticalSpacing(2);
    rows->setColumnMinimumWidth(0, 22);
    rows->setColumnStretch(2, 1);

    QFont dateFont = font();
    dateFont.setPointSizeF(dateFont.pointSizeF() * 0.92);
    QFont underlined = dateFont;
    underlined.setUnderline(true);
    int line = 0;
    for (int row = 0; row < RowCount; ++row) {
        if (row > 0) {
            // An etched separator: a dark line over a light one.
            rows->setRowMinimumHeight(line, 4);
            rows->addWidget(separatorLine(picVersions, named(ObjectName::lneLine, 2 * (row - 1)), SeparatorColour),
                            line + 1, 0, 1, 5);
            rows->addWidget(separatorLine(picVersions, named(ObjectName::lneLine, 2 * (row - 1) + 1), Qt::white),
                            line + 2, 0, 1, 5);
            rows->setRowMinimumHeight(line + 3, 4);
            line += 4;
        }
        optGet[row] = new QRadioButton(QLatin1String(designCaptions[row]), picVersions);
        optGet[row]->setObjectName(named(ObjectName::optGet, row));
        imgStatus[row] = label(picVersions, named(ObjectName::imgStatus, row));
        imgStatus[row]->setFixedSize(StatusIconSize, StatusIconSize);
        imgStatus[row]->setVisible(false);
        lblVersionInfo[row] =
            label(picVersions, named(ObjectName::lblVersionInfo, row), QStringLiteral("Version information..."));
        lblVersionInfo[row]->setCursor(Qt::PointingHandCursor);
        lblVersionInfo[row]->setFont(underlined);
        QPalette link = lblVersionInfo[row]->palette();
        link.setColor(QPalette::WindowText, LinkColour);
        lblVersionInfo[row]->setPalette(link);
        // Reached with Tab like a button, with a frame that shows where the focus is.
        makeKeyboardLink(lblVersionInfo[row]);
        lblVersionInfo[row]->installEventFilter(this);

        if (row < RowCount - 1) {
            rows->addWidget(optGet[row], line, 0, 1, 4);
        } else {
            cboRestore = new QComboBox(picVersions);
            cboRestore->setObjectName(ObjectName::cboRestore);
            cboRestore->addItem(QString());
            cboRestore->setEnabled(false);
            cboRestore->setMinimumWidth(150);
            cboRestore->installEventFilter(this);
            connect(cboRestore, &QComboBox::currentIndexChanged, this,
                    [this](int index) { Q_EMIT restorePicked(cboRestore->isEnabled(), cboRestore->count(), index); });
            // The option and the list share one row, each as wide as its caption needs.
            auto* restoreRow = new QHBoxLayout;
            restoreRow->setSpacing(8);
            restoreRow->addWidget(optGet[row]);
            restoreRow->addWidget(cboRestore);
            restoreRow->addStretch();
            rows->addLayout(restoreRow, line, 0, 1, 4);
        }
        rows->addWidget(imgStatus[row], line, 4, Qt::AlignRight | Qt::AlignVCenter);
        if (row < RowCount - 1) {
            lblDate[row] = label(picVersions, named(ObjectName::lblDate, row), QStringLiteral("Date:"));
            lblDate[row]->setFont(dateFont);
            QPalette muted = lblDate[row]->palette();
            muted.setColor(QPalette::WindowText, QColor(0x5b, 0x66, 0x73));
            lblDate[row]->setPalette(muted);
            rows->addWidget(lblDate[row], line + 1, 1, 1, 2);
        }
        rows->addWidget(lblVersionInfo[row], line + 1, 3, 1, 2, Qt::AlignRight);
        line += 2;
    }
    // Nothing is offered, and so nothing selected, before a release check has found it.
    for (int row = 0; row < RowCount; ++row)
        setRowEnabled(row, false);

    auto* layout = new QVBoxLayout(fraVersions);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(picVersions);
    return fraVersions;
}

void VersionRowsPanel::buildPictureSources()
{
    static const std::array<std::pair<QLatin1StringView, const char*>, 7> sources = {{
        {ObjectName::imgDownload, "download"},
        {ObjectName::imgUpdate, "update"},
        {ObjectName::imgWait, "wait"},
        {ObjectName::imgError, "error"},
        {ObjectName::imgInstalled, "installed"},
        {ObjectName::imgDownloading, "downloading"},
        {ObjectName::imgExclamation, "exclamation"},
    }};
    for (size_t i = 0; i < sources.size(); ++i) {
        QLabel* source = label(this, sources[i].first);
        source->setPixmap(statusIcon(QLatin1String(sources[i].second))
                              .pixmap(QSize(StatusIconSize, StatusIconSize), devicePixelRatioF()));
        source->setVisible(false);
        pictureSources[i] = source;
    }
}

void VersionRowsPanel::setVersionText(const QString& text)
{
    lblVersion->setText(text);
}

void VersionRowsPanel::selectVersionRow(int row)
{
    QRadioButton* option = optGet.at(static_cast<size_t>(row));
    if (option->isEnabled())
        option->setChecked(true);
}

void VersionRowsPanel::setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip)
{
    hideStatusIcons();
    if (index >= RowCount)
        return;
    imgStatus[index]->setPixmap(pictureSources.at(static_cast<size_t>(picture))->pixmap());
    imgStatus[index]->setToolTip(toolTip);
    imgStatus[index]->setVisible(true);
}

void VersionRowsPanel::hideStatusIcons()
{
    for (QLabel* icon : imgStatus)
        icon->setVisible(false);
}

void VersionRowsPanel::resetRestoreList()
{
    cboRestore->setCurrentIndex(0);
}

void VersionRowsPanel::setRestoreEnabled(bool enabled)
{
    cboRestore->setEnabled(enabled);
}

void VersionRowsPanel::fillRestoreList(const QStringList& items)
{
    {
        // Filled while still disabled, the list's pick handling would ignore the first item.
        const QSignalBlocker quiet(cboRestore);
        cboRestore->clear();
        cboRestore->addItems(items);
        cboRestore->setCurrentIndex(-1);
    }
    cboRestore->setEnabled(true);
    cboRestore->setCurrentIndex(0);
}

int VersionRowsPanel::restoreSelectedIndex() const
{
    return cboRestore->currentIndex();
}

void VersionRowsPanel::setRowCaption(int row, const QString& caption)
{
    optGet.at(static_cast<size_t>(row))->setText(caption);
}

void VersionRowsPanel::setRowDate(int row, const QString& text)
{
    if (row >= 0 && row < RowCount - 1)
        lblDate[static_cast<size_t>(row)]->setText(text);
}

void VersionRowsPanel::setRowEnabled(int row, bool enabled)
{
    QRadioButton* option = optGet.at(static_cast<size_t>(row));
    option->setEnabled(enabled);
    lblVersionInfo.at(static_cast<size_t>(row))->setEnabled(enabled);
    if (row < RowCount - 1)
        lblDate[static_cast<size_t>(row)]->setEnabled(enabled);
    if (!enabled && option->isChecked()) {
        // An exclusive option cannot be unchecked by itself.
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    // The first row offered stays selected until the user or the check picks another.
    const auto offered = [](const QRadioButton* other) { return other->isEnabled(); };
    const auto picked = [](const QRadioButton* other) { return other->isEnabled() && other->isChecked(); };
    if (std::none_of(optGet.begin(), optGet.end(), picked)) {
        const auto first = std::find_if(optGet.begin(), optGet.end(), offered);
        if (first != optGet.end())
            (*first)->setChecked(true);
    }
}

int VersionRowsPanel::selectedProduct() const
{
    for (int row = 0; row < RowCount - 1; ++row)
        if (optGet[static_cast<size_t>(row)]->isChecked())
            return row;
    return RowCount - 1;
}

bool VersionRowsPanel::isVersionRowSelected(int row) const
{
    return optGet.at(static_cast<size_t>(row))->isChecked();
}

void VersionRowsPanel::hideStatusIcon(std::uint8_t row)
{
    imgStatus.at(static_cast<size_t>(row))->setVisible(false);
}

bool VersionRowsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboRestore && event->type() == QEvent::FocusIn)
        Q_EMIT restoreFocused();
    const auto link = std::find(lblVersionInfo.begin(), lblVersionInfo.end(), watched);
    if (event->type() == QEvent::MouseMove && link == lblVersionInfo.end()) {
        Q_EMIT hovered();
    } else if (event->type() == QEvent::MouseButtonRelease && link != lblVersionInfo.end() &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Q_EMIT versionInfoClicked(static_cast<int>(link - lblVersionInfo.begin()));
    } else if (event->type() == QEvent::KeyPress && link != lblVersionInfo.end() &&
               isActivationKey(*static_cast<QKeyEvent*>(event))) {
        Q_EMIT versionInfoClicked(static_cast<int>(link - lblVersionInfo.begin()));
        return true; // Enter on a link opens it and does not also start the game
    }
    return QWidget::eventFilter(watched, event);
}

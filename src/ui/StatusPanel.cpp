#include "ui/StatusPanel.h"

#include "app/ObjectNames.h"
#include "ui/MainWindowStyle.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace MainWindowStyle;

StatusPanel::StatusPanel(QWidget* parent) : QWidget(parent)
{
    QFrame* fraStatus = card(this, ObjectName::fraStatus);
    fraStatus->setMouseTracking(true);
    fraStatus->installEventFilter(this);

    lstStatus = new QListWidget(fraStatus);
    lstStatus->setObjectName(ObjectName::lstStatus);
    lstStatus->setSelectionMode(QAbstractItemView::NoSelection);
    lstStatus->setFocusPolicy(Qt::NoFocus);
    lstStatus->setFrameShape(QFrame::NoFrame);
    lstStatus->setStyleSheet(QStringLiteral("QListWidget#lstStatus { background: transparent; padding: 6px 8px; }"));
    // The first to give way on a small screen, down to three lines (and the padding).
    lstStatus->setMinimumHeight(3 * lstStatus->fontMetrics().lineSpacing() + 12);
    lstStatus->setUniformItemSizes(true);
    connect(lstStatus, &QListWidget::itemPressed, lstStatus, &QListWidget::clearSelection);
    connect(lstStatus->model(), &QAbstractItemModel::rowsInserted, this, &StatusPanel::lineAdded);

    lblDownloadStatus = label(fraStatus, ObjectName::lblDownloadStatus);
    QPalette muted = lblDownloadStatus->palette();
    muted.setColor(QPalette::WindowText, QColor(0x3d, 0x47, 0x52));
    lblDownloadStatus->setPalette(muted);
    lblDownloadStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    pgbMain = new QProgressBar(fraStatus);
    pgbMain->setObjectName(ObjectName::pgbMain);
    pgbMain->setRange(0, 100);
    pgbMain->setValue(0);
    pgbMain->setTextVisible(false);
    pgbMain->setFixedHeight(14);
    pgbMain->setVisible(false);

    // An ordinary button: neither default nor the window's Escape, which stays cmdExit's.
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), fraStatus);
    cmdCancel->setObjectName(ObjectName::cmdCancel);
    cmdCancel->setAutoDefault(true); // Enter on the focused button presses it, as on the others
    // Hidden it takes no room, so the idle window keeps its small-screen height.
    cmdCancel->setVisible(false);
    connect(cmdCancel, &QPushButton::clicked, this, &StatusPanel::cancelClicked);

    tmrTimeout = new QTimer(this);
    tmrTimeout->setObjectName(ObjectName::tmrTimeout); // the composition root sets its interval

    // The label has a line of its own, so the progress with its speed and time left is
    // read whole; the bar and the button below take no room while the window is idle
    // (a list transfer without a bar keeps the row's height by the button).
    auto* bar = new QHBoxLayout;
    bar->setSpacing(10);
    bar->addWidget(pgbMain, 1);
    bar->addWidget(cmdCancel);

    auto* progress = new QVBoxLayout;
    progress->setContentsMargins(10, 4, 10, 8);
    progress->setSpacing(4);
    progress->addWidget(lblDownloadStatus);
    progress->addLayout(bar);

    auto* card = new QVBoxLayout(fraStatus);
    card->setContentsMargins(1, 1, 1, 1);
    card->setSpacing(0);
    card->addWidget(lstStatus, 1);
    card->addWidget(separatorLine(fraStatus, ObjectName::fraStatusSeparator, SeparatorColour));
    card->addLayout(progress);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fraStatus);
}

void StatusPanel::resetProgress()
{
    tmrTimeout->stop();
    pgbMain->setVisible(false);
    pgbMain->setValue(0);
    pgbMain->setMaximum(100);
}

void StatusPanel::setCancelAvailable(bool available)
{
    cmdCancel->setVisible(available);
    cmdCancel->setEnabled(available);
}

void StatusPanel::setDownloadLabel(const QString& text)
{
    lblDownloadStatus->setText(text);
    Q_EMIT statusBarWanted(text);
}

void StatusPanel::setProgressVisible(bool visible)
{
    pgbMain->setVisible(visible);
}

void StatusPanel::setProgressMaximum(int maximum)
{
    pgbMain->setRange(0, maximum);
}

void StatusPanel::setProgressValue(int value)
{
    pgbMain->setValue(value);
}

void StatusPanel::setProgressBusy()
{
    pgbMain->setRange(0, 0);
}

void StatusPanel::addStatusLine(const QString& line)
{
    lstStatus->addItem(line);
    lstStatus->scrollToBottom();
}

void StatusPanel::clearStatusList()
{
    lstStatus->clear();
}

QString StatusPanel::lastStatusLine() const
{
    return lstStatus->count() > 0 ? lstStatus->item(lstStatus->count() - 1)->text() : QString();
}

void StatusPanel::setTimeoutTimerActive(bool active)
{
    if (active)
        tmrTimeout->start();
    else
        tmrTimeout->stop();
}

void StatusPanel::hideStatusIcons()
{
    Q_EMIT statusIconsHidden();
}

bool StatusPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        Q_EMIT hovered();
    return QWidget::eventFilter(watched, event);
}

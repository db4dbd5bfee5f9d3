#include "ui/BannerPanel.h"

#include "app/ObjectNames.h"
#include "ui/MainWindowStyle.h"

#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

using namespace MainWindowStyle;

BannerPanel::BannerPanel(QWidget* parent) : QWidget(parent)
{
    QLabel* imgTop = label(this, ObjectName::imgTop);
    imgTop->setFixedHeight(58);
    imgTop->setStyleSheet(QStringLiteral("QLabel#imgTop { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, "
                                         "stop:0 #17324f, stop:0.65 #24496f, stop:1 #2f5d8a); }"));

    QLabel* imgTopIcon = label(imgTop, ObjectName::imgTopIcon);
    imgTopIcon->setPixmap(QIcon(QStringLiteral(":/icons/krvnm-48.png")).pixmap(QSize(32, 32), devicePixelRatioF()));
    imgTopIcon->setFixedSize(32, 32);

    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 1.45);
    title.setBold(true);
    // The name twice, a dark copy one pixel down and right, for a shadow.
    QLabel* lblTopShadow = label(imgTop, ObjectName::lblTopShadow, QStringLiteral("Korvane Manager"));
    lblTopShadow->setFont(title);
    lblTopShadow->setStyleSheet(QStringLiteral("color: #08131f;"));
    lblTopShadow->setContentsMargins(1, 1, 0, 0);
    QLabel* lblTop = label(imgTop, ObjectName::lblTop, QStringLiteral("Korvane Manager"));
    lblTop->setFont(title);
    lblTop->setStyleSheet(QStringLiteral("color: #ffffff;"));
    lblTop->setContentsMargins(0, 0, 1, 1);

    auto* strip = new QGridLayout(imgTop);
    strip->setContentsMargins(14, 0, 14, 0);
    strip->setHorizontalSpacing(12);
    strip->addWidget(imgTopIcon, 0, 0, Qt::AlignVCenter);
    strip->addWidget(lblTopShadow, 0, 1, Qt::AlignVCenter | Qt::AlignLeft);
    strip->addWidget(lblTop, 0, 1, Qt::AlignVCenter | Qt::AlignLeft);
    strip->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgTop);
    layout->addWidget(separatorLine(this, ObjectName::lneTop1, QColor(0x4c, 0xaf, 0x37), 2));
    layout->addWidget(separatorLine(this, ObjectName::lneTop2, QColor(0x0d, 0x1f, 0x33)));
}

#include "ui/AboutDialog.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/MakerPages.h"
#include "app/ObjectNames.h"
#include "app/Platform.h"
#include "app/StringIds.h"
#include "lang/BuiltinStrings.h"
#include "sysinfo/MemoryStatus.h"
#include "ui/MailLink.h"
#include "ui/WindowHelpers.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString CopyrightNotice = QStringLiteral("Copyright \u00a9 2026 Quillon Works. All rights reserved.");
// The same notice in the characters every code page shares.
const QString CopyrightNoticeAscii = QStringLiteral("Copyright (C) 2026 Quillon Works. All rights reserved.");
// The maker's name is plain ASCII, so it reads the same in every code page.
const QString AuthorName = QStringLiteral("Quillon Works");
const QString LibraryNoticeTitle = QStringLiteral("libzip");
constexpr int WesternCodePage = 1252;

// Where the program's icon sits, left of the title; the texts start to its right.
constexpr int IconX = 26;
constexpr int IconY = 97;
constexpr int BannerHeight = 85;
constexpr int TextLeft = IconX + ProgramIconSize + 18;
constexpr int WindowWidth = 500;

const QColor WindowBackground(0xee, 0xf1, 0xf5);
const QColor LinkColour(0x1a, 0x62, 0xc6);
const QColor SeparatorColour(0xdc, 0xe1, 0xe8);

QFont verdanaFont(const QFont& base)
{
    QFont font = base;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    return font;
}

QLabel* makeLabel(QLatin1StringView name, QWidget* parent, const QString& caption = {})
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(verdanaFont(label->font()));
    label->setWordWrap(true);
    return label;
}

QLabel* makeLink(QLatin1StringView name, QWidget* parent, const QString& caption = {})
{
    QLabel* label = makeLabel(name, parent, caption);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, LinkColour);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->setWordWrap(false);
    return label;
}

QFrame* separatorLine(QLatin1StringView name, QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, SeparatorColour);
    line->setPalette(palette);
    return line;
}

// The picture across the top: a deep blue band with the program's emblem fading in on the right.
QPixmap banner(qreal ratio)
{
    QPixmap banner(QSize(WindowWidth, BannerHeight) * ratio);
    banner.setDevicePixelRatio(ratio);
    QPainter painter(&banner);
    QLinearGradient band(0, 0, WindowWidth, BannerHeight);
    band.setColorAt(0, QColor(0x14, 0x24, 0x3a));
    band.setColorAt(1, QColor(0x2a, 0x63, 0xa8));
    painter.fillRect(QRect(0, 0, WindowWidth, BannerHeight), band);
    painter.setOpacity(0.25);
    const int emblem = BannerHeight * 2;
    QIcon(QStringLiteral(":/icons/krvnm-256.png"))
        .paint(&painter, QRect(WindowWidth - emblem + 30, (BannerHeight - emblem) / 2, emblem, emblem));
    return banner;
}

} // namespace

AboutDialog::AboutDialog(const AppState& state, Platform& platform, Dialogs& dialogs, const BuiltinStrings& strings,
                         QWidget* parent)
    : QDialog(parent), state(state), platform(platform), dialogs(dialogs), strings(strings)
{
    setObjectName(ObjectName::frmAbout);
    buildControls();
    fillControls();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::buildControls()
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, WindowBackground);
    setPalette(palette);

    picTop = new QLabel(this);
    picTop->setObjectName(ObjectName::picTop);
    picTop->setFixedSize(WindowWidth, BannerHeight);
    picTop->setPixmap(banner(devicePixelRatioF()));

    lblTitle = makeLabel(ObjectName::lblTitle, this, QStringLiteral("Korvane Manager"));
    QFont title = lblTitle->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    lblTitle->setFont(title);
    auto* lblFor = makeLabel(ObjectName::lblFor, this, QStringLiteral("For Korvane"));
    lblVersion = makeLabel(ObjectName::lblVersion, this);

    lblCopyr = makeLabel(ObjectName::lblCopyr, this, CopyrightNotice);
    lblAuthor = makeLink(ObjectName::lblAuthor, this, AuthorName);
    lblWebsite = makeLink(ObjectName::lblWebsite, this);
    lblInfoZip = makeLink(ObjectName::lblInfoZip, this, QStringLiteral("libzip copyright"));

    lblFree = makeLabel(ObjectName::lblFree, this);
    lblOsName = makeLabel(ObjectName::lblOsName, this, QStringLiteral("..."));
    lblMemo = makeLabel(ObjectName::lblMemo, this, QStringLiteral("..."));

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(ObjectName::cmdOK);
    cmdOK->setFont(verdanaFont(cmdOK->font()));
    cmdOK->setMinimumWidth(100);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    tmrMemo = new QTimer(this);
    tmrMemo->setObjectName(ObjectName::tmrMemo);
    tmrMemo->setInterval(MemoInterval);
    connect(tmrMemo, &QTimer::timeout, this, &AboutDialog::showMemoStats);

    for (QWidget* watched : {static_cast<QWidget*>(picTop), static_cast<QWidget*>(lblAuthor),
                             static_cast<QWidget*>(lblWebsite), static_cast<QWidget*>(lblInfoZip)})
        watched->installEventFilter(this);

    auto* heading = new QVBoxLayout;
    heading->setSpacing(2);
    heading->addWidget(lblTitle);
    heading->addWidget(lblFor);
    heading->addWidget(lblVersion);

    auto* credits = new QVBoxLayout;
    credits->setSpacing(4);
    credits->addWidget(lblCopyr);
    for (QLabel* link : {lblAuthor, lblWebsite, lblInfoZip})
        credits->addWidget(link, 0, Qt::AlignLeft); // only the text is the link

    auto* system = new QVBoxLayout;
    system->setSpacing(4);
    system->addWidget(lblFree);
    system->addWidget(lblOsName);
    system->addWidget(lblMemo);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(TextLeft, IconY - BannerHeight, 20, 0);
    body->setSpacing(12);
    body->addLayout(heading);
    body->addWidget(separatorLine(ObjectName::linTop, this));
    body->addLayout(credits);
    body->addWidget(separatorLine(ObjectName::linBottom, this));
    body->addLayout(system);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(20, 16, 20, 16);
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(picTop);
    layout->addLayout(body);
    layout->addLayout(buttons);
}

int AboutDialog::languageCodePage() const
{
    // The descriptor of a language begins with its ANSI code page: "1250-&H0415-POLISH".
    const QString descriptor = strings.lookup(Str::FirstLanguageDescriptor + state.languageIndex).value_or(QString());
    return descriptor.section(QLatin1Char('-'), 0, 0).toInt();
}

void AboutDialog::fillControls()
{
    cmdOK->setText(state.str(Str::Ok));
    lblVersion->setText(state.str(Str::Version) + QLatin1Char(' ') + state.appVersion);
    lblFree->setText(state.str(Str::Freeware));
    lblWebsite->setText(state.str(Str::ManagerWebsite));
    lblOsName->setText(platform.osDisplayName());
    setWindowTitle(state.str(Str::AboutManager));

    if (languageCodePage() != WesternCodePage)
        lblCopyr->setText(CopyrightNoticeAscii);

    showMemoStats();
    tmrMemo->start();
}

void AboutDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    drawProgramIcon(painter, 0, IconX, IconY);
}

void AboutDialog::showMemoStats()
{
    const MemoryStatus memory(platform);
    // Only Windows answers its version query; elsewhere the line must not name Windows.
    const bool windows = platform.osVersion().queried;
    lblMemo->setText(state.str(windows ? Str::PhysicalMemory : Str::PhysicalMemoryAvailable) +
                     MemoryStatus::formatBytes(memory.available(MemoryStatus::Physical).value_or(0)));
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return QDialog::eventFilter(watched, event);
    if (watched == picTop) {
        dragWindow(this);
        return true;
    }
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return true;
    if (watched == lblAuthor)
        mailAuthor();
    else if (watched == lblWebsite)
        openWebsite();
    else if (watched == lblInfoZip)
        showLibraryNotice();
    return true;
}

void AboutDialog::mailAuthor()
{
    sendEmail(platform, dialogs, strings, QStringLiteral("KRVN Manager ") + state.appVersion, QString(), true);
}

void AboutDialog::openWebsite()
{
    openProductPage(state, platform);
}

void AboutDialog::showLibraryNotice()
{
    MessageRequest notice;
    notice.text = strings.lookup(Str::LibraryNotice).value_or(QString());
    notice.icon = MessageIcon::Information;
    notice.title = LibraryNoticeTitle;
    dialogs.messageBox(notice);
}

void AboutDialog::done(int result)
{
    tmrMemo->stop();
    QDialog::done(result);
}

#include "app/frmMain.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/FailureScope.h"
#include "app/MakerPages.h"
#include "app/MainWindowDetectionView.h"
#include "app/MainWindowDownloadView.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/Version.h"
#include "app/WindowHelpers.h"
#include "detect/GameDetection.h"
#include "lang/LanguageStrings.h"
#include "net/DownloadEngine.h"
#include "net/DownloadTimings.h"
#include "net/TransferComponent.h"

#include <algorithm>

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int MaxDefaultReleaseIndex = 10; // a longer release list enables cboRestore
constexpr int StatusIconSize = 16;

const QColor WindowBackground(0xee, 0xf1, 0xf5);
const QColor LinkColour(0x1a, 0x62, 0xc6);
const QColor SeparatorColour(0xdc, 0xe1, 0xe8);

QString Named(const char* name, int index)
{
    return QLatin1String(name) + QString::number(index);
}

QAction* AddAction(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* AddMenu(QMenu* parent, const char* name, const QString& caption)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("Action"));
    return menu;
}

QMenu* AddTopMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("Action"));
    return menu;
}

void AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QFrame* Line(QWidget* parent, const QString& name, const QColor& colour, int thickness = 1)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFixedHeight(thickness);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    return line;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& caption = {})
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QFrame* Card(QWidget* parent, const char* name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: #ffffff; border: 1px solid #d3d9e1; "
                                        "border-radius: 6px; }")
                             .arg(QLatin1String(name)));
    return frame;
}

QIcon StatusIcon(const QString& name)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addFile(QStringLiteral(":/status/%1-%2.png").arg(name).arg(size), QSize(size, size));
    return icon;
}

} // namespace

frmMain::frmMain(AppState& state, AppServices& services, QWidget* parent)
    : QMainWindow(parent), state(state), services(services)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Korvane Manager"));
    BuildMenus();
    BuildControls();

    if (services.transfer) {
        downloadView = std::make_unique<MainWindowDownloadView>(*this);
        engine = std::make_unique<DownloadEngine>(state, *services.transfer, services.platform, *downloadView);
        connect(tmrTimeout, &QTimer::timeout, engine.get(), &DownloadEngine::tmrTimeout_Timer);
    }
    detectionView = std::make_unique<MainWindowDetectionView>(*this);
    detection = std::make_unique<GameDetection>(state, services, *detectionView);
    connect(cmdRun, &QPushButton::clicked, this, &frmMain::cmdRun_Click);
    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(mnuRedetect, &QAction::triggered, this, &frmMain::mnuRedetect_Click);
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus()
{
    auto* bar = menuBar();
    mnuFile = AddTopMenu(bar, "mnuFile", QStringLiteral("&File"));
    mnuOpen = AddAction(mnuFile, "mnuOpen", QStringLiteral("Select KRVN path..."));
    AddSeparator(mnuFile, "brk00");
    mnuExit = AddAction(mnuFile, "mnuExit", QStringLiteral("Exit"));
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    mnuOptions = AddTopMenu(bar, "mnuOptions", QStringLiteral("&Options"));
    mnuSettings = AddAction(mnuOptions, "mnuSettings", QStringLiteral("Settings..."));
    AddSeparator(mnuOptions, "brk02");
    mnuPlatform = AddMenu(mnuOptions, "mnuPlatform", QStringLiteral("Platform selection"));
    mnuWin9x = AddAction(mnuPlatform, "mnuWin9x", QStringLiteral("Win9x Korvane"));
    mnuWin32 = AddAction(mnuPlatform, "mnuWin32", QStringLiteral("Win32 Korvane"));
    mnuWin64 = AddAction(mnuPlatform, "mnuWin64", QStringLiteral("Win64 Korvane"));
    for (QAction* item : {mnuWin9x, mnuWin32, mnuWin64})
        item->setCheckable(true);
    connect(mnuWin9x, &QAction::triggered, this, &frmMain::mnuWin9x_Click);
    connect(mnuWin32, &QAction::triggered, this, &frmMain::mnuWin32_Click);
    connect(mnuWin64, &QAction::triggered, this, &frmMain::mnuWin64_Click);
    mnuRedetect = AddAction(mnuOptions, "mnuRedetect", QStringLiteral("Redetect KRVN version"));

    BuildHelpMenu();
}

void frmMain::BuildHelpMenu()
{
    const Endpoints& servers = state.endpoints;
    mnuHelp = AddTopMenu(menuBar(), "mnuHelp", QStringLiteral("&Help"));
    AddLink(mnuHelp, "mnuKrvnWiki", QStringLiteral("Korvane Wiki"), &servers.wikiServer, QStringLiteral("/Main_Page"));
    AddSeparator(mnuHelp, "brk04");
    QMenu* mnuLinksKRVN = AddMenu(mnuHelp, "mnuLinksKRVN", QStringLiteral("Links: Korvane"));
    AddLink(mnuLinksKRVN, "mnuKrvnHome", QStringLiteral("Homepage"), &servers.homeServer, QStringLiteral("/"));
    AddLink(mnuLinksKRVN, "mnuForum", QStringLiteral("Forums"), &servers.forumServer, QStringLiteral("/"));
    AddLink(mnuLinksKRVN, "mnuBug", QStringLiteral("Report a bug"), &servers.bugServer, QStringLiteral("/"));
    AddLink(mnuLinksKRVN, "mnuKrvnFiles", QStringLiteral("Previous versions"), &servers.buildServer,
            QStringLiteral("/"));
    QMenu* mnuLinksGraphics = AddMenu(mnuHelp, "mnuLinksGraphics", QStringLiteral("Links: New graphics"));
    AddLink(mnuLinksGraphics, "mnuCrates", QStringLiteral("Korvane Crates"), &servers.contentServer,
            QStringLiteral("/en/newgrf/"));
    AddLink(mnuLinksGraphics, "mnuGRFCrawler", QStringLiteral("GRF Crawler"), &servers.graphicsIndexServer,
            QStringLiteral("/"));
    QAction* mnuTWSR = AddAction(mnuLinksGraphics, "mnuTWSR", QStringLiteral("Townscape Refit"));
    connect(mnuTWSR, &QAction::triggered, this, &frmMain::mnuTWSR_Click);
    AddSeparator(mnuHelp, "brk05");
    mnuCheckSelfUpdate = AddAction(mnuHelp, "mnuCheckSelfUpdate", QStringLiteral("Check for updates"));
    connect(mnuCheckSelfUpdate, &QAction::triggered, this, &frmMain::mnuCheckSelfUpdate_Click);
    AddSeparator(mnuHelp, "brk06");
    mnuWebsite = AddAction(mnuHelp, "mnuWebsite", QStringLiteral("KRVN Manager website"));
    connect(mnuWebsite, &QAction::triggered, this, &frmMain::mnuWebsite_Click);
    mnuAbout = AddAction(mnuHelp, "mnuAbout", QStringLiteral("About KRVN Manager..."));
}

void frmMain::AddLink(QMenu* menu, const char* name, const QString& caption, const QString* server, const QString& path)
{
    QAction* link = AddAction(menu, name, caption);
    connect(link, &QAction::triggered, this, [this, server, path] { services.platform.openDocument(*server + path); });
}

void frmMain::BuildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainBackground"));
    central->setAutoFillBackground(true);
    QPalette palette = central->palette();
    palette.setColor(QPalette::Window, WindowBackground);
    central->setPalette(palette);
    central->setMouseTracking(true);
    central->installEventFilter(this);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 10);
    body->setSpacing(10);
    body->addWidget(BuildVersionFrame());
    body->addWidget(BuildVersionRows());
    body->addWidget(BuildStatusFrame(), 1);

    lneLine[6] = Line(central, Named("lneLine", 6), QColor(0xc9, 0xd0, 0xd9));
    lneLine[7] = Line(central, Named("lneLine", 7), QColor(0xff, 0xff, 0xff));

    cmdRun = new QPushButton(QStringLiteral("Run KRVN"), central);
    cmdRun->setObjectName(QStringLiteral("cmdRun"));
    cmdRun->setDefault(true);
    cmdRun->setEnabled(false);
    cmdLU = new QPushButton(QStringLiteral("Check for Updates"), central);
    cmdLU->setObjectName(QStringLiteral("cmdLU"));
    cmdExit = new QPushButton(QStringLiteral("Exit"), central);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* button : {cmdRun, cmdLU, cmdExit}) {
        button->setAutoDefault(true); // Enter on a focused button presses that button
        button->setMinimumSize(112, 30);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 8, 12, 12);
    buttons->setSpacing(8);
    buttons->addWidget(cmdRun);
    buttons->addStretch();
    buttons->addWidget(cmdLU);
    buttons->addWidget(cmdExit);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildBanner());
    layout->addLayout(body, 1);
    layout->addWidget(lneLine[6]);
    layout->addWidget(lneLine[7]);
    layout->addLayout(buttons);
    setCentralWidget(central);

    stbMainText = new QLabel(this);
    stbMainText->setObjectName(QStringLiteral("stbMainText"));
    stbMainText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    stbMainText->setContentsMargins(6, 2, 6, 2);
    statusBar()->setObjectName(QStringLiteral("stbMain"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(stbMainText, 1);

    tmrTimeout = new QTimer(this);
    tmrTimeout->setObjectName(QStringLiteral("tmrTimeout"));
    tmrTimeout->setInterval(CurrentDownloadTimings().countdownTickMs);

    BuildPictureSources();
    setMinimumWidth(500);
    resize(520, 600);
}

QWidget* frmMain::BuildBanner()
{
    auto* banner = new QWidget(this);
    imgTop = Label(banner, QStringLiteral("imgTop"));
    imgTop->setFixedHeight(58);
    imgTop->setStyleSheet(QStringLiteral("QLabel#imgTop { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, "
                                         "stop:0 #17324f, stop:0.65 #24496f, stop:1 #2f5d8a); }"));

    imgTopIcon = Label(imgTop, QStringLiteral("imgTopIcon"));
    imgTopIcon->setPixmap(QIcon(QStringLiteral(":/icons/krvnm-48.png")).pixmap(QSize(32, 32), devicePixelRatioF()));
    imgTopIcon->setFixedSize(32, 32);

    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 1.45);
    title.setBold(true);
    lblTopShadow = Label(imgTop, QStringLiteral("lblTopShadow"), QStringLiteral("Korvane Manager"));
    lblTopShadow->setFont(title);
    lblTopShadow->setStyleSheet(QStringLiteral("color: #08131f;"));
    lblTopShadow->setContentsMargins(1, 1, 0, 0);
    lblTop = Label(imgTop, QStringLiteral("lblTop"), QStringLiteral("Korvane Manager"));
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

    lneTop1 = Line(banner, QStringLiteral("lneTop1"), QColor(0x4c, 0xaf, 0x37), 2);
    lneTop2 = Line(banner, QStringLiteral("lneTop2"), QColor(0x0d, 0x1f, 0x33));

    auto* layout = new QVBoxLayout(banner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(imgTop);
    layout->addWidget(lneTop1);
    layout->addWidget(lneTop2);
    return banner;
}

QFrame* frmMain::BuildVersionFrame()
{
    fraVersion = Card(this, "fraVersion");
    fraVersion->setMouseTracking(true);
    fraVersion->installEventFilter(this);
    lblVersion = Label(fraVersion, QStringLiteral("lblVersion"));
    lblVersion->setWordWrap(true);
    QFont bold = lblVersion->font();
    bold.setBold(true);
    lblVersion->setFont(bold);
    auto* layout = new QHBoxLayout(fraVersion);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(lblVersion);
    return fraVersion;
}

QFrame* frmMain::BuildVersionRows()
{
    static const std::array<const char*, RowCount> designCaptions = {
        "Korvane 1.4.0 (stable)", "Korvane 1.4.0 beta 5", "Korvane r26397 (nightly)", "Previous Korvane version"};

    fraVersions = Card(this, "fraVersions");
    picVersions = new QWidget(fraVersions);
    picVersions->setObjectName(QStringLiteral("picVersions"));
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
    int line = 0;
    for (int row = 0; row < RowCount; ++row) {
        if (row > 0) {
            // An etched separator: a dark line over a light one.
            lneLine[2 * (row - 1)] = Line(picVersions, Named("lneLine", 2 * (row - 1)), SeparatorColour);
            lneLine[2 * (row - 1) + 1] = Line(picVersions, Named("lneLine", 2 * (row - 1) + 1), Qt::white);
            rows->setRowMinimumHeight(line, 6);
            rows->addWidget(lneLine[2 * (row - 1)], line + 1, 0, 1, 5);
            rows->addWidget(lneLine[2 * (row - 1) + 1], line + 2, 0, 1, 5);
            rows->setRowMinimumHeight(line + 3, 6);
            line += 4;
        }
        optGet[row] = new QRadioButton(QLatin1String(designCaptions[row]), picVersions);
        optGet[row]->setObjectName(Named("optGet", row));
        imgStatus[row] = Label(picVersions, Named("imgStatus", row));
        imgStatus[row]->setFixedSize(StatusIconSize, StatusIconSize);
        imgStatus[row]->setVisible(false);
        lblVersionInfo[row] =
            Label(picVersions, Named("lblVersionInfo", row), QStringLiteral("Version information..."));
        lblVersionInfo[row]->setCursor(Qt::PointingHandCursor);
        lblVersionInfo[row]->setFont(dateFont);
        QPalette link = lblVersionInfo[row]->palette();
        link.setColor(QPalette::WindowText, LinkColour);
        lblVersionInfo[row]->setPalette(link);
        QFont underlined = dateFont;
        underlined.setUnderline(true);
        lblVersionInfo[row]->setFont(underlined);
        lblVersionInfo[row]->installEventFilter(this);

        if (row < RowCount - 1) {
            rows->addWidget(optGet[row], line, 0, 1, 4);
        } else {
            cboRestore = new QComboBox(picVersions);
            cboRestore->setObjectName(QStringLiteral("cboRestore"));
            cboRestore->addItem(QString());
            cboRestore->setEnabled(false);
            cboRestore->setMinimumWidth(150);
            rows->addWidget(optGet[row], line, 0, 1, 2);
            rows->addWidget(cboRestore, line, 2, 1, 2, Qt::AlignLeft);
        }
        rows->addWidget(imgStatus[row], line, 4, Qt::AlignRight | Qt::AlignVCenter);
        if (row < RowCount - 1) {
            lblDate[row] = Label(picVersions, Named("lblDate", row), QStringLiteral("Date:"));
            lblDate[row]->setFont(dateFont);
            QPalette muted = lblDate[row]->palette();
            muted.setColor(QPalette::WindowText, QColor(0x5b, 0x66, 0x73));
            lblDate[row]->setPalette(muted);
            rows->addWidget(lblDate[row], line + 1, 1, 1, 2);
        }
        rows->addWidget(lblVersionInfo[row], line + 1, 3, 1, 2, Qt::AlignRight);
        line += 2;
    }
    optGet[0]->setChecked(true);

    auto* layout = new QVBoxLayout(fraVersions);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(picVersions);
    return fraVersions;
}

QFrame* frmMain::BuildStatusFrame()
{
    fraStatus = Card(this, "fraStatus");
    fraStatus->setMouseTracking(true);
    fraStatus->installEventFilter(this);

    lstStatus = new QListWidget(fraStatus);
    lstStatus->setObjectName(QStringLiteral("lstStatus"));
    lstStatus->setSelectionMode(QAbstractItemView::NoSelection);
    lstStatus->setFocusPolicy(Qt::NoFocus);
    lstStatus->setFrameShape(QFrame::NoFrame);
    lstStatus->setStyleSheet(QStringLiteral("QListWidget#lstStatus { background: transparent; padding: 6px 8px; }"));
    lstStatus->setMinimumHeight(96);
    lstStatus->setUniformItemSizes(true);
    connect(lstStatus, &QListWidget::itemPressed, lstStatus, &QListWidget::clearSelection);
    connect(lstStatus->model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!cmdLU->isEnabled())
            SetStatusBar();
    });

    lblDownloadStatus = Label(fraStatus, QStringLiteral("lblDownloadStatus"));
    QPalette muted = lblDownloadStatus->palette();
    muted.setColor(QPalette::WindowText, QColor(0x3d, 0x47, 0x52));
    lblDownloadStatus->setPalette(muted);
    lblDownloadStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    pgbMain = new QProgressBar(fraStatus);
    pgbMain->setObjectName(QStringLiteral("pgbMain"));
    pgbMain->setRange(0, 100);
    pgbMain->setValue(0);
    pgbMain->setTextVisible(false);
    pgbMain->setFixedSize(170, 14);
    QSizePolicy keepPlace = pgbMain->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    pgbMain->setSizePolicy(keepPlace);
    pgbMain->setVisible(false);

    auto* progress = new QHBoxLayout;
    progress->setContentsMargins(10, 4, 10, 8);
    progress->setSpacing(10);
    progress->addWidget(lblDownloadStatus, 1);
    progress->addWidget(pgbMain);

    auto* separator = Line(fraStatus, QStringLiteral("fraStatusSeparator"), SeparatorColour);
    auto* layout = new QVBoxLayout(fraStatus);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(lstStatus, 1);
    layout->addWidget(separator);
    layout->addLayout(progress);
    return fraStatus;
}

void frmMain::BuildPictureSources()
{
    static const std::array<std::pair<const char*, const char*>, PictureSourceCount> sources = {{
        {"imgDownload", "download"},
        {"imgUpdate", "update"},
        {"imgWait", "wait"},
        {"imgError", "error"},
        {"imgInstalled", "installed"},
        {"imgDownloading", "downloading"},
        {"imgExclamation", "exclamation"},
    }};
    for (size_t i = 0; i < sources.size(); ++i) {
        QLabel* source = Label(centralWidget(), QLatin1String(sources[i].first));
        source->setPixmap(StatusIcon(QLatin1String(sources[i].second))
                              .pixmap(QSize(StatusIconSize, StatusIconSize), devicePixelRatioF()));
        source->setVisible(false);
        pictureSources[i] = source;
    }
}

void frmMain::ApplyLanguageCaptions()
{
    cmdRun->setText(state.str(43));
    cmdLU->setText(state.str(state.CatalogueLoaded ? 45 : 44));
    cmdExit->setText(state.str(5));
    mnuFile->setTitle(state.str(1));
    mnuOptions->setTitle(state.str(2));
    mnuHelp->setTitle(state.str(3));
    mnuOpen->setText(state.str(4) + QStringLiteral("..."));
    mnuExit->setText(state.str(5));
    mnuPlatform->setTitle(state.str(8));
    mnuSettings->setText(state.str(6) + QStringLiteral("..."));
    mnuRedetect->setText(state.str(7));
    mnuCheckSelfUpdate->setText(state.str(44));
    mnuWebsite->setText(state.str(9));
    mnuAbout->setText(state.str(10));
    if (state.KrvnExe.isEmpty())
        lblVersion->setText(state.str(46));
}

void frmMain::Load()
{
    FailureScope steps(&services.errors, QStringLiteral("frmMain Load"));
    steps.step([&] { SetUpWorkFolder(state, services.platform); });
    steps.step([&] { SetUpProgramFolders(state, services.platform); });
    steps.step([&] { setWindowTitle(QStringLiteral("Korvane Manager ") + state.AppVersion); });
    steps.step([&] { cboRestore->setCurrentIndex(0); });
    steps.step([&] { FormWorkFilePaths(state); });
    steps.step([&] { DeleteStaleWorkFiles(state); });
    steps.step([&] {
        LoadSettings(state, services.settings, services.platform, services.dialogs);
        CheckPlatformItem(state.PlatformIndex);
    });
    steps.step([&] {
        SelectLanguage(state, services.strings);
        LoadLanguageStrings(state, services.strings);
        ApplyLanguageCaptions();
    });
    steps.step([&] { state.OlderReleases = {ReleaseRecord{}}; });
    steps.step([&] { detection->DetectAtStartup(); });
    steps.step([&] { EnableControls(true); });
}

bool frmMain::QueryUnload()
{
    if (!services.transfer || !services.transfer->stillExecuting())
        return false;
    MessageRequest question;
    question.text = state.str(51);
    question.icon = MessageIcon::Exclamation;
    question.buttons = MessageButtons::YesNo;
    question.defaultButton = Answer::No;
    return services.dialogs.messageBox(question) != Answer::Yes;
}

void frmMain::Unload()
{
    unloaded = true;
    ShutDown(state, services.settings);
    services.platform.endProcess();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (unloaded) {
        event->accept();
        return;
    }
    if (QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Unload();
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    // Enter anywhere but on another button starts the game, as on a dialog's default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier &&
        cmdRun->isEnabled()) {
        cmdRun->animateClick();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    const bool overLink = std::find(lblVersionInfo.begin(), lblVersionInfo.end(), watched) != lblVersionInfo.end();
    if (event->type() == QEvent::MouseMove && !overLink) {
        SetStatusBar();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (int row = 0; row < RowCount; ++row)
            if (watched == lblVersionInfo[row] && mouse->button() == Qt::LeftButton)
                Q_EMIT versionInfoClicked(row);
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::EnableControls(bool bStatus)
{
    for (QAction* item : {mnuOpen, mnuSettings, mnuPlatform->menuAction(), mnuRedetect})
        item->setEnabled(bStatus);
    cmdLU->setEnabled(bStatus);
    cmdExit->setEnabled(bStatus);
    if (bStatus) {
        unsetCursor();
        mnuCheckSelfUpdate->setEnabled(!state.SelfCheckDone);
        tmrTimeout->stop();
        pgbMain->setVisible(false);
        pgbMain->setValue(0);
        pgbMain->setMaximum(100);
        if (!state.KrvnExe.isEmpty() && QFileInfo::exists(state.KrvnExe))
            cmdRun->setEnabled(true);
        const bool feedPresent = !state.VersionsFile.isEmpty() && QFileInfo::exists(state.VersionsFile);
        cmdLU->setText(state.str(feedPresent ? 45 : 44));
        if (state.OlderReleases.size() - 1 > MaxDefaultReleaseIndex)
            cboRestore->setEnabled(true);
    } else {
        setCursor(Qt::BusyCursor);
        mnuCheckSelfUpdate->setEnabled(false);
        cmdRun->setEnabled(false);
        cboRestore->setEnabled(false);
    }
    SetStatusBar();
    QCoreApplication::processEvents();
}

void frmMain::SetStatusBar(const QString& strText)
{
    if (!cmdLU->isEnabled()) {
        stbMainText->setText(LastStatusLine());
        return;
    }
    if (!strText.isEmpty()) {
        stbMainText->setText(strText);
    } else if (!state.KrvnExe.isEmpty()) {
        QString text = state.str(48);
        text.replace(QStringLiteral("#1#"), state.KrvnVersion);
        text.replace(QStringLiteral("#2#"), state.KrvnPath);
        stbMainText->setText(text);
    } else {
        stbMainText->setText(state.str(46));
    }
}

void frmMain::SetStatusIcon(std::uint8_t Index, const QLabel* picSource, const QString& strToolTip)
{
    HideStatusIcons();
    if (Index >= RowCount || !picSource)
        return;
    imgStatus[Index]->setPixmap(picSource->pixmap());
    imgStatus[Index]->setToolTip(strToolTip);
    imgStatus[Index]->setVisible(true);
}

void frmMain::SetDownloadStatus(const QString& text)
{
    if (lblDownloadStatus->text() == text)
        return;
    lblDownloadStatus->setText(text);
    SetStatusBar(text);
}

void frmMain::AddStatusLine(const QString& text)
{
    lstStatus->addItem(text);
    lstStatus->scrollToBottom();
}

void frmMain::SetVersionLabel(const QString& text)
{
    lblVersion->setText(text);
}

void frmMain::HideStatusIcons()
{
    for (QLabel* icon : imgStatus)
        icon->setVisible(false);
}

void frmMain::SelectVersionRow(int row)
{
    optGet.at(static_cast<size_t>(row))->setChecked(true);
}

DownloadEngine* frmMain::Engine() const
{
    return engine.get();
}

GameDetection& frmMain::Detection() const
{
    return *detection;
}

void frmMain::cmdRun_Click()
{
    detection->cmdRun_Click();
}

void frmMain::mnuOpen_Click()
{
    detection->mnuOpen_Click();
}

void frmMain::mnuRedetect_Click()
{
    detection->mnuRedetect_Click();
}

QString frmMain::StatusBarText() const
{
    return stbMainText->text();
}

QString frmMain::LastStatusLine() const
{
    return lstStatus->count() > 0 ? lstStatus->item(lstStatus->count() - 1)->text() : QString();
}

QString frmMain::DownloadStatus() const
{
    return lblDownloadStatus->text();
}

QListWidget* frmMain::StatusList() const
{
    return lstStatus;
}

QProgressBar* frmMain::ProgressBar() const
{
    return pgbMain;
}

QTimer* frmMain::TimeoutTimer() const
{
    return tmrTimeout;
}

QPushButton* frmMain::RunButton() const
{
    return cmdRun;
}

QLabel* frmMain::PictureSource(int index) const
{
    return pictureSources.at(static_cast<size_t>(index));
}

void frmMain::CheckPlatformItem(int index)
{
    mnuWin9x->setChecked(index == 0);
    mnuWin32->setChecked(index == 1);
    mnuWin64->setChecked(index == 2);
}

void frmMain::ChoosePlatform(int index)
{
    CheckPlatformItem(index);
    FailureScope steps(&services.errors, QStringLiteral("Platform selection"));
    steps.step([&] { StorePlatformChoice(state, services.settings, index); });
}

void frmMain::mnuWin9x_Click()
{
    ChoosePlatform(0);
}

void frmMain::mnuWin32_Click()
{
    ChoosePlatform(1);
}

void frmMain::mnuWin64_Click()
{
    ChoosePlatform(2);
}

void frmMain::mnuCheckSelfUpdate_Click()
{
    if (services.transfer && services.transfer->stillExecuting()) {
        MessageRequest refusal;
        refusal.text = state.str(52);
        refusal.icon = MessageIcon::Critical;
        services.dialogs.messageBox(refusal);
        return;
    }
    Q_EMIT selfUpdateRequested();
}

void frmMain::mnuTWSR_Click()
{
    services.platform.openDocument(MakerPageAddress(state, QStringLiteral("/townscape-refit-graphics/")));
}

void frmMain::mnuWebsite_Click()
{
    OpenProductPage(state, services.platform);
}

#include "ui/frmOptions.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"
#include "app/StringIds.h"
#include "lang/BuiltinStrings.h"
#include "lang/FormCaptions.h"
#include "lang/LanguageList.h"
#include "lang/LanguageStrings.h"
#include "lang/TranslationFiles.h"
#include "lang/UserLanguage.h"
#include "ui/FormTranslation.h"
#include "ui/WindowDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int AddressLength = 255;
constexpr int PortLength = 5;
constexpr int CredentialLength = 64;
constexpr int ControlArrayElementMissing = 340;
constexpr int IconSize = 16;

template <typename Widget> Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit* TextField(QWidget* parent, const char* name, int maxLength)
{
    auto* field = Named(new QLineEdit(parent), name);
    field->setMaxLength(maxLength);
    return field;
}

void SetEnabled(std::initializer_list<QWidget*> controls, bool enabled)
{
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

QPixmap AddLanguagePicture(qreal ratio)
{
    QPixmap picture(QSize(IconSize, IconSize) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x5b, 0x66, 0x73), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 0.5, 10, 13));
    painter.setPen(QPen(QColor(0x2e, 0x8b, 0x3a), 2.5));
    painter.drawLine(QPointF(11.5, 7.5), QPointF(11.5, 15));
    painter.drawLine(QPointF(7.75, 11.25), QPointF(15.25, 11.25));
    return picture;
}

// Ports 1 to 65535; an empty text, 0 or a larger number is refused.
quint16 PortFrom(const QString& text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok)
        throw Failure(FailureCode::Conversion, QStringLiteral("Type mismatch: \"%1\"").arg(text));
    if (port < 1 || port > 65535)
        throw Failure(FailureCode::Overflow, QStringLiteral("Overflow: \"%1\"").arg(text));
    return static_cast<quint16>(port);
}

} // namespace

frmOptions::frmOptions(AppState& state, AppServices& services, MainWindowLanguageView& mainWindow, QWidget* parent)
    : QDialog(parent), state(state), services(services), mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmOptions"));
    BuildControls();
    Form_Load();
}

frmOptions::~frmOptions() = default;

void frmOptions::ShowModal(AppState& state, AppServices& services, WindowDialogs& dialogs,
                           MainWindowLanguageView& mainWindow, QWidget* parent)
{
    frmOptions dialog(state, services, mainWindow, parent);
    dialogs.showModal(dialog);
}

void frmOptions::BuildControls()
{
    cmdOK = Named(new QPushButton(this), "cmdOK");
    cmdOK->setDefault(true);
    cmdReset = Named(new QPushButton(QStringLiteral("Reset"), this), "cmdReset");
    cmdReset->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmOptions::cmdReset_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdReset);
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(BuildLanguageGroup());
    layout->addWidget(BuildProxyGroup());
    layout->addLayout(buttons);
    // The dialog takes the room its captions need in the current language.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* frmOptions::BuildLanguageGroup()
{
    fraLanguage = Named(new QGroupBox(this), "fraLanguage");
    auto* picLanguage = Named(new QWidget(fraLanguage), "picLanguage");

    cboLanguage = Named(new QComboBox(picLanguage), "cboLanguage");
    cboLanguage->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(cboLanguage, &QComboBox::currentIndexChanged, this, &frmOptions::cboLanguage_Click);

    imgAddLanguage = Named(new QLabel(picLanguage), "imgAddLanguage");
    imgAddLanguage->setPixmap(AddLanguagePicture(devicePixelRatioF()));
    imgAddLanguage->setToolTip(QStringLiteral("Add Translation..."));

    lblTranslator = Named(new QLabel(picLanguage), "lblTranslator");

    lblComplete = Named(new QLabel(picLanguage), "lblComplete");
    QFont link = lblComplete->font();
    link.setUnderline(true);
    lblComplete->setFont(link);
    QPalette linkColour = lblComplete->palette();
    linkColour.setColor(QPalette::WindowText, QColor(0x1a, 0x62, 0xc6));
    lblComplete->setPalette(linkColour);
    lblComplete->setVisible(false);

    for (QLabel* translatorLink : {imgAddLanguage, lblComplete}) {
        translatorLink->setCursor(Qt::PointingHandCursor);
        translatorLink->installEventFilter(this);
    }

    auto* grid = new QGridLayout(picLanguage);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(cboLanguage, 0, 0);
    grid->addWidget(imgAddLanguage, 0, 1);
    grid->addWidget(lblTranslator, 1, 0, 1, 2);
    grid->addWidget(lblComplete, 2, 0, 1, 2);

    auto* layout = new QVBoxLayout(fraLanguage);
    layout->addWidget(picLanguage);
    return fraLanguage;
}

QGroupBox* frmOptions::BuildProxyGroup()
{
    fraProxy = Named(new QGroupBox(this), "fraProxy");
    auto* picProxy = Named(new QWidget(fraProxy), "picProxy");
    auto* grid = new QGridLayout(picProxy);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(2, 1);

    for (int i = 0; i < ConnectionTypes; ++i) {
        optConnection[i] = new QRadioButton(picProxy);
        optConnection[i]->setObjectName(QStringLiteral("optConnection%1").arg(i));
        connect(optConnection[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                optConnection_Click(i);
        });
        grid->addWidget(optConnection[i], i, 0, 1, 5);
    }

    lblAddress = Named(new QLabel(picProxy), "lblAddress");
    txtAddress = TextField(picProxy, "txtAddress", AddressLength);
    txtAddress->setMinimumWidth(160);
    lblPort = Named(new QLabel(picProxy), "lblPort");
    txtPort = TextField(picProxy, "txtPort", PortLength);
    txtPort->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtPort));
    txtPort->setFixedWidth(txtPort->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    grid->addWidget(lblAddress, 3, 1);
    grid->addWidget(txtAddress, 3, 2);
    grid->addWidget(lblPort, 3, 3);
    grid->addWidget(txtPort, 3, 4);

    chkAuth = Named(new QCheckBox(picProxy), "chkAuth");
    connect(chkAuth, &QCheckBox::toggled, this, &frmOptions::chkAuth_Click);
    grid->addWidget(chkAuth, 4, 1, 1, 4);

    lblUser = Named(new QLabel(picProxy), "lblUser");
    txtUser = TextField(picProxy, "txtUser", CredentialLength);
    lblPass = Named(new QLabel(picProxy), "lblPass");
    txtPass = TextField(picProxy, "txtPass", CredentialLength);
    txtPass->setEchoMode(QLineEdit::Password);
    txtPass->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    grid->addWidget(lblUser, 5, 1);
    grid->addWidget(txtUser, 5, 2, 1, 3);
    grid->addWidget(lblPass, 6, 1);
    grid->addWidget(txtPass, 6, 2, 1, 3);

    SetEnabled({lblAddress, txtAddress, lblPort, txtPort, chkAuth, lblUser, txtUser, lblPass, txtPass}, false);

    auto* layout = new QVBoxLayout(fraProxy);
    layout->addWidget(picProxy);
    return fraProxy;
}

void frmOptions::Form_Load()
{
    FailureScope steps(&services.errors, QStringLiteral("frmOptions Load"));
    steps.step([&] { state.Language = state.Languages.at(state.LanguageIndex).key; });
    steps.step([&] { FillLanguageList(); });
    steps.step([&] { SelectLanguageEntry(FindLanguageListIndex(state, state.LanguageIndex, LanguageEntries())); });
    steps.step([&] { TranslateMe(); });
    steps.step([&] { LoadFormSettings(); });
}

void frmOptions::FillLanguageList()
{
    const QSignalBlocker quiet(cboLanguage);
    cboLanguage->clear();
    for (int k = 0; k < BuiltinStrings::LanguageCount; ++k)
        cboLanguage->addItem(state.Languages.at(static_cast<size_t>(k)).displayName);
    cboLanguage->setCurrentIndex(-1);
}

QStringList frmOptions::LanguageEntries() const
{
    QStringList entries;
    for (int p = 0; p < cboLanguage->count(); ++p)
        entries << cboLanguage->itemText(p);
    return entries;
}

void frmOptions::SelectLanguageEntry(int position)
{
    if (position == cboLanguage->currentIndex())
        return;
    {
        const QSignalBlocker quiet(cboLanguage);
        cboLanguage->setCurrentIndex(position);
    }
    PickLanguage();
}

void frmOptions::cboLanguage_Click()
{
    FailureScope steps(&services.errors, QStringLiteral("cboLanguage"));
    steps.step([&] { PickLanguage(); });
}

void frmOptions::PickLanguage()
{
    const QString picked = cboLanguage->currentText();
    for (int k = 0; k < BuiltinStrings::LanguageCount; ++k) {
        const LanguageListRow& row = state.Languages.at(static_cast<size_t>(k));
        if (row.displayName != picked)
            continue;
        state.Language = row.key;
        state.LanguageIndex = static_cast<std::uint8_t>(k);
        TranslateMe();
        TranslateFrmMain(false, mainWindow, state, services.errors);
        return;
    }
}

void frmOptions::TranslateMe()
{
    lblComplete->setVisible(!LoadLanguageStrings(state, services.strings));
    lblComplete->setToolTip(CompleteTranslationTip(state.Languages.at(state.LanguageIndex).displayName));
    ApplyCaptions(*this, FrmOptionsCaptions(state));
}

void frmOptions::LoadFormSettings()
{
    if (state.ConnectionType >= ConnectionTypes)
        throw Failure(ControlArrayElementMissing,
                      QStringLiteral("Control array element '%1' doesn't exist").arg(state.ConnectionType));
    QRadioButton* chosen = optConnection.at(state.ConnectionType);
    {
        const QSignalBlocker quiet(chosen);
        chosen->setChecked(true);
    }
    optConnection_Click(state.ConnectionType);
    chkAuth->setChecked(state.UseProxyAuth != 0);
    txtAddress->setText(state.ProxyAddress);
    txtPort->setText(QString::number(state.ProxyPort));
    txtUser->setText(state.ProxyUser);
    txtPass->setText(state.ProxyPass);
}

void frmOptions::optConnection_Click(int index)
{
    state.ConnectionType = static_cast<std::uint8_t>(index);
    const bool proxy = index == 2;
    if (!proxy) {
        // Run the rule even when the box is already clear: a stored authentication flag
        // must not outlive a connection without proxy.
        const QSignalBlocker quiet(chkAuth);
        chkAuth->setChecked(false);
        SetAuthentication(false);
    }
    SetEnabled({lblAddress, lblPort, txtAddress, txtPort, chkAuth}, proxy);
}

void frmOptions::chkAuth_Click()
{
    SetAuthentication(chkAuth->isChecked());
}

void frmOptions::SetAuthentication(bool on)
{
    state.UseProxyAuth = on ? 1 : 0;
    SetEnabled({lblUser, lblPass, txtUser, txtPass}, on);
    if (!on) {
        txtUser->clear();
        txtPass->clear();
    }
}

void frmOptions::cmdOK_Click()
{
    {
        FailureScope steps(&services.errors, QStringLiteral("frmOptions cmdOK"));
        steps.step([&] { state.ProxyAddress = txtAddress->text(); });
        steps.step([&] { state.ProxyPort = PortFrom(txtPort->text()); });
        steps.step([&] {
            state.ProxyUser = txtUser->text();
            state.ProxyPass = txtPass->text();
        });
        const std::pair<const char*, QString> values[] = {
            {"Language", state.Language},
            {"CONNECTIONTYPE", QString::number(state.ConnectionType)},
            {"USEPROXYAUTH", QString::number(state.UseProxyAuth)},
            {"PROXYADDRESS", state.ProxyAddress},
            {"PROXYPORT", QString::number(state.ProxyPort)},
            {"PROXYUSER", state.ProxyUser},
            {"PROXYPASS", state.ProxyPass},
        };
        for (const auto& [key, text] : values)
            steps.step([&] { services.settings.write(QLatin1String(key), text); });
    }
    accept();
}

void frmOptions::cmdReset_Click()
{
    FailureScope steps(&services.errors, QStringLiteral("cmdReset"));
    steps.step([&] {
        state.ConnectionType = 0;
        DetectUserLanguage(state, services.platform, QStringLiteral("ENGLISH"));
        SelectLanguageEntry(FindLanguageListIndex(state, state.LanguageIndex, LanguageEntries()));
        TranslateMe();
        TranslateFrmMain(false, mainWindow, state, services.errors);
        LoadFormSettings();
    });
}

template <typename Action> void frmOptions::RunTranslatorAction(const QString& source, Action&& action)
{
    FailureScope steps(&services.errors, source);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] {
        QApplication::restoreOverrideCursor();
        QCoreApplication::processEvents();
    });
    QCoreApplication::processEvents();
    action(steps);
}

void frmOptions::imgAddLanguage_MouseDown()
{
    RunTranslatorAction(QStringLiteral("imgAddLanguage"), [this](FailureScope& steps) {
        steps.step([&] { WriteNewLanguageFile(state, services.strings); });
        steps.step([&] {
            services.dialogs.message(services.strings.required(Str::NewLanguageFileCreated), MessageIcon::Information);
        });
        steps.step([&] { services.platform.editTextFile(state.WorkFolder + NewLanguageFileName()); });
    });
}

void frmOptions::lblComplete_MouseDown()
{
    lblComplete->setEnabled(false);
    RunTranslatorAction(QStringLiteral("lblComplete"), [this](FailureScope& steps) {
        steps.step([&] { WriteCompletionFile(state, services.strings); });
        steps.step([&] {
            services.dialogs.message(services.strings.required(Str::CompletionFileCreated), MessageIcon::Information);
        });
        steps.step([&] { services.platform.editTextFile(state.WorkFolder + CompletionFileName(state.Language)); });
        lblComplete->setEnabled(true);
    });
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == imgAddLanguage) {
            imgAddLanguage_MouseDown();
            return true;
        }
        if (watched == lblComplete) {
            lblComplete_MouseDown();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

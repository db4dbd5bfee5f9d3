#include "ui/OptionsDialog.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/ObjectNames.h"
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
#include "ui/WindowHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
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

#include <optional>

namespace {

constexpr int AddressLength = 255;
constexpr int PortLength = 5;
constexpr int CredentialLength = 64;
constexpr int IconSize = 16;

template <typename Widget> Widget* named(Widget* widget, QLatin1StringView name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit* textField(QWidget* parent, QLatin1StringView name, int maxLength)
{
    auto* field = named(new QLineEdit(parent), name);
    field->setMaxLength(maxLength);
    return field;
}

void setAllEnabled(std::initializer_list<QWidget*> controls, bool enabled)
{
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

QPixmap addLanguagePicture(qreal ratio)
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

// Ports 1 to 65535; an empty text, 0 or a larger number is none.
std::optional<quint16> portFrom(const QString& text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return static_cast<quint16>(port);
}

} // namespace

OptionsDialog::OptionsDialog(AppState& state, AppServices& services, MainWindowLanguageView& mainWindow,
                             QWidget* parent)
    : QDialog(parent), state(state), services(services), mainWindow(mainWindow)
{
    setObjectName(ObjectName::frmOptions);
    buildControls();
    fillControls();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::showModal(AppState& state, AppServices& services, WindowDialogs& dialogs,
                              MainWindowLanguageView& mainWindow, QWidget* parent)
{
    OptionsDialog dialog(state, services, mainWindow, parent);
    dialogs.showModal(dialog);
}

void OptionsDialog::buildControls()
{
    cmdOK = named(new QPushButton(this), ObjectName::cmdOK);
    cmdOK->setDefault(true);
    cmdReset = named(new QPushButton(QStringLiteral("Reset"), this), ObjectName::cmdReset);
    cmdReset->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &OptionsDialog::storeAndClose);
    connect(cmdReset, &QPushButton::clicked, this, &OptionsDialog::resetToDefaults);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdReset);
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(buildLanguageGroup());
    layout->addWidget(buildProxyGroup());
    layout->addLayout(buttons);
    // The dialog takes the room its captions need in the current language.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* OptionsDialog::buildLanguageGroup()
{
    fraLanguage = named(new QGroupBox(this), ObjectName::fraLanguage);
    auto* picLanguage = named(new QWidget(fraLanguage), ObjectName::picLanguage);

    cboLanguage = named(new QComboBox(picLanguage), ObjectName::cboLanguage);
    cboLanguage->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(cboLanguage, &QComboBox::currentIndexChanged, this, &OptionsDialog::onLanguagePicked);

    imgAddLanguage = named(new QLabel(picLanguage), ObjectName::imgAddLanguage);
    imgAddLanguage->setPixmap(addLanguagePicture(devicePixelRatioF()));
    imgAddLanguage->setToolTip(QStringLiteral("Add Translation..."));
    imgAddLanguage->setAccessibleName(QStringLiteral("Add Translation..."));
    makeKeyboardLink(imgAddLanguage);

    lblTranslator = named(new QLabel(picLanguage), ObjectName::lblTranslator);

    lblComplete = named(new QLabel(picLanguage), ObjectName::lblComplete);
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

QGroupBox* OptionsDialog::buildProxyGroup()
{
    fraProxy = named(new QGroupBox(this), ObjectName::fraProxy);
    auto* picProxy = named(new QWidget(fraProxy), ObjectName::picProxy);
    auto* grid = new QGridLayout(picProxy);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(2, 1);

    for (int i = 0; i < ConnectionTypes; ++i) {
        optConnection[i] = new QRadioButton(picProxy);
        optConnection[i]->setObjectName(QStringLiteral("optConnection%1").arg(i));
        connect(optConnection[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                chooseConnection(i);
        });
        grid->addWidget(optConnection[i], i, 0, 1, 5);
    }

    lblAddress = named(new QLabel(picProxy), ObjectName::lblAddress);
    txtAddress = textField(picProxy, ObjectName::txtAddress, AddressLength);
    txtAddress->setMinimumWidth(160);
    lblPort = named(new QLabel(picProxy), ObjectName::lblPort);
    txtPort = textField(picProxy, ObjectName::txtPort, PortLength);
    txtPort->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtPort));
    txtPort->setFixedWidth(txtPort->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    grid->addWidget(lblAddress, 3, 1);
    grid->addWidget(txtAddress, 3, 2);
    grid->addWidget(lblPort, 3, 3);
    grid->addWidget(txtPort, 3, 4);
    lblPortError = named(new QLabel(picProxy), ObjectName::lblPortError);
    lblPortError->setWordWrap(true);
    QPalette warning = lblPortError->palette();
    warning.setColor(QPalette::WindowText, QColor(0xb0, 0x1c, 0x1c));
    lblPortError->setPalette(warning);
    lblPortError->setVisible(false);
    grid->addWidget(lblPortError, 4, 1, 1, 4);
    // The message goes as soon as the port is edited again.
    connect(txtPort, &QLineEdit::textEdited, lblPortError, &QWidget::hide);

    chkAuth = named(new QCheckBox(picProxy), ObjectName::chkAuth);
    connect(chkAuth, &QCheckBox::toggled, this, &OptionsDialog::onAuthenticationToggled);
    grid->addWidget(chkAuth, 5, 1, 1, 4);

    lblUser = named(new QLabel(picProxy), ObjectName::lblUser);
    txtUser = textField(picProxy, ObjectName::txtUser, CredentialLength);
    lblPass = named(new QLabel(picProxy), ObjectName::lblPass);
    txtPass = textField(picProxy, ObjectName::txtPass, CredentialLength);
    txtPass->setEchoMode(QLineEdit::Password);
    txtPass->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    grid->addWidget(lblUser, 6, 1);
    grid->addWidget(txtUser, 6, 2, 1, 3);
    grid->addWidget(lblPass, 7, 1);
    grid->addWidget(txtPass, 7, 2, 1, 3);

    setAllEnabled({lblAddress, txtAddress, lblPort, txtPort, chkAuth, lblUser, txtUser, lblPass, txtPass}, false);

    chkRequireChecksum = named(new QCheckBox(picProxy), ObjectName::chkRequireChecksum);
    connect(chkRequireChecksum, &QCheckBox::toggled, this, [this](bool on) { state.requireChecksum = on ? 1 : 0; });
    grid->addWidget(chkRequireChecksum, 7, 0, 1, 5);

    auto* layout = new QVBoxLayout(fraProxy);
    layout->addWidget(picProxy);
    return fraProxy;
}

void OptionsDialog::fillControls()
{
    FailureScope steps(&services.errors, QStringLiteral("frmOptions Load"));
    steps.step([&] { state.language = state.languages.at(state.languageIndex).key; });
    steps.step([&] { fillLanguageList(); });
    steps.step([&] { selectLanguageEntry(findLanguageListIndex(state, state.languageIndex, languageEntries())); });
    steps.step([&] { translateMe(); });
    steps.step([&] { loadFormSettings(); });
}

void OptionsDialog::fillLanguageList()
{
    const QSignalBlocker quiet(cboLanguage);
    cboLanguage->clear();
    for (int k = 0; k < BuiltinStrings::LanguageCount; ++k)
        cboLanguage->addItem(state.languages.at(static_cast<size_t>(k)).displayName);
    cboLanguage->setCurrentIndex(-1);
}

QStringList OptionsDialog::languageEntries() const
{
    QStringList entries;
    for (int p = 0; p < cboLanguage->count(); ++p)
        entries << cboLanguage->itemText(p);
    return entries;
}

void OptionsDialog::selectLanguageEntry(int position)
{
    if (position == cboLanguage->currentIndex())
        return;
    {
        const QSignalBlocker quiet(cboLanguage);
        cboLanguage->setCurrentIndex(position);
    }
    pickLanguage();
}

void OptionsDialog::onLanguagePicked()
{
    FailureScope steps(&services.errors, QStringLiteral("cboLanguage"));
    steps.step([&] { pickLanguage(); });
}

void OptionsDialog::pickLanguage()
{
    const QString picked = cboLanguage->currentText();
    for (int k = 0; k < BuiltinStrings::LanguageCount; ++k) {
        const LanguageListRow& row = state.languages.at(static_cast<size_t>(k));
        if (row.displayName != picked)
            continue;
        state.language = row.key;
        state.languageIndex = static_cast<std::uint8_t>(k);
        translateMe();
        translateMainWindow(false, mainWindow, state, services.errors);
        return;
    }
}

void OptionsDialog::translateMe()
{
    lblComplete->setVisible(!loadLanguageStrings(state, services.strings));
    lblComplete->setToolTip(completeTranslationTip(state.languages.at(state.languageIndex).displayName));
    applyCaptions(*this, optionsDialogCaptions(state));
}

void OptionsDialog::loadFormSettings()
{
    if (state.connectionType >= ConnectionTypes)
        throw Failure(FailureCode::ControlArrayElementMissing,
                      QStringLiteral("Control array element '%1' doesn't exist").arg(state.connectionType));
    QRadioButton* chosen = optConnection.at(state.connectionType);
    {
        const QSignalBlocker quiet(chosen);
        chosen->setChecked(true);
    }
    chooseConnection(state.connectionType);
    chkAuth->setChecked(state.useProxyAuth != 0);
    txtAddress->setText(state.proxyAddress);
    txtPort->setText(QString::number(state.proxyPort));
    txtUser->setText(state.proxyUser);
    txtPass->setText(state.proxyPass);
    chkRequireChecksum->setChecked(state.requireChecksum == 1);
}

void OptionsDialog::chooseConnection(int index)
{
    state.connectionType = static_cast<std::uint8_t>(index);
    const bool proxy = index == 2;
    if (!proxy) {
        // Run the rule even when the box is already clear: a stored authentication flag
        // must not outlive a connection without proxy.
        const QSignalBlocker quiet(chkAuth);
        chkAuth->setChecked(false);
        setAuthentication(false);
    }
    setAllEnabled({lblAddress, lblPort, txtAddress, txtPort, chkAuth}, proxy);
}

void OptionsDialog::onAuthenticationToggled()
{
    setAuthentication(chkAuth->isChecked());
}

void OptionsDialog::setAuthentication(bool on)
{
    state.useProxyAuth = on ? 1 : 0;
    setAllEnabled({lblUser, lblPass, txtUser, txtPass}, on);
    if (!on) {
        txtUser->clear();
        txtPass->clear();
    }
}

void OptionsDialog::storeAndClose()
{
    // Checked before anything is taken over: nothing is stored unless every value is valid.
    // A port the user cannot edit (no proxy chosen) keeps its value.
    const std::optional<quint16> port = portFrom(txtPort->text());
    if (!port && txtPort->isEnabled()) {
        lblPortError->setText(state.str(Str::PortOutOfRange));
        lblPortError->setVisible(true);
        txtPort->setAccessibleDescription(lblPortError->text());
        txtPort->setFocus();
        txtPort->selectAll();
        return;
    }
    lblPortError->setVisible(false);
    {
        FailureScope steps(&services.errors, QStringLiteral("frmOptions cmdOK"));
        state.proxyAddress = txtAddress->text();
        if (port)
            state.proxyPort = *port;
        state.proxyUser = txtUser->text();
        state.proxyPass = txtPass->text();
        const std::pair<SettingKey, QString> values[] = {
            {SettingKey::Language, state.language},
            {SettingKey::ConnectionType, QString::number(state.connectionType)},
            {SettingKey::UseProxyAuth, QString::number(state.useProxyAuth)},
            {SettingKey::ProxyAddress, state.proxyAddress},
            {SettingKey::ProxyPort, QString::number(state.proxyPort)},
            {SettingKey::ProxyUser, state.proxyUser},
            {SettingKey::ProxyPass, state.proxyPass},
            {SettingKey::RequireChecksum, QString::number(state.requireChecksum)},
        };
        for (const auto& [key, text] : values)
            steps.step([&] { services.settings.write(key, text); });
    }
    accept();
}

void OptionsDialog::resetToDefaults()
{
    FailureScope steps(&services.errors, QStringLiteral("cmdReset"));
    steps.step([&] {
        state.connectionType = 0;
        detectUserLanguage(state, services.platform, QStringLiteral("ENGLISH"));
        selectLanguageEntry(findLanguageListIndex(state, state.languageIndex, languageEntries()));
        translateMe();
        translateMainWindow(false, mainWindow, state, services.errors);
        loadFormSettings();
    });
}

template <typename Action> void OptionsDialog::runTranslatorAction(const QString& source, Action&& action)
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

void OptionsDialog::addLanguage()
{
    runTranslatorAction(QStringLiteral("imgAddLanguage"), [this](FailureScope& steps) {
        steps.step([&] { writeNewLanguageFile(state, services.strings, services.timings.translationFileSettleMs); });
        steps.step([&] {
            services.dialogs.message(services.strings.required(Str::NewLanguageFileCreated), MessageIcon::Information);
        });
        steps.step([&] { services.platform.editTextFile(state.workFolder + newLanguageFileName()); });
    });
}

void OptionsDialog::completeTranslation()
{
    lblComplete->setEnabled(false);
    runTranslatorAction(QStringLiteral("lblComplete"), [this](FailureScope& steps) {
        steps.step([&] { writeCompletionFile(state, services.strings, services.timings.translationFileSettleMs); });
        steps.step([&] {
            services.dialogs.message(services.strings.required(Str::CompletionFileCreated), MessageIcon::Information);
        });
        steps.step([&] { services.platform.editTextFile(state.workFolder + completionFileName(state.language)); });
        lblComplete->setEnabled(true);
    });
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgAddLanguage && event->type() == QEvent::KeyPress &&
        isActivationKey(*static_cast<QKeyEvent*>(event))) {
        addLanguage();
        return true; // Enter on the picture must not also press OK
    }
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == imgAddLanguage) {
            addLanguage();
            return true;
        }
        if (watched == lblComplete) {
            completeTranslation();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

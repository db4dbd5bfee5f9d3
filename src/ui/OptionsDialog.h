#pragma once

#include <QDialog>

#include <array>

struct AppServices;
struct AppState;
class MainWindowLanguageView;
class WindowDialogs;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The options dialog: the interface language, the connection to the Internet, and the
// translators' files. A language pick takes effect at once here and in the main window;
// OK stores the seven settings. The dialog loads (and translates itself) when created.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ConnectionTypes = 3;

    OptionsDialog(AppState& state, AppServices& services, MainWindowLanguageView& mainWindow,
                  QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // What mnuSettings does: loads the dialog and shows it modally.
    static void showModal(AppState& state, AppServices& services, WindowDialogs& dialogs,
                          MainWindowLanguageView& mainWindow, QWidget* parent);

    void translateMe();
    void loadFormSettings();
    void onLanguagePicked();
    void chooseConnection(int index);
    void onAuthenticationToggled();
    void storeAndClose();
    void resetToDefaults();
    void addLanguage();
    void completeTranslation();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QGroupBox* buildLanguageGroup();
    QGroupBox* buildProxyGroup();
    void fillControls();
    void fillLanguageList();
    QStringList languageEntries() const;
    // Selects a list entry; a changed selection runs the pick handling.
    void selectLanguageEntry(int position);
    void pickLanguage();
    void setAuthentication(bool on);
    template <typename Action> void runTranslatorAction(const QString& source, Action&& action);

    AppState& state;
    AppServices& services;
    MainWindowLanguageView& mainWindow;

    QGroupBox* fraLanguage = nullptr;
    QComboBox* cboLanguage = nullptr;
    QLabel* imgAddLanguage = nullptr;
    QLabel* lblComplete = nullptr;
    QLabel* lblTranslator = nullptr;
    QGroupBox* fraProxy = nullptr;
    std::array<QRadioButton*, ConnectionTypes> optConnection{};
    QLabel* lblAddress = nullptr;
    QLineEdit* txtAddress = nullptr;
    QLabel* lblPort = nullptr;
    QLineEdit* txtPort = nullptr;
    QLabel* lblPortError = nullptr; // shown while the port is refused
    QCheckBox* chkAuth = nullptr;
    QCheckBox* chkRequireChecksum = nullptr;
    QLabel* lblUser = nullptr;
    QLineEdit* txtUser = nullptr;
    QLabel* lblPass = nullptr;
    QLineEdit* txtPass = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdReset = nullptr;
};

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
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ConnectionTypes = 3;

    frmOptions(AppState& state, AppServices& services, MainWindowLanguageView& mainWindow, QWidget* parent = nullptr);
    ~frmOptions() override;

    // What mnuSettings does: loads the dialog and shows it modally.
    static void ShowModal(AppState& state, AppServices& services, WindowDialogs& dialogs,
                          MainWindowLanguageView& mainWindow, QWidget* parent);

    void TranslateMe();
    void LoadFormSettings();
    void cboLanguage_Click();
    void optConnection_Click(int index);
    void chkAuth_Click();
    void cmdOK_Click();
    void cmdReset_Click();
    void imgAddLanguage_MouseDown();
    void lblComplete_MouseDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QGroupBox* BuildLanguageGroup();
    QGroupBox* BuildProxyGroup();
    void Form_Load();
    void FillLanguageList();
    QStringList LanguageEntries() const;
    // Selects a list entry; a changed selection runs the pick handling.
    void SelectLanguageEntry(int position);
    void PickLanguage();
    void SetAuthentication(bool on);
    template <typename Action> void RunTranslatorAction(const QString& source, Action&& action);

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
    QCheckBox* chkAuth = nullptr;
    QLabel* lblUser = nullptr;
    QLineEdit* txtUser = nullptr;
    QLabel* lblPass = nullptr;
    QLineEdit* txtPass = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdReset = nullptr;
};

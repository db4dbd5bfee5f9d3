#pragma once

#include <QDialog>

struct AppState;
class BuiltinStrings;
class Dialogs;
class Platform;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The error dialog: explains that an internal error occurred, shows the error report and
// offers to mail it, to restart the program or to go on. The report is built when the
// dialog is shown and rebuilt each time the user comes back to it from elsewhere.
class ErrorDialog : public QDialog
{
    Q_OBJECT

public:
    ErrorDialog(QString lastErrorText, const AppState& state, Platform& platform, Dialogs& dialogs,
                const BuiltinStrings& strings, QWidget* parent = nullptr);
    ~ErrorDialog() override;

    void showReport();
    void mailReport();
    void restart();
    void ignore();

    // The report as built, lines ended by CR LF, including any edit the user made.
    QString reportText() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void setReport(const QString& report);

    QString lastErrorText;
    const AppState& state;
    Platform& platform;
    Dialogs& dialogs;
    const BuiltinStrings& strings;
    QString builtReport;
    // Set when the dialog lost the focus to another window than its own message boxes:
    // coming back to it then rebuilds the report.
    bool leftForElsewhere = false;

    QLabel* picIco = nullptr;
    QLabel* lblTop = nullptr;
    QLabel* lblMain = nullptr;
    QLabel* lblSecond = nullptr;
    QPlainTextEdit* txtReport = nullptr;
    QPushButton* cmdReport = nullptr;
    QPushButton* cmdRestart = nullptr;
    QPushButton* cmdIgnore = nullptr;
};

#pragma once

#include <QDialog>

struct AppState;
class BuiltinStrings;
class Dialogs;
class Platform;
class QLabel;
class QPushButton;
class QTimer;

// The About box: the program's version and maker, links to the maker and the product
// page, the libzip notice, the running system's name and the physical memory available,
// refreshed every second while the box is open.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MemoInterval = 1000; // ms between two memory lines

    AboutDialog(const AppState& state, Platform& platform, Dialogs& dialogs, const BuiltinStrings& strings,
                QWidget* parent = nullptr);
    ~AboutDialog() override;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void fillControls();
    void showMemoStats();
    void mailAuthor();
    void openWebsite();
    void showLibraryNotice();
    int languageCodePage() const;

    const AppState& state;
    Platform& platform;
    Dialogs& dialogs;
    const BuiltinStrings& strings;

    QLabel* picTop = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCopyr = nullptr;
    QLabel* lblAuthor = nullptr;
    QLabel* lblWebsite = nullptr;
    QLabel* lblInfoZip = nullptr;
    QLabel* lblFree = nullptr;
    QLabel* lblOsName = nullptr;
    QLabel* lblMemo = nullptr;
    QPushButton* cmdOK = nullptr;
    QTimer* tmrMemo = nullptr;
};

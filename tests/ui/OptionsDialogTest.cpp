#include "ui/OptionsDialog.h"
#include "FindChild.h"
#include "MainWindowProbe.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "app/StringIds.h"
#include "lang/UserLanguage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

constexpr int French = 3;

// The options dialog over fakes, with a language list named as Windows names it. French
// lacks its row 5 here, so its completion link shows.
struct OptionsFixture : FakeServices
{
    OptionsFixture()
    {
        services.timings.translationFileSettleMs = 0;
        strings.removeRow(BuiltinStrings::rowId(French, 5));
        state.workFolder = temp.path() + QLatin1Char('/');
        platform.nameLanguagesAsWindows();
        readUserLocale(state, strings, platform);
        state.language = QStringLiteral("ENGLISH");
        state.connectionType = 2; // a proxy with authentication
        state.useProxyAuth = 1;
        state.proxyAddress = QStringLiteral("proxy.example");
        state.proxyPort = 3128;
        state.proxyUser = QStringLiteral("bob");
        state.proxyPass = QStringLiteral("secret");
    }

    OptionsDialog& open(bool shown = false)
    {
        dialog = std::make_unique<OptionsDialog>(state, options, mainWindow);
        if (shown) {
            dialog->show();
            if (!QTest::qWaitForWindowExposed(dialog.get()))
                qWarning("the options dialog was not exposed");
        }
        return *dialog;
    }

    template <typename Widget> Widget* find(QAnyStringView name) const { return ::find<Widget>(*dialog, name); }

    BuiltinStrings strings = BuiltinStrings::compiled();
    AppServices options{settings, platform, dialogs, errors, strings, transfer};
    AppState state;
    MainWindowProbe mainWindow;
    std::unique_ptr<OptionsDialog> dialog;
};

} // namespace

class OptionsDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The dialog opens in the current language (a stored connection type without a button
    // is reported); picking a language, or Reset, switches both windows at once, and only OK stores.
    void languageOfBothWindows_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("connectionType");
        QTest::addColumn<QString>("userLanguage");
        QTest::addColumn<int>("detected"); // the language Reset picks
        QTest::newRow("English, proxy, Spanish user") << 0 << 2 << "Spanish" << 1;
        QTest::newRow("Korean, connection type 3, Portuguese user") << 6 << 3 << "Portuguese" << 0;
        QTest::newRow("Estonian, the last row, no proxy") << 10 << 0 << "Spanish" << 1;
    }

    void languageOfBothWindows()
    {
        QFETCH(int, k);
        QFETCH(int, connectionType);
        QFETCH(QString, userLanguage);
        QFETCH(int, detected);
        OptionsFixture fixture;
        fixture.platform.userLanguage = userLanguage;
        const QString stored = fixture.state.languages.at(static_cast<size_t>(k)).key;
        fixture.state.language = stored;
        fixture.state.languageIndex = static_cast<std::uint8_t>(k);
        fixture.state.connectionType = static_cast<std::uint8_t>(connectionType);
        OptionsDialog& dialog = fixture.open();

        QCOMPARE(fixture.state.language, stored);
        auto* list = fixture.find<QComboBox>("cboLanguage");
        QCOMPARE(list->count(), 11);
        QCOMPARE(list->itemText(0), "English (United Kingdom)");
        QCOMPARE(list->currentIndex(), k);
        QCOMPARE(dialog.windowTitle(), languageRow(k, 6));
        auto* complete = fixture.find<QLabel>("lblComplete");
        QVERIFY(complete->isHidden());
        QCOMPARE(fixture.mainWindow.caption("cmdRun"), languageRow(k, 43));

        list->setCurrentIndex(French);
        QCOMPARE(fixture.state.language, "FRENCH");
        QCOMPARE(int(fixture.state.languageIndex), French);
        QCOMPARE(dialog.windowTitle(), languageRow(French, 6));
        QCOMPARE(fixture.mainWindow.caption("mnuFile"), languageRow(French, 1));
        QVERIFY2(!complete->isHidden(), "French lacks a row here");
        QCOMPARE(complete->text(), languageRow(French, 30));
        QCOMPARE(complete->toolTip(), "Help complete the French (France) translation");
        list->setCurrentIndex(k);
        QVERIFY(complete->isHidden());

        // Reset detects the user's language and drops unsaved edits.
        fixture.find<QLineEdit>("txtAddress")->setText("edited.example");
        QTest::mouseClick(fixture.find<QPushButton>("cmdReset"), Qt::LeftButton);
        QCOMPARE(fixture.state.language, fixture.state.languages.at(static_cast<size_t>(detected)).key);
        QCOMPARE(int(fixture.state.languageIndex), detected);
        QCOMPARE(list->currentIndex(), detected);
        QCOMPARE(dialog.windowTitle(), languageRow(detected, 6));
        QCOMPARE(fixture.mainWindow.caption("cmdLU"), languageRow(detected, 44));
        QCOMPARE(int(fixture.state.connectionType), 0);
        QVERIFY(fixture.find<QRadioButton>("optConnection0")->isChecked());
        QVERIFY(!fixture.find<QCheckBox>("chkAuth")->isChecked());
        QCOMPARE(fixture.find<QLineEdit>("txtAddress")->text(), "proxy.example");
        QVERIFY(fixture.settings.writes.isEmpty());
        QCOMPARE(fixture.errors.reports.size(), connectionType > 2 ? 1 : 0);
        if (connectionType > 2)
            QCOMPARE(fixture.errors.reports.first().source, "frmOptions Load");
    }

    // A link writes the file, tells how to send it and opens it; without its message it
    // reports that and still opens the file.
    void translatorLinksWriteTheFileOnTheLeftButtonOnly_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("messageMissing");
        QTest::addColumn<bool>("byKeyboard"); // Tab from the language list, then Space
        QTest::newRow("add a language, keyboard")
            << "imgAddLanguage" << 654 << "krvnm_104_english.txt" << false << true;
        QTest::newRow("complete French") << "lblComplete" << 653 << "krvnm_104_french.txt" << false << false;
        QTest::newRow("message missing") << "imgAddLanguage" << 654 << "krvnm_104_english.txt" << true << false;
    }

    void translatorLinksWriteTheFileOnTheLeftButtonOnly()
    {
        QFETCH(QString, link);
        QFETCH(int, message);
        QFETCH(QString, file);
        QFETCH(bool, messageMissing);
        QFETCH(bool, byKeyboard);
        OptionsFixture fixture;
        fixture.state.language = QStringLiteral("FRENCH");
        fixture.state.languageIndex = French;
        OptionsDialog& dialog = fixture.open(true);
        if (messageMissing)
            fixture.strings.removeRow(message);
        auto* target = dialog.findChild<QLabel*>(link);
        QCOMPARE(target->cursor().shape(), Qt::PointingHandCursor);

        QTest::mouseClick(target, Qt::RightButton);
        QVERIFY(fixture.dialogs.messages.isEmpty());
        QVERIFY(fixture.platform.edited.isEmpty());
        QVERIFY(!QFileInfo::exists(fixture.state.workFolder + file));

        if (byKeyboard) {
            dialog.activateWindow();
            fixture.find<QComboBox>("cboLanguage")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(target->hasFocus());
            QTest::keyClick(target, Qt::Key_Space);
        } else {
            QTest::mouseClick(target, Qt::LeftButton);
        }
        QVERIFY(QFileInfo(fixture.state.workFolder + file).size() > 0);
        QCOMPARE(fixture.platform.edited, QStringList{fixture.state.workFolder + file});
        QVERIFY(target->isEnabled());
        QCOMPARE(fixture.errors.reports.size(), messageMissing ? 1 : 0);
        for (const auto& report : fixture.errors.reports)
            QCOMPARE(report.source, link);
        const MessageRequest howToSend{
            BuiltinStrings::compiled().lookup(message).value(), MessageIcon::Information, MessageButtons::Ok, {}};
        QCOMPARE(fixture.dialogs.messages, messageMissing ? QList<MessageRequest>() : QList{howToSend});
    }

    void connectionRules_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("auth");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<bool>("proxyFields");
        QTest::addColumn<bool>("authChecked"); // and the user fields enabled
        QTest::addColumn<QString>("user");
        QTest::newRow("stored proxy with authentication") << 2 << 1 << QList<int>{} << true << true << "bob";
        QTest::newRow("stored direct connection") << 1 << 0 << QList<int>{} << false << false << "bob";
        QTest::newRow("authentication without proxy is dropped") << 0 << 1 << QList<int>{} << false << false << "bob";
        QTest::newRow("direct connection empties the user fields") << 2 << 1 << QList<int>{1} << false << false << "";
        QTest::newRow("proxy again leaves authentication off") << 2 << 1 << QList<int>{1, 2} << true << false << "";
    }

    void connectionRules()
    {
        QFETCH(int, type);
        QFETCH(int, auth);
        QFETCH(QList<int>, clicks);
        QFETCH(bool, proxyFields);
        QFETCH(bool, authChecked);
        QFETCH(QString, user);
        OptionsFixture fixture;
        fixture.state.connectionType = static_cast<std::uint8_t>(type);
        fixture.state.useProxyAuth = static_cast<std::uint8_t>(auth);
        fixture.open(true);
        for (int click : clicks) {
            auto* option = fixture.find<QRadioButton>(QStringLiteral("optConnection%1").arg(click));
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2)); // on its indicator
        }

        const int chosen = clicks.isEmpty() ? type : clicks.last();
        QCOMPARE(int(fixture.state.connectionType), chosen);
        QVERIFY(fixture.find<QRadioButton>(QStringLiteral("optConnection%1").arg(chosen))->isChecked());
        for (const char* name : {"lblAddress", "txtAddress", "lblPort", "txtPort", "chkAuth"})
            QVERIFY2(fixture.find<QWidget>(name)->isEnabled() == proxyFields, name);
        QCOMPARE(fixture.find<QCheckBox>("chkAuth")->isChecked(), authChecked);
        QCOMPARE(int(fixture.state.useProxyAuth), authChecked ? 1 : 0);
        for (const char* name : {"lblUser", "txtUser", "lblPass", "txtPass"})
            QVERIFY2(fixture.find<QWidget>(name)->isEnabled() == authChecked, name);
        QCOMPARE(fixture.find<QLineEdit>("txtUser")->text(), user);
        QCOMPARE(fixture.find<QLineEdit>("txtPass")->text(), user.isEmpty() ? QString() : "secret");
        QCOMPARE(fixture.find<QLineEdit>("txtPass")->echoMode(), QLineEdit::Password);
        QCOMPARE(fixture.state.proxyUser, "bob");
    }

    // The port is typed: the field takes five digits at most and nothing else. A port
    // outside 1 to 65535 is said so beside the field; the dialog stays and stores nothing.
    void okStoresTheValuesInOrder_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("failingKey");
        QTest::addColumn<QString>("storedPort"); // empty: refused
        QTest::addColumn<int>("failureCode");
        const auto row = [](const char* port, const char* failingKey, const char* stored, int code) {
            QTest::addRow("port '%s' %s", port, failingKey)
                << QString::fromUtf8(port) << QString::fromUtf8(failingKey) << QString::fromUtf8(stored) << code;
        };
        row("8a-0x8 0", "", "8080", 0);
        row("40000", "", "40000", 0); // above the signed limit
        row("655351", "", "65535", 0);
        row("", "", "", 0);
        row("0", "", "", 0);
        row("70000", "", "", 0);
        row("8080", "PROXYADDRESS", "8080", 3001); // a failing key
    }

    void okStoresTheValuesInOrder()
    {
        QFETCH(QString, port);
        QFETCH(QString, failingKey);
        QFETCH(QString, storedPort);
        QFETCH(int, failureCode);
        OptionsFixture fixture;
        if (!failingKey.isEmpty())
            fixture.settings.failingWrites.insert(failingKey);
        OptionsDialog& dialog = fixture.open(true);
        fixture.find<QComboBox>("cboLanguage")->setCurrentIndex(1);
        fixture.find<QLineEdit>("txtAddress")->setText("10.0.0.1");
        auto* portField = fixture.find<QLineEdit>("txtPort");
        portField->clear();
        QTest::keyClicks(portField, port);
        fixture.find<QLineEdit>("txtUser")->setText("ann");
        fixture.find<QLineEdit>("txtPass")->setText("pw");
        fixture.find<QCheckBox>("chkRequireChecksum")->setChecked(true);

        QTest::mouseClick(fixture.find<QPushButton>("cmdOK"), Qt::LeftButton);

        const bool refused = storedPort.isEmpty();
        QList<QPair<QString, QString>> expected = {
            {"Language", "SPANISH"},   {"CONNECTIONTYPE", "2"}, {"USEPROXYAUTH", "1"}, {"PROXYADDRESS", "10.0.0.1"},
            {"PROXYPORT", storedPort}, {"PROXYUSER", "ann"},    {"PROXYPASS", "pw"},   {"REQUIRECHECKSUM", "1"}};
        expected.removeIf([&](const QPair<QString, QString>& value) { return value.first == failingKey; });
        QCOMPARE(fixture.settings.writes, refused ? decltype(expected)() : expected);
        QCOMPARE(fixture.state.proxyPort, refused ? 3128 : storedPort.toInt());
        QCOMPARE(fixture.errors.reports.size(), failureCode ? 1 : 0);
        for (const RecordingErrorHandler::Report& report : fixture.errors.reports)
            QCOMPARE(std::pair(report.source, report.code), std::pair(QStringLiteral("frmOptions cmdOK"), failureCode));
        QCOMPARE(dialog.isVisible(), refused);
        QCOMPARE(dialog.result(), int(refused ? QDialog::Rejected : QDialog::Accepted));
        auto* refusal = fixture.find<QLabel>("lblPortError");
        QCOMPARE(refusal->isVisible(), refused);
        if (refused) {
            QCOMPARE(fixture.state.proxyAddress, "proxy.example");
            QCOMPARE(refusal->text(), fixture.state.str(Str::PortOutOfRange));
            QVERIFY(portField->hasFocus());
            QTest::keyClick(portField, Qt::Key_1);
            QVERIFY(!refusal->isVisible());
        }
    }
};

KRVNM_REGISTER_TEST(OptionsDialogTest)
#include "OptionsDialogTest.moc"

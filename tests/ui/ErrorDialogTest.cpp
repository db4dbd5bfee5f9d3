#include "FakePlatform.h"
#include "FindChild.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "app/Failure.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "ui/ErrorDialogHandler.h"

#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrlQuery>

#include <functional>
#include <utility>

namespace {

class NamelessPlatform : public FakePlatform
{
public:
    QString osDisplayName() override { throw Failure(FailureCode::Unexpected, "no version record"); }
};

bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

struct ErrorFixture
{
    explicit ErrorFixture(Platform& platform) : handler(state, platform, dialogs, BuiltinStrings::compiled())
    {
        loadLanguageStrings(state, BuiltinStrings::compiled());
        state.appVersion = "1.0.4";
        state.appFolder = "/fake/app/";
        state.krvnVersion = "1.4.0";
        state.krvnExe = "/games/korvane/korvane.exe";
    }

    // Runs step while the dialog is up and active; a further dialog is only counted.
    void whileShown(const std::function<void(QDialog&)>& step)
    {
        dialogs.onModal = [step, first = true](QDialog& dialog) mutable {
            if (!std::exchange(first, false))
                return 0;
            if (!showActive(dialog))
                return -1;
            step(dialog);
            return 0;
        };
    }

    AppState state;
    ScriptedDialogs dialogs;
    ErrorDialogHandler handler;
};

} // namespace

// The error dialog, the report it shows and the mail link that sends it.
class ErrorDialogTest : public QObject
{
    Q_OBJECT

    static QString shortDate(QDate day) { return QLocale::system().toString(day, QLocale::ShortFormat); }
    static QString reportOf(QDialog& dialog) { return static_cast<ErrorDialog&>(dialog).reportText(); }

private Q_SLOTS:
    // A negative code and an unknown game version show as they are; a report that cannot
    // read the system's name keeps its error part, says so and leaves the dialog usable. A
    // second failure while the dialog is up changes neither the dialog nor the last error.
    void dialogShowsTheReportOfTheFailure_data()
    {
        QTest::addColumn<bool>("nameless");
        QTest::newRow("whole report") << false;
        QTest::newRow("system name unreadable") << true;
    }

    void dialogShowsTheReportOfTheFailure()
    {
        QFETCH(bool, nameless);
        FakePlatform named;
        NamelessPlatform unnamed;
        ErrorFixture fixture(nameless ? unnamed : named);
        fixture.state.krvnVersion.clear();
        QStringList captions; // the title, then the labels' and buttons' captions
        QString report, afterSecond;
        bool sendEnabled = false;
        fixture.whileShown([&](QDialog& dialog) {
            captions << dialog.windowTitle();
            for (const char* name : {"lblTop", "lblMain", "lblSecond", "cmdReport", "cmdRestart", "cmdIgnore"})
                captions << find<QWidget>(dialog, name)->property("text").toString();
            sendEnabled = find<QPushButton>(dialog, "cmdReport")->isEnabled();
            report = reportOf(dialog);
            fixture.handler.handleError("TranslateFrmMain", Failure(FailureCode::Conversion, "second"));
            afterSecond = reportOf(dialog);
        });
        fixture.handler.handleError("GetKRVNVersion", Failure(FailureCode{-2147012889}, "a|b"));

        QCOMPARE(fixture.dialogs.shownDialogs.size(), 1);
        const AppState& s = fixture.state;
        QCOMPARE(captions,
                 (QStringList{"Korvane Manager", s.str(23), s.str(24), s.str(25), s.str(26), s.str(27), s.str(15)}));
        QCOMPARE(fixture.handler.lastErrorText(), "Source: GetKRVNVersion|Code: -2147012889|Description: a|b");
        const QString errorPart = QStringLiteral(
            "----- Error Information -----\r\nSource: GetKRVNVersion\r\nCode: -2147012889\r\nDescription: a\r\nb\r\n");
        QCOMPARE(report, nameless ? errorPart
                                  : errorPart +
                                        "----- Environment Information -----\r\n"
                                        "Product name: Korvane Manager 1.0.4\r\nOperating system: Windows 10\r\n"
                                        "Korvane version: \r\nKorvane path: /games/korvane/korvane.exe\r\n"
                                        "Report generated on: " +
                                        shortDate(named.date) + "\r\n----- End Report -----\r\n");
        QCOMPARE(afterSecond, report);
        QVERIFY2(sendEnabled, "the dialog stays usable");
        const MessageRequest notice{"Error while generating report.", MessageIcon::Exclamation, MessageButtons::Ok, {}};
        QCOMPARE(fixture.dialogs.messages, nameless ? QList{notice} : QList<MessageRequest>());
    }

    void reactivationRebuildsTheReportWithThatDay()
    {
        FakePlatform platform;
        ErrorFixture fixture(platform);
        QString firstReport, editedReport, secondReport, afterOwnWindow;
        fixture.whileShown([&](QDialog& dialog) {
            firstReport = reportOf(dialog);
            auto* text = dialog.findChild<QPlainTextEdit*>("txtReport");
            text->setFocus();
            QTest::keyClicks(text, "my note");
            editedReport = reportOf(dialog);

            // A window of the dialog's own (such as its message box) comes and goes: no rebuild.
            QDialog own(&dialog);
            QVERIFY(showActive(own));
            own.close();
            QVERIFY(showActive(dialog));
            afterOwnWindow = reportOf(dialog);

            // The user switches to another program, comes back a day later.
            platform.date = QDate(2026, 6, 13);
            QWidget elsewhere;
            QVERIFY(showActive(elsewhere) && showActive(dialog));
            secondReport = reportOf(dialog);
        });
        fixture.handler.handleError("CheckKRVNUpdates", Failure(FailureCode{5}, "x"));

        QVERIFY2(editedReport.contains("my note"), qPrintable("the user's edit is what is sent: " + editedReport));
        QCOMPARE(afterOwnWindow, editedReport);
        QCOMPARE(secondReport, QString(firstReport).replace(shortDate(QDate(2026, 6, 12)), shortDate(platform.date)));
    }

    // Send Report mails the report once; Restart starts the program again and ends this
    // one; Ignore closes. The next failure gets a fresh dialog.
    void buttons_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("mailed");
        QTest::addColumn<bool>("restarted");
        QTest::addColumn<bool>("closed");
        QTest::newRow("Send Report twice") << QStringList{"cmdReport", "cmdReport"} << true << false << false;
        QTest::newRow("Restart Program") << QStringList{"cmdRestart"} << false << true << true;
        QTest::newRow("Ignore after sending") << QStringList{"cmdReport", "cmdIgnore"} << true << false << true;
    }

    void buttons()
    {
        QFETCH(QStringList, clicks);
        QFETCH(bool, mailed);
        QFETCH(bool, restarted);
        QFETCH(bool, closed);
        FakePlatform platform;
        ErrorFixture fixture(platform);
        QString report;
        QList<bool> enabled; // Send Report, Restart Program, Ignore after the clicks
        bool visibleAfter = false;
        fixture.whileShown([&](QDialog& dialog) {
            report = reportOf(dialog);
            for (const QString& name : clicks)
                QTest::mouseClick(find<QPushButton>(dialog, name), Qt::LeftButton);
            for (const char* name : {"cmdReport", "cmdRestart", "cmdIgnore"})
                enabled << find<QPushButton>(dialog, name)->isEnabled();
            visibleAfter = dialog.isVisible();
        });
        // The mail link's delimiters, blanks, line ends and letters beyond ASCII in the report.
        fixture.handler.handleError("LiveUpdateNow - ProductID #2",
                                    Failure(FailureCode::Unexpected, "50% & more #3 ?x=y+1\n\t« données » 中文"));

        QCOMPARE(platform.opened.size(), mailed ? 1 : 0);
        if (mailed) {
            const QString link = platform.opened.first();
            QCOMPARE(link.count(QLatin1Char('&')), 1);
            for (QChar c : link)
                QVERIFY2(c.unicode() < 128 && c != u'#' && c != u' ' && c != u'\n', qPrintable(link));
            const QUrlQuery fields(link.section(QLatin1Char('?'), 1)); // split at the raw "&"
            QCOMPARE(fields.queryItemValue("subject", QUrl::FullyDecoded), "Korvane Manager 1.0.4 error report");
            QCOMPARE(fields.queryItemValue("body", QUrl::FullyDecoded), report);
            QCOMPARE(enabled, (QList<bool>{false, true, true}));
        }
        QVERIFY2(fixture.dialogs.messages.isEmpty(), "the report is sent without the language notice");
        QCOMPARE(platform.launches.size(), restarted ? 1 : 0);
        for (const FakePlatform::Launch& launch : platform.launches) // program, folder, then any arguments
            QCOMPARE(QStringList({launch.program, launch.workingFolder}) + launch.arguments,
                     (QStringList{"/fake/app/krvnm", "/fake/app/"}));
        QCOMPARE(platform.processEnds, restarted ? 1 : 0);
        QCOMPARE(visibleAfter, !closed);

        fixture.whileShown([&](QDialog& dialog) { enabled = {find<QPushButton>(dialog, "cmdReport")->isEnabled()}; });
        fixture.handler.handleError("frmOptions Load", Failure(FailureCode{1}, "x"));
        QCOMPARE(enabled, QList<bool>{true});
    }
};

KRVNM_REGISTER_TEST(ErrorDialogTest)
#include "ErrorDialogTest.moc"

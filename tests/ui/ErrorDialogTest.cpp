#include "FakePlatform.h"
#include "MailFields.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "app/Failure.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "ui/ErrorDialogHandler.h"

#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

class NamelessPlatform : public FakePlatform
{
public:
    QString osDisplayName() override { throw Failure(FailureCode::Unexpected, QStringLiteral("no version record")); }
};

struct ErrorFixture
{
    explicit ErrorFixture(Platform& platform) : handler(state, platform, dialogs, BuiltinStrings::Compiled())
    {
        LoadLanguageStrings(state, BuiltinStrings::Compiled());
        state.AppVersion = QStringLiteral("1.0.4");
        state.AppFolder = QStringLiteral("/fake/app/");
        state.KrvnVersion = QStringLiteral("1.4.0");
        state.KrvnExe = QStringLiteral("/games/korvane/korvane.exe");
        handler.today = [this] {
            ++dateReads;
            return date;
        };
    }

    AppState state;
    ScriptedDialogs dialogs;
    ErrorDialogHandler handler;
    QDate date{2026, 6, 12};
    int dateReads = 0;
};

QString ShortDate(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QString Report(QDialog& dialog)
{
    return static_cast<frmError&>(dialog).ReportText();
}

QPushButton* Button(QDialog& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

class ErrorDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogShowsTheReportOfTheFailure()
    {
        FakePlatform platform;
        ErrorFixture fixture(platform);
        QStringList captions;
        QString report;
        QString title;
        fixture.dialogs.onModal = [&](QDialog& dialog) {
            if (!ShowActive(dialog))
                return -1;
            title = dialog.windowTitle();
            for (const char* name : {"lblTop", "lblMain", "lblSecond"})
                captions << dialog.findChild<QLabel*>(QLatin1String(name))->text();
            for (const char* name : {"cmdReport", "cmdRestart", "cmdIgnore"})
                captions << Button(dialog, name)->text();
            report = Report(dialog);
            return 0;
        };
        fixture.handler.HandleError(QStringLiteral("GetKRVNVersion"), Failure(53, QStringLiteral("a|b")));

        QCOMPARE(fixture.dialogs.shownDialogs.size(), 1);
        QCOMPARE(title, QStringLiteral("Korvane Manager"));
        const AppState& s = fixture.state;
        QCOMPARE(captions, (QStringList{s.str(23), s.str(24), s.str(25), s.str(26), s.str(27), s.str(15)}));
        QCOMPARE(fixture.handler.LastErrorText(), QStringLiteral("Source: GetKRVNVersion|Code: 53|Description: a|b"));
        QCOMPARE(report, QStringLiteral("----- Error Information -----\r\nSource: GetKRVNVersion\r\nCode: 53\r\n"
                                        "Description: a\r\nb\r\n----- Environment Information -----\r\n"
                                        "Product name: Korvane Manager 1.0.4\r\nOperating system: Windows 10\r\n"
                                        "Korvane version: 1.4.0\r\nKorvane path: /games/korvane/korvane.exe\r\n"
                                        "Report generated on: ") +
                             ShortDate(fixture.date) + QStringLiteral("\r\n----- End Report -----\r\n"));
        QVERIFY2(fixture.dialogs.messages.isEmpty(), "a report that builds shows no message");
    }

    void reactivationRebuildsTheReportWithThatDay()
    {
        FakePlatform platform;
        ErrorFixture fixture(platform);
        QString firstReport, editedReport, secondReport, afterOwnWindow;
        int readsBeforeOwnWindow = -1, readsAfterOwnWindow = -1;
        fixture.dialogs.onModal = [&](QDialog& dialog) {
            if (!ShowActive(dialog))
                return -1;
            firstReport = Report(dialog);
            auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtReport"));
            text->setFocus();
            QTest::keyClicks(text, QStringLiteral("my note"));
            editedReport = Report(dialog);

            // A window of the dialog's own (such as its message box) comes and goes: no rebuild.
            readsBeforeOwnWindow = fixture.dateReads;
            QDialog own(&dialog);
            if (!ShowActive(own))
                return -1;
            own.close();
            if (!ShowActive(dialog))
                return -1;
            readsAfterOwnWindow = fixture.dateReads;
            afterOwnWindow = Report(dialog);

            // The user switches to another program, comes back a day later.
            fixture.date = QDate(2026, 6, 13);
            QWidget elsewhere;
            if (!ShowActive(elsewhere) || !ShowActive(dialog))
                return -1;
            secondReport = Report(dialog);
            return 0;
        };
        fixture.handler.HandleError(QStringLiteral("CheckKRVNUpdates"), Failure(5, QStringLiteral("x")));

        QVERIFY2(firstReport.contains("Report generated on: " + ShortDate(QDate(2026, 6, 12)) + "\r\n"),
                 qPrintable(firstReport));
        QVERIFY2(editedReport.contains("my note"), qPrintable("the user's edit is what is sent: " + editedReport));
        QCOMPARE(readsAfterOwnWindow, readsBeforeOwnWindow);
        QCOMPARE(afterOwnWindow, editedReport);
        QCOMPARE(secondReport, QString(firstReport).replace(ShortDate(QDate(2026, 6, 12)), ShortDate(fixture.date)));
        QCOMPARE(secondReport.count("\r\n"), 11);
    }

    void failingReportKeepsWhatWasBuilt()
    {
        NamelessPlatform platform;
        ErrorFixture fixture(platform);
        QString report;
        bool sendEnabled = false;
        fixture.dialogs.onModal = [&](QDialog& dialog) {
            if (!ShowActive(dialog))
                return -1;
            report = Report(dialog);
            sendEnabled = Button(dialog, "cmdReport")->isEnabled();
            return 0;
        };
        fixture.handler.HandleError(QStringLiteral("frmMain Load"), Failure(75, QStringLiteral("Path not found")));

        QCOMPARE(fixture.dialogs.messages.size(), 1);
        const MessageRequest& message = fixture.dialogs.messages.first();
        QCOMPARE(message.text, QStringLiteral("Error while generating report."));
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        QCOMPARE(message.title, QStringLiteral("Korvane Manager"));
        QCOMPARE(report, QStringLiteral("----- Error Information -----\r\nSource: frmMain Load\r\nCode: 75\r\n"
                                        "Description: Path not found\r\n"));
        QVERIFY2(sendEnabled, "the dialog stays usable");
    }

    void secondFailureWhileTheDialogIsUpChangesNothing()
    {
        FakePlatform platform;
        ErrorFixture fixture(platform);
        QString before, after;
        bool inside = false;
        fixture.dialogs.onModal = [&](QDialog& dialog) {
            if (inside)
                return 0; // a second dialog: counted below, not driven
            inside = true;
            if (!ShowActive(dialog))
                return -1;
            before = Report(dialog);
            fixture.handler.HandleError(QStringLiteral("TranslateFrmMain"), Failure(13, QStringLiteral("second")));
            after = Report(dialog);
            return 0;
        };
        fixture.handler.HandleError(QStringLiteral("FindKRVNPath"), Failure(53, QStringLiteral("first")));

        QCOMPARE(fixture.dialogs.shownDialogs.size(), 1);
        QCOMPARE(after, before);
        QCOMPARE(fixture.handler.LastErrorText(), QStringLiteral("Source: FindKRVNPath|Code: 53|Description: first"));
        QVERIFY(fixture.dialogs.messages.isEmpty());

        // Once the dialog is gone, the next failure is shown again.
        fixture.dialogs.onModal = nullptr;
        fixture.handler.HandleError(QStringLiteral("TranslateFrmMain"), Failure(13, QStringLiteral("third")));
        QCOMPARE(fixture.dialogs.shownDialogs.size(), 2);
        QCOMPARE(fixture.handler.LastErrorText(),
                 QStringLiteral("Source: TranslateFrmMain|Code: 13|Description: third"));
    }

    void sendReportMailsTheReportOnce()
    {
        FakePlatform platform;
        ErrorFixture fixture(platform);
        QString report;
        bool reportEnabled = true, restartEnabled = false, ignoreEnabled = false;
        fixture.dialogs.onModal = [&](QDialog& dialog) {
            if (!ShowActive(dialog))
                return -1;
            report = Report(dialog);
            QTest::mouseClick(Button(dialog, "cmdReport"), Qt::LeftButton);
            QTest::mouseClick(Button(dialog, "cmdReport"), Qt::LeftButton);
            reportEnabled = Button(dialog, "cmdReport")->isEnabled();
            restartEnabled = Button(dialog, "cmdRestart")->isEnabled();
            ignoreEnabled = Button(dialog, "cmdIgnore")->isEnabled();
            return 0;
        };
        fixture.handler.HandleError(QStringLiteral("LiveUpdateNow - ProductID #2"),
                                    Failure(51, QStringLiteral("50% & more #3 — «ü»")));

        QCOMPARE(platform.opened.size(), 1);
        const QString link = platform.opened.first();
        QVERIFY2(link.startsWith(QStringLiteral("mailto:support@quillonworks.example?subject=")), qPrintable(link));
        QCOMPARE(MailField(link, QStringLiteral("subject")), QStringLiteral("Korvane Manager 1.0.4 error report"));
        QCOMPARE(MailField(link, QStringLiteral("body")), report);
        QVERIFY(report.contains(QStringLiteral("Description: 50% & more #3 — «ü»\r\n")));
        QVERIFY2(!reportEnabled, "Send Report is disabled after sending");
        QVERIFY(restartEnabled);
        QVERIFY(ignoreEnabled);
        QVERIFY2(fixture.dialogs.messages.isEmpty(), "the report is sent without the language notice");
    }

    void restartStartsTheProgramAgainAndEndsThisOne()
    {
        FakePlatform platform;
        platform.applicationPath = QStringLiteral("/opt/krvnm/krvnm");
        ErrorFixture fixture(platform);
        fixture.state.AppFolder = QStringLiteral("/opt/krvnm/");
        bool visibleAfter = true;
        fixture.dialogs.onModal = [&](QDialog& dialog) {
            if (!ShowActive(dialog))
                return -1;
            QTest::mouseClick(Button(dialog, "cmdRestart"), Qt::LeftButton);
            visibleAfter = dialog.isVisible();
            return 0;
        };
        fixture.handler.HandleError(QStringLiteral("CheckSelfUpdate"), Failure(1, QStringLiteral("x")));

        QCOMPARE(platform.launches.size(), 1);
        QCOMPARE(platform.launches.first().program, QStringLiteral("/opt/krvnm/krvnm"));
        QCOMPARE(platform.launches.first().arguments, QStringList());
        QCOMPARE(platform.launches.first().workingFolder, QStringLiteral("/opt/krvnm/"));
        QCOMPARE(platform.processEnds, 1);
        QVERIFY(!visibleAfter);
    }

    void ignoreClosesAndTheNextFailureGetsAFreshDialog()
    {
        FakePlatform platform;
        ErrorFixture fixture(platform);
        QList<bool> sendEnabledAtStart;
        QList<bool> visibleAfterIgnore;
        fixture.dialogs.onModal = [&](QDialog& dialog) {
            if (!ShowActive(dialog))
                return -1;
            sendEnabledAtStart << Button(dialog, "cmdReport")->isEnabled();
            QTest::mouseClick(Button(dialog, "cmdReport"), Qt::LeftButton);
            QTest::mouseClick(Button(dialog, "cmdIgnore"), Qt::LeftButton);
            visibleAfterIgnore << dialog.isVisible();
            return dialog.result();
        };
        fixture.handler.HandleError(QStringLiteral("frmOptions Load"), Failure(1, QStringLiteral("x")));
        fixture.handler.HandleError(QStringLiteral("frmOptions cmdOK"), Failure(2, QStringLiteral("y")));

        QCOMPARE(sendEnabledAtStart, (QList<bool>{true, true}));
        QCOMPARE(visibleAfterIgnore, (QList<bool>{false, false}));
        QCOMPARE(platform.launches.size(), 0);
        QCOMPARE(platform.processEnds, 0);
    }
};

KRVNM_REGISTER_TEST(ErrorDialogTest)
#include "ErrorDialogTest.moc"

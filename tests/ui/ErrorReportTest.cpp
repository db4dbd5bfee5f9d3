#include "app/ErrorReport.h"
#include "FakePlatform.h"
#include "MailFields.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "app/Failure.h"
#include "lang/BuiltinStrings.h"
#include "ui/MailLink.h"

#include <QDate>
#include <QLocale>
#include <QTest>
#include <QUrl>

class ErrorReportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The dialog's own test shows a whole report; these are the cases it does not: a
    // negative code, and an unknown game whose two lines stay, empty.
    void sections()
    {
        QCOMPARE(ErrorInformationSection(LastErrorLine("CheckKRVNUpdates", Failure(-2147012889, "Not resolved"))),
                 "----- Error Information -----\r\nSource: CheckKRVNUpdates\r\nCode: -2147012889\r\n"
                 "Description: Not resolved\r\n");
        QCOMPARE(EnvironmentSection({"1.0.4", "Windows 10", "", ""}),
                 "----- Environment Information -----\r\nProduct name: Korvane Manager 1.0.4\r\n"
                 "Operating system: Windows 10\r\nKorvane version: \r\nKorvane path: \r\n");
    }

    void dateLineUsesTheLocalesShortDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << "6/12/26";
        QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << "12.06.26";
        QTest::newRow("Spain") << QLocale(QLocale::Spanish, QLocale::Spain) << "12/6/26";
    }

    void dateLineUsesTheLocalesShortDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QCOMPARE(ClosingSection(QDate(2026, 6, 12), locale),
                 "Report generated on: " + date + "\r\n----- End Report -----\r\n");
    }

    void mailLinkCarriesSubjectAndBodyIntact_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");
        const auto row = [](const char* name, const char* subject, const char* body) {
            QTest::newRow(name) << QString::fromUtf8(subject) << QString::fromUtf8(body);
        };
        row("delimiters", "a & b # c ? d", "Description: 100% done & more #1 ?x=y&body=z\r\nnext line");
        row("plus and equals", "1+1=2", "a+b = c; d/e:f@g");
        row("non-ASCII", "Ошибка", "Description: Fichier « données » introuvable\r\n中文 ✓");
        row("bare line feed and tab", "tab\there", "one\ntwo\rthree");
        row("empty body", "KRVN Manager 1.0.4", "");
    }

    void mailLinkCarriesSubjectAndBodyIntact()
    {
        QFETCH(QString, subject);
        QFETCH(QString, body);
        const QString link = MailLink(SupportAddress, subject, body);
        QVERIFY2(link.startsWith("mailto:support@quillonworks.example?subject="), qPrintable(link));
        QCOMPARE(link.count(QLatin1Char('&')), 1);
        QCOMPARE(link.count(QLatin1Char('?')), 1);
        for (QChar c : link)
            QVERIFY2(c.unicode() < 128 && c != u'#' && c != u' ' && c != u'\n', qPrintable(link));
        QCOMPARE(MailField(link, "subject"), subject);
        QCOMPARE(MailField(link, "body"), body);
        // The link survives the trip through QUrl that the platform makes.
        QCOMPARE(QUrl(link).scheme(), "mailto");
        QVERIFY(QUrl(link).isValid());
    }

    void sendEmailShowsTheLanguageNoticeOnlyWhenAsked()
    {
        FakePlatform platform;
        ScriptedDialogs dialogs;
        SendEmail(platform, dialogs, BuiltinStrings::Compiled(), "Korvane Manager 1.0.4 error report", "body", false);
        QVERIFY2(dialogs.messages.isEmpty(), "the error report is sent without a notice");
        QCOMPARE(MailField(platform.opened.value(0), "subject"), "Korvane Manager 1.0.4 error report");

        SendEmail(platform, dialogs, BuiltinStrings::Compiled(), "KRVN Manager 1.0.4", "", true);
        QCOMPARE(dialogs.messages.size(), 1);
        const MessageRequest& notice = dialogs.messages.first();
        QCOMPARE(notice.text, BuiltinStrings::Compiled().lookup(652).value());
        QCOMPARE(notice.icon, MessageIcon::Information);
        QCOMPARE(notice.buttons, MessageButtons::Ok);
        QCOMPARE(notice.title, "Korvane Manager");
        QCOMPARE(platform.opened.value(1), "mailto:support@quillonworks.example?subject=KRVN%20Manager%201.0.4&body=");
        QCOMPARE(platform.opened.size(), 2);
    }
};

KRVNM_REGISTER_TEST(ErrorReportTest)
#include "ErrorReportTest.moc"

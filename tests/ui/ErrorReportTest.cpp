#include "app/ErrorReport.h"
#include "FakePlatform.h"
#include "MailFields.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "app/Failure.h"
#include "ui/MailLink.h"
#include "lang/BuiltinStrings.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

namespace {

ErrorReportFacts SomeFacts()
{
    return {"1.0.4", "Windows 10", "1.4.0", "C:\\Games\\Korvane\\korvane.exe"};
}

} // namespace

Q_DECLARE_METATYPE(ErrorReportFacts)

class ErrorReportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportHasElevenLines_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("description");
        QTest::addColumn<ErrorReportFacts>("facts");
        QTest::addColumn<QStringList>("lines");

        const QStringList environment = {"----- Environment Information -----", "Product name: Korvane Manager 1.0.4",
                                         "Operating system: Windows 10", "Korvane version: 1.4.0",
                                         "Korvane path: C:\\Games\\Korvane\\korvane.exe"};
        const QStringList closing = {"Report generated on: 12/06/2026", "----- End Report -----"};
        QTest::newRow("plain") << "GetKRVNVersion" << 53 << "File not found" << SomeFacts()
                               << QStringList{"----- Error Information -----", "Source: GetKRVNVersion", "Code: 53",
                                              "Description: File not found"} +
                                      environment + closing;
        QTest::newRow("negative code") << "CheckKRVNUpdates" << -2147012889 << "The server name could not be resolved"
                                       << SomeFacts()
                                       << QStringList{"----- Error Information -----", "Source: CheckKRVNUpdates",
                                                      "Code: -2147012889",
                                                      "Description: The server name could not be resolved"} +
                                              environment + closing;
        QTest::newRow("unknown game") << "FindKRVNPath" << 75 << "Path error"
                                      << ErrorReportFacts{"1.0.4", "Windows 10", "", ""}
                                      << QStringList{"----- Error Information -----",
                                                     "Source: FindKRVNPath",
                                                     "Code: 75",
                                                     "Description: Path error",
                                                     "----- Environment Information -----",
                                                     "Product name: Korvane Manager 1.0.4",
                                                     "Operating system: Windows 10",
                                                     "Korvane version: ",
                                                     "Korvane path: "} +
                                             closing;
        QTest::newRow("description with bars")
            << "LiveUpdateNow - ProductID #3" << 51 << "first|second|third" << SomeFacts()
            << QStringList{"----- Error Information -----",
                           "Source: LiveUpdateNow - ProductID #3",
                           "Code: 51",
                           "Description: first",
                           "second",
                           "third"} +
                   environment + closing;
    }

    void reportHasElevenLines()
    {
        QFETCH(QString, source);
        QFETCH(int, code);
        QFETCH(QString, description);
        QFETCH(ErrorReportFacts, facts);
        QFETCH(QStringList, lines);

        const QString lastError = LastErrorLine(source, Failure(code, description));
        QCOMPARE(lastError, QStringLiteral("Source: ") + source + "|Code: " + QString::number(code) +
                                "|Description: " + description);
        const QString report =
            BuildErrorReport(lastError, facts, QDate(2026, 6, 12), QLocale(QLocale::English, QLocale::UnitedKingdom));
        QVERIFY2(report.endsWith("\r\n"), qPrintable(report));
        QStringList got = report.split("\r\n");
        got.removeLast();
        QCOMPARE(got, lines);
        QVERIFY2(!report.contains(QRegularExpression("[^\r]\n")), "every line ends in CR LF");
    }

    void dateLineUsesTheLocalesShortDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << "6/12/26";
        QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << "12.06.26";
        QTest::newRow("Spain") << QLocale(QLocale::Spanish, QLocale::Spain) << "12/6/26";
    }

    void dateLineUsesTheLocalesShortDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        const QString closing = ClosingSection(QDate(2026, 6, 12), locale);
        QCOMPARE(closing.section("\r\n", 0, 0),
                 QStringLiteral("Report generated on: ") + locale.toString(QDate(2026, 6, 12), QLocale::ShortFormat));
        QVERIFY2(closing.startsWith("Report generated on: " + expected),
                 qPrintable("expected the date " + expected + ", got " + closing));
    }

    void mailLinkCarriesSubjectAndBodyIntact_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");
        QTest::newRow("report") << "Korvane Manager 1.0.4 error report"
                                << "----- Error Information -----\r\nSource: x\r\nCode: 5\r\n";
        QTest::newRow("delimiters") << "a & b # c ? d"
                                    << "Description: 100% done & more #1 ?x=y&body=z\r\nnext line";
        QTest::newRow("plus and equals") << "1+1=2"
                                         << "a+b = c; d/e:f@g";
        QTest::newRow("non-ASCII") << "Ошибка"
                                   << "Description: Fichier « données » introuvable\r\n中文 ✓";
        QTest::newRow("bare line feed and tab") << "tab\there"
                                                << "one\ntwo\rthree";
        QTest::newRow("empty body") << "KRVN Manager 1.0.4"
                                    << "";
    }

    void mailLinkCarriesSubjectAndBodyIntact()
    {
        QFETCH(QString, subject);
        QFETCH(QString, body);
        const QString link = MailLink(SupportAddress, subject, body);
        QVERIFY2(link.startsWith("mailto:support@quillonworks.example?subject="), qPrintable(link));
        QCOMPARE(link.count(QLatin1Char('&')), 1);
        QCOMPARE(link.count(QLatin1Char('?')), 1);
        QVERIFY2(!link.contains(QLatin1Char('#')) && !link.contains(QLatin1Char(' ')) &&
                     !link.contains(QLatin1Char('\n')),
                 qPrintable(link));
        for (QChar c : link)
            QVERIFY2(c.unicode() < 128, qPrintable("non-ASCII character in " + link));
        QCOMPARE(MailField(link, "subject"), subject);
        QCOMPARE(MailField(link, "body"), body);
        // The link survives the trip through QUrl that the platform makes.
        QCOMPARE(QUrl(link).scheme(), QStringLiteral("mailto"));
        QVERIFY(QUrl(link).isValid());
    }

    void sendEmailShowsTheLanguageNoticeOnlyWhenAsked()
    {
        FakePlatform platform;
        ScriptedDialogs dialogs;
        SendEmail(platform, dialogs, BuiltinStrings::Compiled(), "Korvane Manager 1.0.4 error report", "body", false);
        QVERIFY2(dialogs.messages.isEmpty(), "the error report is sent without a notice");
        QCOMPARE(platform.opened.size(), 1);
        QCOMPARE(MailField(platform.opened.first(), "subject"), QStringLiteral("Korvane Manager 1.0.4 error report"));

        SendEmail(platform, dialogs, BuiltinStrings::Compiled(), "KRVN Manager 1.0.4", "", true);
        QCOMPARE(dialogs.messages.size(), 1);
        const MessageRequest& notice = dialogs.messages.first();
        QCOMPARE(notice.text, QStringLiteral("When contacting the KRVNM author please do it in english or spanish "
                                             "only.\n\nAl contactar al autor de KRVNM por favor hazlo en inglés o "
                                             "español únicamente."));
        QCOMPARE(notice.icon, MessageIcon::Information);
        QCOMPARE(notice.buttons, MessageButtons::Ok);
        QCOMPARE(notice.title, QStringLiteral("Korvane Manager"));
        QCOMPARE(platform.opened.size(), 2);
        QCOMPARE(platform.opened.last(),
                 QStringLiteral("mailto:support@quillonworks.example?subject=KRVN%20Manager%201."
                                "0.4&body="));
    }
};

KRVNM_REGISTER_TEST(ErrorReportTest)
#include "ErrorReportTest.moc"

#include "app/ErrorReport.h"
#include "MailFields.h"
#include "TestMain.h"
#include "ui/MailLink.h"

#include <QDate>
#include <QLocale>
#include <QTest>
#include <QUrl>

class ErrorReportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateLineUsesTheLocalesShortDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << "6/12/26";
        QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << "12.06.26";
    }

    void dateLineUsesTheLocalesShortDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QCOMPARE(closingSection(QDate(2026, 6, 12), locale),
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
        const QString link = mailLink(SupportAddress, subject, body);
        QVERIFY2(link.startsWith("mailto:support@quillonworks.example?subject="), qPrintable(link));
        QCOMPARE(link.count(QLatin1Char('&')), 1);
        QCOMPARE(link.count(QLatin1Char('?')), 1);
        for (QChar c : link)
            QVERIFY2(c.unicode() < 128 && c != u'#' && c != u' ' && c != u'\n', qPrintable(link));
        QCOMPARE(mailField(link, "subject"), subject);
        QCOMPARE(mailField(link, "body"), body);
        // The link survives the trip through QUrl that the platform makes.
        QCOMPARE(QUrl(link).scheme(), "mailto");
        QVERIFY(QUrl(link).isValid());
    }
};

KRVNM_REGISTER_TEST(ErrorReportTest)
#include "ErrorReportTest.moc"

#include "MainWindowStandIn.h"
#include "RecordingErrorHandler.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "ui/FormTranslation.h"

#include <QTest>

namespace {

QString Row(int k, int n)
{
    return BuiltinStrings::Compiled().lookup(BuiltinStrings::RowId(k, n)).value();
}

AppState StateIn(int k)
{
    AppState state;
    state.LanguageIndex = static_cast<std::uint8_t>(k);
    LoadLanguageStrings(state, BuiltinStrings::Compiled());
    state.LatestStable = QStringLiteral("1.4.0");
    state.LatestStableDate = QStringLiteral("2013-04-01");
    state.LatestBeta = QStringLiteral("1.4.0-beta5");
    state.LatestBetaDate = QStringLiteral("2014-02-25");
    state.LatestNightly = QStringLiteral("r26400");
    state.LatestNightlyDate = QStringLiteral("2014-03-12");
    return state;
}

} // namespace

class MainWindowTranslationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<bool>("catalogueLoaded");
        QTest::addColumn<bool>("atStartUp");
        QTest::addColumn<QString>("beta");
        QTest::addColumn<QString>("betaCaption");
        QTest::newRow("English at start-up") << 0 << false << true << "1.4.0-beta5"
                                             << "Korvane 1.4.0 beta5";
        QTest::newRow("French after a change") << 3 << false << false << "1.4.0-beta5"
                                               << "Korvane 1.4.0 beta5";
        QTest::newRow("Korean with a catalogue") << 6 << true << false << "1.4.0-RC1-2"
                                                 << "Korvane 1.4.0 RC1 2";
        QTest::newRow("beta without a dash") << 10 << true << true << "1.4.0"
                                             << "Korvane 1.4.0";
    }

    void captionsFollowTheLanguage()
    {
        QFETCH(int, k);
        QFETCH(bool, catalogueLoaded);
        QFETCH(bool, atStartUp);
        QFETCH(QString, beta);
        QFETCH(QString, betaCaption);
        AppState state = StateIn(k);
        state.CatalogueLoaded = catalogueLoaded;
        state.LatestBeta = beta;
        MainWindowStandIn window;
        RecordingErrorHandler errors;

        TranslateFrmMain(atStartUp, window, state, errors);

        QCOMPARE(window.caption("cmdLU"), Row(k, catalogueLoaded ? 45 : 44));
        QCOMPARE(window.caption("cmdRun"), Row(k, 43));
        QCOMPARE(window.caption("cmdExit"), Row(k, 5));
        QCOMPARE(window.caption("mnuExit"), Row(k, 5));
        QCOMPARE(window.caption("optGet0"), "Korvane 1.4.0 (stable)");
        QCOMPARE(window.caption("optGet1"), betaCaption);
        QCOMPARE(window.caption("optGet2"), "Korvane r26400 (nightly)");
        QCOMPARE(window.caption("optGet3"), Row(k, 42));
        QCOMPARE(window.caption("lblDate0"), Row(k, 40) + " 2013-04-01");
        QCOMPARE(window.caption("lblDate2"), Row(k, 40) + " 2014-03-12");
        QCOMPARE(window.caption("lblVersionInfo3"), Row(k, 41));
        QCOMPARE(window.caption("mnuFile"), Row(k, 1));
        QCOMPARE(window.caption("mnuHelp"), Row(k, 3));
        QCOMPARE(window.caption("mnuOpen"), Row(k, 4) + "...");
        QCOMPARE(window.caption("mnuSettings"), Row(k, 6) + "...");
        QCOMPARE(window.caption("mnuPlatform"), Row(k, 8));
        QCOMPARE(window.caption("mnuCheckSelfUpdate"), Row(k, 44));
        QCOMPARE(window.caption("mnuAbout"), Row(k, 10));
        // The web links, the platform items and the title stay as designed.
        QCOMPARE(window.caption("mnuForum"), "Korvane forum");
        QCOMPARE(window.caption("mnuWin32"), "Win32 build");
        QCOMPARE(window.windowTitle(), "Korvane Manager 1.0.4");
        QCOMPARE(window.caption("lblVersion"), QString());

        QCOMPARE(window.identifications, atStartUp ? 0 : 1);
        QCOMPARE(window.statusTexts, QStringList{QString()});
        QVERIFY(errors.reports.isEmpty());
    }

    void missingControlIsReportedOnceAfterTheOthers_data()
    {
        QTest::addColumn<QString>("leftOut");
        QTest::newRow("a label") << "lblDate1";
        QTest::newRow("a menu item") << "mnuOpen";
    }

    void missingControlIsReportedOnceAfterTheOthers()
    {
        QFETCH(QString, leftOut);
        const AppState state = StateIn(3);
        MainWindowStandIn window(leftOut);
        RecordingErrorHandler errors;

        TranslateFrmMain(false, window, state, errors);

        QCOMPARE(errors.reports.size(), 1);
        QCOMPARE(errors.reports.first().source, "TranslateFrmMain");
        QVERIFY2(errors.reports.first().description.contains(leftOut), qPrintable(errors.reports.first().description));
        QCOMPARE(window.caption("mnuAbout"), Row(3, 10));
        QCOMPARE(window.identifications, 1);
        QCOMPARE(window.statusTexts.size(), 1);
    }
};

KRVNM_REGISTER_TEST(MainWindowTranslationTest)
#include "MainWindowTranslationTest.moc"

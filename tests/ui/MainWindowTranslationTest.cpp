#include "MainWindowProbe.h"
#include "RecordingErrorHandler.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/LanguageStrings.h"

#include <QTest>

namespace {

// The window's own state, as loaded from an empty store, in language k.
AppState StateIn(const MainWindowProbe& window, int k)
{
    AppState state = *window.app.state;
    state.LanguageIndex = static_cast<std::uint8_t>(k);
    LoadLanguageStrings(state, BuiltinStrings::Compiled());
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
        const auto row = [](const char* name, int k, bool loaded, bool atStartUp, const char* beta,
                            const char* caption) {
            QTest::newRow(name) << k << loaded << atStartUp << QString::fromUtf8(beta) << QString::fromUtf8(caption);
        };
        row("English at start-up", 0, false, true, "1.4.0-beta5", "Korvane 1.4.0 beta5");
        row("French after a change", 3, false, false, "1.4.0-beta5", "Korvane 1.4.0 beta5");
        row("Korean with a catalogue", 6, true, false, "1.4.0-RC1-2", "Korvane 1.4.0 RC1 2");
        row("beta without a dash", 10, true, true, "1.4.0", "Korvane 1.4.0");
    }

    void captionsFollowTheLanguage()
    {
        QFETCH(int, k);
        QFETCH(bool, catalogueLoaded);
        QFETCH(bool, atStartUp);
        QFETCH(QString, beta);
        QFETCH(QString, betaCaption);
        MainWindowProbe window;
        AppState state = StateIn(window, k);
        state.CatalogueLoaded = catalogueLoaded;
        state.LatestBeta = beta;
        // The web links, the platform items, the version label and the title stay as they are.
        const QStringList untouched{"mnuForum", "mnuWin32", "lblVersion"};
        QStringList before;
        for (const QString& name : untouched)
            before << window.caption(name);
        const QString title = window.window.windowTitle();
        RecordingErrorHandler errors;

        TranslateFrmMain(atStartUp, window, state, errors);

        const QList<std::pair<const char*, QString>> expected = {{"cmdLU", Row(k, catalogueLoaded ? 45 : 44)},
                                                                 {"cmdRun", Row(k, 43)},
                                                                 {"cmdExit", Row(k, 5)},
                                                                 {"mnuExit", Row(k, 5)},
                                                                 {"optGet0", "Korvane 1.4.0 (stable)"},
                                                                 {"optGet1", betaCaption},
                                                                 {"optGet2", "Korvane r26400 (nightly)"},
                                                                 {"optGet3", Row(k, 42)},
                                                                 {"lblDate0", Row(k, 40) + " 2013-04-01"},
                                                                 {"lblDate1", Row(k, 40) + " 2014-02-25"},
                                                                 {"lblDate2", Row(k, 40) + " 2014-03-12"},
                                                                 {"lblVersionInfo3", Row(k, 41)},
                                                                 {"mnuFile", Row(k, 1)},
                                                                 {"mnuHelp", Row(k, 3)},
                                                                 {"mnuOpen", Row(k, 4) + "..."},
                                                                 {"mnuSettings", Row(k, 6) + "..."},
                                                                 {"mnuPlatform", Row(k, 8)},
                                                                 {"mnuCheckSelfUpdate", Row(k, 44)},
                                                                 {"mnuAbout", Row(k, 10)}};
        for (const auto& [name, caption] : expected)
            QCOMPARE(window.caption(QLatin1String(name)), caption);
        QStringList after;
        for (const QString& name : untouched)
            after << window.caption(name);
        QCOMPARE(after, before);
        QCOMPARE(window.window.windowTitle(), title);
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
        MainWindowProbe window;
        QObject* control = window.window.findChild<QObject*>(leftOut);
        QVERIFY(control);
        control->setObjectName(QStringLiteral("renamed"));
        RecordingErrorHandler errors;

        TranslateFrmMain(false, window, StateIn(window, 3), errors);

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

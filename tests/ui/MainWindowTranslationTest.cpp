#include "MainWindowProbe.h"
#include "RecordingErrorHandler.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/LanguageStrings.h"

#include <QMenuBar>
#include <QTest>

namespace {

// The window's own state, as loaded from an empty store, in language k.
AppState stateIn(const MainWindowProbe& window, int k)
{
    AppState state = *window.app.state;
    state.languageIndex = static_cast<std::uint8_t>(k);
    loadLanguageStrings(state, BuiltinStrings::compiled());
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
        QTest::addColumn<QString>("leftOut"); // a control renamed away: reported once, after the others
        const auto row = [](const char* name, int k, bool loaded, bool atStartUp, const char* beta, const char* caption,
                            const char* leftOut) {
            QTest::newRow(name) << k << loaded << atStartUp << QString::fromUtf8(beta) << QString::fromUtf8(caption)
                                << QString::fromLatin1(leftOut);
        };
        row("English at start-up", 0, false, true, "1.4.0-beta5", "Korvane 1.4.0 beta5", "");
        row("French, a label missing", 3, false, false, "1.4.0-beta5", "Korvane 1.4.0 beta5", "lblDate1");
        row("Korean with a catalogue, a menu item missing", 6, true, false, "1.4.0-RC1-2", "Korvane 1.4.0 RC1 2",
            "mnuOpen");
        row("beta without a dash", 10, true, true, "1.4.0", "Korvane 1.4.0", "");
    }

    void captionsFollowTheLanguage()
    {
        QFETCH(int, k);
        QFETCH(bool, catalogueLoaded);
        QFETCH(bool, atStartUp);
        QFETCH(QString, beta);
        QFETCH(QString, betaCaption);
        QFETCH(QString, leftOut);
        MainWindowProbe window;
        if (!leftOut.isEmpty())
            window.window.findChild<QObject*>(leftOut)->setObjectName(QStringLiteral("renamed"));
        AppState state = stateIn(window, k);
        state.catalogueLoaded = catalogueLoaded;
        state.latestBeta = beta;
        // The web links, the platform items, the version label and the title stay as they are.
        const QStringList untouched{"mnuForum", "mnuWin32", "lblVersion"};
        const QStringList before = window.captions(untouched);
        const QString title = window.window.windowTitle();
        RecordingErrorHandler errors;

        translateMainWindow(atStartUp, window, state, errors);

        const QStringList names{"cmdLU",   "cmdRun",  "cmdExit",  "mnuExit",     "optGet0",     "optGet1",
                                "optGet2", "optGet3", "lblDate0", "lblDate1",    "lblDate2",    "lblVersionInfo3",
                                "mnuFile", "mnuHelp", "mnuOpen",  "mnuSettings", "mnuPlatform", "mnuCheckSelfUpdate",
                                "mnuAbout"};
        QStringList expected({languageRow(k, catalogueLoaded ? 45 : 44), languageRow(k, 43), languageRow(k, 5),
                              languageRow(k, 5), "Korvane 1.4.0 (stable)", betaCaption, "Korvane r26400 (nightly)",
                              languageRow(k, 42), languageRow(k, 40) + " 2013-04-01",
                              languageRow(k, 40) + " 2014-02-25", languageRow(k, 40) + " 2014-03-12",
                              languageRow(k, 41), languageRow(k, 1), languageRow(k, 3), languageRow(k, 4) + "...",
                              languageRow(k, 6) + "...", languageRow(k, 8), languageRow(k, 44), languageRow(k, 10)});
        if (!leftOut.isEmpty())
            expected[names.indexOf(leftOut)] = window.caption(leftOut); // no such control now
        QCOMPARE(window.captions(names), expected);
        QCOMPARE(window.captions(untouched), before);
        // Every menu and menu entry has a caption to read.
        QList<QAction*> entries = window.window.menuBar()->actions();
        for (QMenu* menu : window.window.findChildren<QMenu*>())
            entries += menu->actions();
        for (QAction* entry : entries)
            QVERIFY2(
                entry->isSeparator() || !entry->text().isEmpty(),
                qPrintable((entry->menu() ? entry->menu()->objectName() : entry->objectName()) + " has no caption"));
        QCOMPARE(window.window.windowTitle(), title);
        QCOMPARE(window.identifications, atStartUp ? 0 : 1);
        QCOMPARE(window.statusTexts, QStringList{QString()});
        QCOMPARE(errors.reports.size(), leftOut.isEmpty() ? 0 : 1);
        for (const RecordingErrorHandler::Report& report : errors.reports) {
            QCOMPARE(report.source, "TranslateFrmMain");
            QVERIFY2(report.description.contains(leftOut), qPrintable(report.description));
        }
    }
};

KRVNM_REGISTER_TEST(MainWindowTranslationTest)
#include "MainWindowTranslationTest.moc"

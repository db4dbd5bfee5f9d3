#include "CaptionFit.h"
#include "MainWindowProbe.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "app/Failure.h"
#include "app/MainCommands.h"
#include "lang/LanguageStrings.h"
#include "lang/UserLanguage.h"
#include "net/DownloadEngine.h"
#include "ui/ErrorDialogHandler.h"
#include "ui/OptionsDialog.h"

#include <QPushButton>
#include <QTest>

class CaptionFitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyCaptionFits_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("k");
        for (const char* window : {"frmMain", "frmOptions", "frmError"})
            for (int k = 0; k < BuiltinStrings::LanguageCount; ++k)
                QTest::addRow("%s %s", window,
                              qPrintable(BuiltinStrings::compiled().lookup(600 + k)->section(QLatin1Char('-'), 2)))
                    << QString::fromLatin1(window) << k;
    }

    void everyCaptionFits()
    {
        QFETCH(QString, window);
        QFETCH(int, k);
        FakeServices fakes;
        fakes.platform.nameLanguagesAsWindows();
        AppState state;
        readUserLocale(state, fakes.services.strings, fakes.platform);
        state.languageIndex = static_cast<std::uint8_t>(k);
        loadLanguageStrings(state, fakes.services.strings);
        QStringList cut;
        if (window == QLatin1String("frmMain")) {
            AppFixture app;
            app.settings.values.insert(QStringLiteral("Language"),
                                       BuiltinStrings::compiled().lookup(600 + k)->section(QLatin1Char('-'), 2));
            MainWindow& main = app.startWindow();
            // The stored language captions the window from the start.
            QCOMPARE(main.findChild<QPushButton*>("cmdExit")->text(), languageRow(k, 5));
            cut = cutCaptions(main);
            // Busy mid-download: the progress with its speed and time left is read whole.
            app.app->commands().enableControls(false);
            app.app->engine().setDownloadStatus(app.app->engine().progressLabel(120 << 20, 190 << 20, 4.2e6));
            cut += cutCaptions(main);
        } else if (window == QLatin1String("frmOptions")) {
            state.connectionType = 2;
            state.useProxyAuth = 1;
            MainWindowProbe mainWindow;
            OptionsDialog dialog(state, fakes.services, mainWindow);
            cut = cutCaptions(dialog);
        } else {
            ErrorDialogHandler handler(state, fakes.platform, fakes.dialogs, fakes.services.strings);
            fakes.dialogs.onModal = [&](QDialog& dialog) {
                cut = cutCaptions(dialog);
                return 0;
            };
            handler.handleError(QStringLiteral("frmMain Load"),
                                Failure(FailureCode::PathAccess, QStringLiteral("Path not found")));
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }
};

KRVNM_REGISTER_TEST(CaptionFitTest)
#include "CaptionFitTest.moc"

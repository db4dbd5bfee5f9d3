#include "CaptionFit.h"
#include "AppFixture.h"
#include "FakeServices.h"
#include "MainWindowProbe.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "app/Failure.h"
#include "lang/LanguageStrings.h"
#include "lang/UserLanguage.h"
#include "ui/ErrorDialogHandler.h"
#include "ui/OptionsDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

class CaptionFitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkFindsCutCaptions_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("size"); // fixed; a height of 1: one line of text, 0: as laid out
        QTest::addColumn<int>("cut");
        const QString text = QStringLiteral("Une légende bien plus longue que la place qu'on lui donne");
        QTest::newRow("button in a layout") << "QPushButton" << text << QSize() << 0;
        QTest::newRow("narrow button") << "QPushButton" << text << QSize(60, 0) << 1;
        QTest::newRow("narrow label") << "QLabel" << text << QSize(50, 0) << 1;
        QTest::newRow("wrapped label given too few lines") << "wrapped QLabel" << text << QSize(120, 1) << 1;
        QTest::newRow("wrapped word wider than the label") << "wrapped QLabel"
                                                           << "Internetverbindungseinstellungen" << QSize(60, 200) << 1;
        QTest::newRow("narrow group title") << "QGroupBox" << text << QSize(60, 0) << 1;
    }

    // One caption in a small window, fitting or not.
    void checkFindsCutCaptions()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(QSize, size);
        QFETCH(int, cut);
        QWidget window;
        QWidget* control = type == QLatin1String("QPushButton") ? new QPushButton(text)
                           : type == QLatin1String("QGroupBox") ? static_cast<QWidget*>(new QGroupBox(text))
                                                                : new QLabel(text);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setWordWrap(type.startsWith(QLatin1String("wrapped")));
        (new QVBoxLayout(&window))->addWidget(control);
        if (size.height() == 1)
            size.setHeight(control->fontMetrics().height() + 2);
        if (size.height() > 0)
            control->setFixedSize(size);
        else if (size.width() > 0)
            control->setFixedWidth(size.width());
        const QStringList found = cutCaptions(window);
        QVERIFY2(found.size() == cut, qPrintable(found.join(QLatin1Char('\n'))));
    }

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

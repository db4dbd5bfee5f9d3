#include "CaptionFit.h"
#include "AppFixture.h"
#include "FakeServices.h"
#include "MainWindowProbe.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "app/Failure.h"
#include "lang/LanguageStrings.h"
#include "lang/UserLanguage.h"
#include "sysinfo/WindowsLocales.h"
#include "ui/ErrorDialogHandler.h"
#include "ui/frmOptions.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

namespace {

using WindowMaker = std::function<QWidget*(QWidget* parent)>;

// One caption in a small window, fitting or not.
QWidget* Window(const WindowMaker& makeControl)
{
    auto* window = new QWidget;
    window->setObjectName(QStringLiteral("window"));
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(makeControl(window));
    return window;
}

QString LongText()
{
    return QStringLiteral("Une légende bien plus longue que la place qu'on lui donne");
}

} // namespace

Q_DECLARE_METATYPE(WindowMaker)

class CaptionFitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkFindsCutCaptions_data()
    {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<int>("cut");
        QTest::newRow("button in a layout")
            << WindowMaker([](QWidget* p) { return new QPushButton(LongText(), p); }) << 0;
        QTest::newRow("narrow button") << WindowMaker([](QWidget* p) {
            auto* button = new QPushButton(LongText(), p);
            button->setFixedWidth(60);
            return button;
        }) << 1;
        QTest::newRow("narrow label") << WindowMaker([](QWidget* p) {
            auto* label = new QLabel(LongText(), p);
            label->setMaximumWidth(50);
            return label;
        }) << 1;
        QTest::newRow("wrapped label given too few lines") << WindowMaker([](QWidget* p) {
            auto* label = new QLabel(LongText(), p);
            label->setWordWrap(true);
            label->setFixedSize(120, label->fontMetrics().height() + 2);
            return label;
        }) << 1;
        QTest::newRow("wrapped word wider than the label") << WindowMaker([](QWidget* p) {
            auto* label = new QLabel(QStringLiteral("Internetverbindungseinstellungen"), p);
            label->setWordWrap(true);
            label->setFixedSize(60, 200);
            return label;
        }) << 1;
        QTest::newRow("narrow group title") << WindowMaker([](QWidget* p) {
            auto* group = new QGroupBox(LongText(), p);
            group->setFixedWidth(60);
            return group;
        }) << 1;
    }

    void checkFindsCutCaptions()
    {
        QFETCH(WindowMaker, make);
        QFETCH(int, cut);
        std::unique_ptr<QWidget> window(Window(make));
        const QStringList found = CutCaptions(*window);
        QVERIFY2(found.size() == cut, qPrintable(found.join(QLatin1Char('\n'))));
    }

    void everyCaptionFits_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("k");
        for (const char* window : {"frmMain", "frmOptions", "frmError"})
            for (int k = 0; k < BuiltinStrings::LanguageCount; ++k)
                QTest::addRow("%s %s", window,
                              qPrintable(BuiltinStrings::Compiled().lookup(600 + k)->section(QLatin1Char('-'), 2)))
                    << QString::fromLatin1(window) << k;
    }

    void everyCaptionFits()
    {
        QFETCH(QString, window);
        QFETCH(int, k);
        FakeServices fakes;
        for (const sysapi::NamedLocale& locale : sysapi::NamedLocales())
            fakes.platform.languageNames.insert(static_cast<quint32>(locale.id),
                                                QString::fromStdWString(std::wstring(locale.displayName)));
        AppState state;
        ReadUserLocale(state, fakes.services.strings, fakes.platform);
        state.LanguageIndex = static_cast<std::uint8_t>(k);
        LoadLanguageStrings(state, fakes.services.strings);
        QStringList cut;
        if (window == QLatin1String("frmMain")) {
            AppFixture app;
            app.settings.values.insert(QStringLiteral("Language"),
                                       BuiltinStrings::Compiled().lookup(600 + k)->section(QLatin1Char('-'), 2));
            frmMain& main = app.startWindow();
            // The stored language captions the window from the start.
            QCOMPARE(main.findChild<QPushButton*>(QStringLiteral("cmdExit"))->text(), Row(k, 5));
            cut = CutCaptions(main);
        } else if (window == QLatin1String("frmOptions")) {
            state.ConnectionType = 2;
            state.UseProxyAuth = 1;
            MainWindowProbe mainWindow;
            frmOptions dialog(state, fakes.services, mainWindow);
            cut = CutCaptions(dialog);
        } else {
            ErrorDialogHandler handler(state, fakes.platform, fakes.dialogs, fakes.services.strings);
            fakes.dialogs.onModal = [&](QDialog& dialog) {
                cut = CutCaptions(dialog);
                return 0;
            };
            handler.HandleError(QStringLiteral("frmMain Load"), Failure(75, QStringLiteral("Path not found")));
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }
};

KRVNM_REGISTER_TEST(CaptionFitTest)
#include "CaptionFitTest.moc"

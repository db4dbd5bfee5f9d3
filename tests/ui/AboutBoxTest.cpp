#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "app/StringIds.h"
#include "app/Version.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "ui/AboutDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

struct AboutFixture
{
    explicit AboutFixture(int languageIndex = 0)
    {
        state.languageIndex = static_cast<std::uint8_t>(languageIndex);
        loadLanguageStrings(state, BuiltinStrings::compiled());
        state.appVersion = QStringLiteral("1.0.4");
        state.endpoints.makerServer = QStringLiteral("http://127.0.0.1:9");
        platform.displayName = QStringLiteral("Windows 11");
    }

    AboutDialog& open()
    {
        about = std::make_unique<AboutDialog>(state, platform, dialogs, BuiltinStrings::compiled());
        about->show();
        if (!QTest::qWaitForWindowExposed(about.get()))
            qWarning("the About box was not exposed");
        return *about;
    }

    QLabel* label(const char* name) const { return about->findChild<QLabel*>(QLatin1String(name)); }
    QString text(const char* name) const { return label(name)->text(); }

    AppState state;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    std::unique_ptr<AboutDialog> about;
};

bool isPlainAscii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
}

} // namespace

class AboutBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Code pages without the copyright sign get a plain-ASCII copyright line. Each row also
    // presses one link: only the left button acts, and the About box stays open.
    void showsTheLanguagesCaptionsAndLinks_data()
    {
        QTest::addColumn<int>("languageIndex");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("memory");
        QTest::addColumn<bool>("asciiCopyright");
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("noticeTitle");
        QTest::addColumn<int>("noticeRow");
        QTest::newRow("English, 1252, lblAuthor")
            << 0 << "About Korvane Manager"
            << "Physical memory available to Windows: 2.00 GB" << false << true << "lblAuthor"
            << "mailto:support@quillonworks.example?subject=KRVN%20Manager%201.0.4&body="
            << "Korvane Manager" << Str::ContactNotice;
        QTest::newRow("Korean, 949, lblWebsite")
            << 6 << "Korvane Manager 정보"
            << "Windows에서 사용 가능한 실제 메모리: 2.00 GB" << true << true << "lblWebsite"
            << QStringLiteral("http://127.0.0.1:9/korvane-manager/?utm_source=krvnm&utm_medium=app&utm_campaign=") +
                   QLatin1String(VersionDigits)
            << "" << 0;
        QTest::newRow("English, not Windows, lblInfoZip")
            << 0 << "About Korvane Manager"
            << "Physical memory available: 2.00 GB" << false << false << "lblInfoZip"
            << ""
            << "libzip" << Str::LibraryNotice;
    }

    void showsTheLanguagesCaptionsAndLinks()
    {
        QFETCH(int, languageIndex);
        QFETCH(QString, title);
        QFETCH(QString, memory);
        QFETCH(bool, asciiCopyright);
        QFETCH(bool, windows);
        QFETCH(QString, link);
        QFETCH(QString, opened);
        QFETCH(QString, noticeTitle);
        QFETCH(int, noticeRow);
        AboutFixture fixture(languageIndex);
        fixture.platform.version.queried = windows;
        AboutDialog& about = fixture.open();

        QCOMPARE(about.windowTitle(), title);
        QCOMPARE(fixture.text("lblVersion"), fixture.state.str(Str::Version) + " 1.0.4");
        QCOMPARE(fixture.text("lblMemo"), memory);
        QCOMPARE(fixture.text("lblOsName"), QStringLiteral("Windows 11"));
        const QString copyright = fixture.text("lblCopyr");
        QVERIFY2(copyright.contains(QStringLiteral("Quillon Works")), qPrintable(copyright));
        QVERIFY2(asciiCopyright ? isPlainAscii(copyright) : copyright.contains(QChar(0xa9)), qPrintable(copyright));
        QVERIFY(isPlainAscii(fixture.text("lblAuthor")));

        for (const char* link : {"lblAuthor", "lblWebsite", "lblInfoZip"})
            QCOMPARE(fixture.label(link)->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(fixture.label("lblCopyr")->cursor().shape(), Qt::ArrowCursor);

        // The program's icon is drawn beside the title.
        const QImage shot = about.grab().toImage();
        const QRgb background = shot.pixel(10, 110);
        int drawn = 0;
        for (int y = 97; y < 97 + 32; ++y)
            for (int x = 26; x < 26 + 32; ++x)
                drawn += shot.pixel(x, y) != background;
        QVERIFY2(drawn > 32 * 32 / 2, qPrintable(QStringLiteral("%1 pixels of the icon drawn").arg(drawn)));

        QLabel* label = fixture.label(qPrintable(link));
        QTest::mousePress(label, Qt::RightButton);
        QTest::mousePress(label, Qt::MiddleButton);
        QCOMPARE(fixture.platform.opened, QStringList());
        QCOMPARE(fixture.dialogs.messages.size(), 0);
        QTest::mousePress(label, Qt::LeftButton);
        QCOMPARE(fixture.platform.opened, opened.isEmpty() ? QStringList() : QStringList{opened});
        const MessageRequest notice{BuiltinStrings::compiled().lookup(noticeRow).value_or(QString()),
                                    MessageIcon::Information, MessageButtons::Ok, std::nullopt, noticeTitle};
        QCOMPARE(fixture.dialogs.messages, noticeRow ? QList{notice} : QList<MessageRequest>());
        QVERIFY2(about.isVisible(), "a link leaves the About box open");

        // The memory line follows every query of the timer, which stops with the window.
        auto* tmrMemo = about.findChild<QTimer*>("tmrMemo");
        QCOMPARE(tmrMemo->interval(), 1000);
        QVERIFY(tmrMemo->isActive());
        fixture.platform.memory.availPhys = 1536ull << 20;
        tmrMemo->setInterval(1);
        QTRY_COMPARE(fixture.text("lblMemo"), QString(memory).replace(QStringLiteral("2.00"), QStringLiteral("1.50")));
        QTest::mouseClick(about.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(!tmrMemo->isActive());
    }
};

KRVNM_REGISTER_TEST(AboutBoxTest)
#include "AboutBoxTest.moc"

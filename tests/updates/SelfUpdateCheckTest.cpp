#include "TestMain.h"
#include "UpdatesFixture.h"
#include "updates/CheckDate.h"

#include <QFileInfo>
#include <QTest>

#include <memory>

namespace {

const QString AnswerPath = "/files/updates.php";
const QString Offer = "Korvane Manager version %1 is now available! Do you want to update now?";
const QString Latest = "You are using the latest Korvane Manager version.";

QString shownText(const MessageRequest& m)
{
    return QStringLiteral("%1 | %2 | icon %3 | buttons %4").arg(m.title, m.text).arg(int(m.icon)).arg(int(m.buttons));
}

} // namespace

class SelfUpdateCheckTest : public QObject
{
    Q_OBJECT

    TestHttpServer server;
    std::unique_ptr<UpdatesFixture> f;

private Q_SLOTS:
    void initTestCase() { QVERIFY(server.start()); }

    void init()
    {
        f = std::make_unique<UpdatesFixture>(server);
        f->state.lastSelfCheckDate = "earlier";
    }

    void queryCarriesTheVersionDigits()
    {
        QCOMPARE(SelfUpdateCheck::queryAddress(f->state), server.url("/files/updates.php?idprod=krvnm&version=104"));
    }

    void answer_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("AutoLUMode");
        QTest::addColumn<Answer>("reply");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("completed");

        const QString latest = shownText({Latest, MessageIcon::Information, MessageButtons::Ok, {}});
        const QString offer = shownText({Offer.arg("1.0.3"), MessageIcon::Exclamation, MessageButtons::YesNo, {}});
        const auto row = [](const char* name, const QByteArray& body, int status, bool automatic, Answer reply,
                            const QStringList& messages, bool completed) {
            QTest::newRow(name) << body << status << automatic << reply << messages << completed;
        };
        row("same version within blanks, from the menu", "[KRVNM]\nversion=\" 1.0.4  \"\n", 200, false, Answer::Ok,
            {latest}, true);
        row("same version, automatic", "[KRVNM]\r\nversion=1.0.4\r\n", 200, true, Answer::Ok, {}, true);
        row("older version offered, No", "; published\n[krvnm]\nVersion = 1.0.3\n", 200, true, Answer::No, {offer},
            true);
        // The product page opens and the check still finishes, so the window is usable again.
        row("older version offered, Yes", "[KRVNM]\nversion=1.0.3\n", 200, false, Answer::Yes, {offer}, true);
        row("key under another section", "[OTHER]\nversion=1.0.5\n", 200, false, Answer::Ok, {}, false);
        row("not found", "<html><body>404</body></html>\n", 404, false, Answer::Ok, {}, false);
    }

    void answer()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(bool, AutoLUMode);
        QFETCH(Answer, reply);
        QFETCH(QStringList, messages);
        QFETCH(bool, completed);
        server.serveBytes(AnswerPath, body, status, "text/plain");
        f->dialogs.answers.enqueue(reply);

        f->selfCheck.checkSelfUpdate(AutoLUMode);

        QStringList shown;
        for (const MessageRequest& m : std::as_const(f->dialogs.messages))
            shown.append(shownText(m));
        QCOMPARE(shown, messages);
        const QString page = server.url("/korvane-manager/?utm_source=krvnm&utm_medium=app&utm_campaign=104");
        QCOMPARE(f->platform.opened, reply == Answer::Yes ? QStringList{page} : QStringList());
        QCOMPARE(f->state.selfCheckDone, completed);
        QCOMPARE(f->state.lastSelfCheckDate, completed ? checkDate(TestDay) : "earlier");
        QCOMPARE(SelfUpdateCheck::selfCheckDue(f->state, TestDay), !completed);
        QCOMPARE((QList<bool>{f->view.enables.first(), f->view.enables.last()}), (QList<bool>{false, true}));
        QVERIFY(f->errors.reports.isEmpty());
        // A failed download removed its file; an unusable answer stays until the next start.
        QCOMPARE(QFileInfo::exists(f->state.managerFile), !completed && status == 200);
        QCOMPARE(f->view.lines.count("Failed to connect to server."), completed ? 0 : status == 200 ? 1 : 2);
        QCOMPARE(f->view.lines.last(), QLatin1String(completed ? "Done." : "Failed to connect to server."));
        QCOMPARE(f->view.label, QLatin1String(completed ? "Updates list downloaded successfully."
                                                        : "Failed to download updates list."));
    }

    void offlineAsksNothing()
    {
        f->platform.offline = true;
        const qsizetype requests = server.requests().size();
        f->selfCheck.checkSelfUpdate(false);

        QCOMPARE(server.requests().size(), requests);
        QCOMPARE(f->view.lines, QStringList({"Failed to connect to server."}));
        QCOMPARE(f->view.label, "Failed to install new product version.");
        QVERIFY(f->dialogs.messages.isEmpty());
        QVERIFY(!f->state.selfCheckDone);
    }
};

KRVNM_REGISTER_TEST(SelfUpdateCheckTest)
#include "SelfUpdateCheckTest.moc"

#include "InstallFixture.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

namespace {

const QString StablePath = QStringLiteral("/binaries/releases/1.4.0/korvane-1.4.0-windows-win32.zip");
const QString Cancelled = QStringLiteral("Cancelled.");

// The window with its Cancel button, pressed when a status line or the download label
// holds trigger: at once, or from the event loop (deferred).
class CancellingView : public RecordingMainView
{
public:
    std::stop_token cancelToken() const override { return source.get_token(); }
    void enableControls(bool idle) override
    {
        if (!idle && source.stop_requested())
            source = std::stop_source();
        RecordingMainView::enableControls(idle);
    }
    void addStatusLine(const QString& line) override
    {
        RecordingMainView::addStatusLine(line);
        pressOn(line);
    }
    void setDownloadLabel(const QString& text) override
    {
        RecordingMainView::setDownloadLabel(text);
        pressOn(text);
    }
    void pressOn(const QString& text)
    {
        if (trigger.isEmpty() || !text.contains(trigger, Qt::CaseInsensitive))
            return;
        trigger.clear();
        if (deferred)
            QTimer::singleShot(0, [this] { source.request_stop(); });
        else
            source.request_stop();
    }

    std::stop_source source;
    QString trigger;
    bool deferred = false;
};

// Answers the password question, then offers the window its prompt to press Cancel on: the
// last entry is in, the moves come next.
class PasswordThenCancel : public ScriptedDialogs
{
public:
    explicit PasswordThenCancel(CancellingView& view) : view(view) {}
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        const std::optional<QString> answer = ScriptedDialogs::inputBox(prompt, title, defaultText);
        view.pressOn(prompt);
        return answer;
    }
    CancellingView& view;
};

struct CancelFixture : InstallFixture
{
    CancelFixture() { cancellable.setRecords(&records); }

    CancellingView window;
    PasswordThenCancel passwords{window};
    DownloadEngine cancellable{state, transfer, platform, services.timings.download, window, window};
    EngineExtractionView shown{cancellable, window};
    ZipExtractor unzip{state, passwords, shown};
    Installer install{state, services, cancellable, unzip, detection, window, window.views()};
};

} // namespace

class CancelInstallTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Nothing is asked and nothing is lost: the game folder is as it was, the window idle,
    // a cut download is kept for the resume and a fetched archive for the next try.
    void cancelAtEachPhase_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("deferred");
        QTest::addColumn<bool>("partKept");
        QTest::addColumn<bool>("archiveKept");
        QTest::addColumn<QString>("undone");
        QTest::newRow("while connecting") << "Connecting to server..." << true << false << false << "";
        QTest::newRow("mid-download") << "KB downloaded" << false << true << false << "";
        QTest::newRow("mid-extraction") << "locked.txt" << false << false << true << "";
        QTest::newRow("during the moves")
            << "Please Enter The Password." << false << false << true
            << "The last installation was undone: the game folder is as it was before it.";
    }
    void cancelAtEachPhase()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, deferred);
        QFETCH(bool, partKept);
        QFETCH(bool, archiveKept);
        QFETCH(QString, undone);
        CancelFixture f;
        QVERIFY(f.serving);
        const QByteArray archive = lockedArchive(f);

        if (trigger.startsWith("Connecting"))
            f.server.serveNeverAnswered(StablePath);
        else
            f.server.serveResumable(StablePath, archive, {});
        f.state.latestStable = "1.4.0";
        writeGame(f.state.krvnPath, "korvane.exe", "1.0.0");
        QVERIFY(writeFile(f.state.krvnPath + "save/game1.sav", "saved"));
        const auto before = snapshot(f.state.krvnPath);
        f.window.trigger = trigger;
        f.window.deferred = deferred;
        f.passwords.inputs.enqueue(QStringLiteral("secret"));

        f.install.installProduct(0);

        QVERIFY2(f.window.lines.last() == Cancelled, qPrintable(f.window.lines.join(" | ")));
        QCOMPARE(f.window.lines.contains(undone), !undone.isEmpty());
        QCOMPARE(f.window.lines.filter("error", Qt::CaseInsensitive), QStringList());
        QCOMPARE(f.window.label, Cancelled);
        QCOMPARE(f.window.enables, (QList<bool>{false, true}));
        QCOMPARE(f.messageTexts(), QStringList());
        QCOMPARE(f.reportSources(), QStringList());
        QCOMPARE(snapshot(f.state.krvnPath), before);
        const QString local = f.state.workFolder + "korvane-1.4.0-windows-win32.zip";
        QCOMPARE(QFileInfo::exists(local + ".part"), partKept);
        QCOMPARE(!f.records.partial(QFileInfo(local).fileName()).url.isEmpty(), partKept);
        QCOMPARE(QFileInfo::exists(local), archiveKept);
        QCOMPARE(f.passwords.inputPrompts.size(), trigger.startsWith("Please") ? 1 : 0);

        // The next try goes on from what the cancelled one kept.
        f.passwords.inputs.enqueue(QStringLiteral("secret"));
        f.answer({Answer::Ok, Answer::No});
        f.server.serveResumable(StablePath, archive, {});
        const qsizetype fetched = f.fileRequests().size();
        f.install.installProduct(0);
        QVERIFY2(f.window.lines.contains("New version installed successfully."), qPrintable(f.window.lines.join('|')));
        QCOMPARE(f.window.lines.filter(QRegularExpression("^Resuming at [1-9][0-9]* KB\\.$")).size(), partKept ? 1 : 0);
        QCOMPARE(f.fileRequests().size() - fetched, archiveKept ? 0 : 1);
    }

private:
    // The game, 9 MB that the transfer cannot hold at once, and last an entry behind a
    // password: the extraction waits for its answer, so a Cancel lands before the moves.
    static QByteArray lockedArchive(CancelFixture& f)
    {
        const QString source = f.folder("scratch/locked");
        writeGame(source, "korvane.exe", "1.4.0");
        QByteArray noise(9 << 20, Qt::Uninitialized);
        QRandomGenerator(25).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        if (!writeFile(source + "data/noise.bin", noise) || !writeFile(source + "locked.txt", "locked"))
            return {};
        const QString zip = f.temp.filePath("locked.zip");
        QString failure = runTool("zip", {"-q", "-0", "-r", zip, "korvane.exe", "data"}, source);
        failure += runTool("zip", {"-q", "-P", "secret", zip, "locked.txt"}, source);
        if (!failure.isEmpty())
            QTest::qFail(qPrintable("zip: " + failure), __FILE__, __LINE__);
        return readFile(zip);
    }
};

KRVNM_REGISTER_TEST(CancelInstallTest)
#include "CancelInstallTest.moc"

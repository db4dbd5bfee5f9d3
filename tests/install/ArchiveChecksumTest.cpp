#include "InstallFixture.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QTest>

namespace {

const QString Name = QStringLiteral("korvane-1.4.0-windows-win32.zip");
const QString ArchivePath = QStringLiteral("/binaries/releases/1.4.0/") + Name;
const QString Verified = QStringLiteral("Checksum verified.");
const QString NotVerified = QStringLiteral("No checksum published; the archive was not verified.");
const QString Mismatch = QStringLiteral("The file ") + Name +
                         QStringLiteral(" does not match its published checksum. It was deleted and nothing was "
                                        "installed.");
const QString Required = QStringLiteral("No checksum is published for ") + Name +
                         QStringLiteral(". Nothing was installed, because checksums are required.");

enum class Cached
{
    Nothing,
    Planted,  // bytes nobody recorded, as another user of the machine may leave them
    Recorded, // the archive this program downloaded earlier
    PlantedCopy
};

} // namespace

// Verification before anything is unpacked, and what an archive already in the work
// folder has to be to be used again. The archive served is always the real build.
class ArchiveChecksumTest : public InstallTest
{
    Q_OBJECT

private Q_SLOTS:
    void verifiesBeforeInstalling_data()
    {
        QTest::addColumn<QString>("published"); // what <archive>.sha256 holds: "real", "other", text; "404"
        QTest::addColumn<bool>("required");     // REQUIRECHECKSUM
        QTest::addColumn<Cached>("cached");
        QTest::addColumn<bool>("downloaded");
        QTest::addColumn<QString>("outcome"); // the status line of the check, or the refusal's message box

        const auto row = [](const char* name, const QString& published, bool required, Cached cached, bool downloaded,
                            const QString& outcome) {
            QTest::newRow(name) << published << required << cached << downloaded << outcome;
        };
        row("match as sha256sum -b writes it, upper case", "REAL *", false, Cached::Nothing, true, Verified);
        row("mismatch", "other", false, Cached::Nothing, true, Mismatch);
        row("none published", "404", false, Cached::Nothing, true, NotVerified);
        row("malformed: 63 digits", "short", false, Cached::Nothing, true, NotVerified);
        row("a page instead of a checksum", "<html><body>Moved</body></html>", false, Cached::Nothing, true,
            NotVerified);
        row("larger than 4 KiB", "huge", false, Cached::Nothing, true, NotVerified);
        row("none published, checksums required", "404", true, Cached::Nothing, false, Required);
        row("match, checksums required", "real", true, Cached::Nothing, true, Verified);
        row("planted archive, none published", "404", false, Cached::Planted, true, NotVerified);
        row("recorded archive, none published", "404", false, Cached::Recorded, false, NotVerified);
        row("planted archive, published checksum", "real", false, Cached::Planted, true, Verified);
        row("planted copy of the published one", "real", false, Cached::PlantedCopy, false, Verified);
    }
    void verifiesBeforeInstalling()
    {
        QFETCH(QString, published);
        QFETCH(bool, required);
        QFETCH(Cached, cached);
        QFETCH(bool, downloaded);
        QFETCH(QString, outcome);
        const auto sha256 = InstallFixture::sha256;
        const QByteArray archive = f->buildArchive("1.4.0");
        f->server.serveBytes(ArchivePath, archive);
        QByteArray checksum = published.toUtf8();
        if (published.startsWith("real"))
            checksum = sha256(archive) + "  " + Name.toUtf8() + "\n";
        else if (published.startsWith("REAL"))
            checksum = sha256(archive).toUpper() + " *" + Name.toUtf8() + "\n";
        else if (published == "other")
            checksum = sha256("something else");
        else if (published == "short")
            checksum = sha256(archive).left(63);
        else if (published == "huge")
            checksum = sha256(archive) + "  " + QByteArray(4096, 'x').toUpper();
        if (published != "404")
            f->server.serveBytes(ArchivePath + ".sha256", checksum, 200, "text/plain");
        f->state.latestStable = "1.4.0";
        f->state.requireChecksum = required ? 1 : 0;
        const QString local = f->state.workFolder + Name;
        if (cached == Cached::Planted)
            QVERIFY(writeFile(local, f->buildArchive("6.6.6")));
        else if (cached == Cached::Recorded || cached == Cached::PlantedCopy)
            QVERIFY(writeFile(local, archive));
        if (cached == Cached::Recorded)
            f->recordDownload(Name, archive);
        f->answer({Answer::Ok, Answer::No});

        f->installer.installProduct(0);

        const bool installed = outcome == Verified || outcome == NotVerified;
        QCOMPARE(f->fileRequests().contains(ArchivePath), downloaded);
        QCOMPARE(f->state.krvnVersion, QLatin1String(installed ? "1.4.0" : ""));
        QCOMPARE(readFile(local), installed ? archive : QByteArray());
        QVERIFY(!QFileInfo::exists(f->state.workFolder + "checksum.tmp"));
        if (installed) {
            QVERIFY2(f->view.lines.contains(outcome), qPrintable(f->view.lines.join(" | ")));
            if (cached != Cached::PlantedCopy)
                QCOMPARE(f->records.digest(Name), sha256(archive));
        } else {
            QCOMPARE(f->messageTexts(), QStringList{outcome});
            QCOMPARE(f->view.lines.last(), outcome);
            QCOMPARE(f->view.icons.last(), QStringLiteral("0 error Installation failed"));
            QCOMPARE(f->records.digest(Name), QByteArray());
        }
        QCOMPARE(f->view.label, QStringLiteral("Done."));
        QCOMPARE(f->reportSources(), QStringList{});
    }
};

KRVNM_REGISTER_TEST(ArchiveChecksumTest)
#include "ArchiveChecksumTest.moc"

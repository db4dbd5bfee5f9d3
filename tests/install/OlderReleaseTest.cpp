#include "InstallFixture.h"
#include "TestMain.h"

#include <QTest>

class OlderReleaseTest : public InstallTest
{
    Q_OBJECT

    // Releases 1.0.0 to 1.0.<count - 2> and the empty closing record.
    void listReleases(int count)
    {
        f->state.olderReleases.clear();
        for (int i = 0; i < count - 1; ++i)
            f->state.olderReleases.append({QStringLiteral("1.0.%1").arg(i), "2020-01-01"});
        f->state.olderReleases.append(ReleaseRecord{});
    }

private Q_SLOTS:
    // The pick itself is checked through the window (MainWindowTest::olderReleasePick).
    void withoutValidSelectionThePreviousPickIsInstalled()
    {
        listReleases(12);
        f->server.serveBytes("/binaries/releases/1.0.2/korvane-1.0.2-windows-win32.zip", f->buildArchive("1.0.2"));
        f->answer({Answer::Ok, Answer::No, Answer::Ok, Answer::No});
        f->view.restoreIndex = 2;
        f->installer.installProduct(Installer::OlderRelease);
        QCOMPARE(f->installer.selectedVersion(), QStringLiteral("1.0.2"));

        f->view.restoreIndex = -1;
        f->installer.installProduct(Installer::OlderRelease);

        QCOMPARE(f->installer.selectedVersion(), QStringLiteral("1.0.2"));
        QCOMPARE(f->requestPaths().size(), 1);
        QCOMPARE(f->view.lines.last(), QStringLiteral("New version installed successfully."));
        QCOMPARE(f->reportSources(), QStringList{"LiveUpdateNow - ProductID #3"});
    }
};

KRVNM_REGISTER_TEST(OlderReleaseTest)
#include "OlderReleaseTest.moc"

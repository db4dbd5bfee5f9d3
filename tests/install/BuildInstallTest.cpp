#include "InstallFixture.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QTest>

#include <memory>

namespace {

const QString Installed = QStringLiteral("New version installed successfully.");
const QString UnzipFailed = QStringLiteral("Failed to unzip file, please try again.");
const QString BaseSetQuestion =
    QStringLiteral("Original graphics and music resources not found, download now? (recommended)");
const QString StablePath = QStringLiteral("/binaries/releases/1.4.0/korvane-1.4.0-windows-win32.zip");

} // namespace

class BuildInstallTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<InstallFixture> f;

    // Serves the build of version at path and names it as the product's version.
    void serveBuild(int product, const QString& version, const QString& path)
    {
        f->server.serveBytes(path, f->buildArchive(version, {{"readme.txt", "new"}}));
        if (product == 0)
            f->state.LatestStable = version;
        else if (product == 2)
            f->state.LatestNightly = version;
        else
            f->state.OlderReleases = {{"1.3.4", "2024-01-01"}, {version, "2023-06-01"}, {}};
        f->view.restoreIndex = 1;
    }

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<InstallFixture>();
        QVERIFY(f->serving);
    }
    void cleanup() { f.reset(); }

    // A channel's row is marked again by the detection that follows; an older release's is not.
    void installsTheProductsBuild_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("version");
        QTest::newRow("stable") << 0 << "1.4.0";
        QTest::newRow("older release") << 3 << "1.3.3";
    }
    void installsTheProductsBuild()
    {
        QFETCH(int, product);
        QFETCH(QString, version);
        const QString name = "korvane-" + version + "-windows-win32.zip";
        serveBuild(product, version, "/binaries/releases/" + version + "/" + name);
        f->answer({Answer::Ok, Answer::No});

        f->installer.LiveUpdateNow(static_cast<std::uint8_t>(product));

        QVERIFY(QFileInfo(f->state.WorkFolder + name).isFile());
        QCOMPARE(f->state.KrvnVersion, version);
        QCOMPARE(f->view.versionText, "Korvane " + version + " detected.");
        QCOMPARE(ReadFile(f->state.KrvnPath + "readme.txt"), QByteArray("new"));
        const QString row = QString::number(product), installed = row + " installed Now Installed";
        QStringList stages{row + " downloading Downloading...", row + " wait Please wait...", installed};
        if (product < 3)
            stages.append(installed);
        QCOMPARE(f->view.icons, stages);
        QCOMPARE(f->view.lines.last(), Installed);
        QCOMPARE(f->messageTexts(),
                 (QStringList{"The requested Korvane version has been installed at:\r\n" + f->state.KrvnPath,
                              BaseSetQuestion}));
        QCOMPARE(f->view.enables, (QList<bool>{false, true}));
        QCOMPARE(f->reportSources(), QStringList{});
    }

    void cachedArchiveInstallsWithoutRequest()
    {
        f->state.LatestStable = "1.4.0";
        WriteFile(f->state.WorkFolder + "korvane-1.4.0-windows-win32.zip", f->buildArchive("1.4.0"));
        f->answer({Answer::Ok, Answer::No, Answer::Ok, Answer::No});

        for (int run = 0; run < 2; ++run) {
            f->installer.LiveUpdateNow(0);
            QCOMPARE(f->view.label, QStringLiteral("Done."));
        }
        QCOMPARE(f->requestPaths(), QStringList{});
        QCOMPARE(f->state.KrvnVersion, QStringLiteral("1.4.0"));
    }

    void nightlyWarning_data()
    {
        QTest::addColumn<bool>("nightlySelected");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<int>("requests");
        QTest::newRow("row selected, Cancel") << true << QList<Answer>{Answer::Cancel} << 0;
        QTest::newRow("row not selected") << false << QList<Answer>{Answer::Ok, Answer::No} << 1;
    }
    void nightlyWarning()
    {
        QFETCH(bool, nightlySelected);
        QFETCH(QList<Answer>, answers);
        QFETCH(int, requests);
        serveBuild(2, "r26400", "/binaries/nightlies/trunk/r26400/korvane-trunk-r26400-windows-win32.zip");
        f->view.selectedRow = nightlySelected ? 2 : 0;
        f->answer(answers);
        f->view.lines = {"earlier line"};

        f->installer.LiveUpdateNow(2);

        QCOMPARE(f->requestPaths().size(), requests);
        QCOMPARE(f->messageTexts().contains("Warning: Nightly versions may be unstable or cause problems. Do you want "
                                            "to proceed anyway?"),
                 nightlySelected);
        if (requests == 0) {
            QCOMPARE(f->view.enables, QList<bool>{});
            QCOMPARE(f->view.lines, QStringList{"earlier line"});
            QCOMPARE(f->view.icons, QStringList{});
            QCOMPARE(f->dialogs.messages.at(0).buttons, MessageButtons::OkCancel);
        }
    }

    void folderQuestion_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("installedInto");
        QTest::newRow("drive root") << QString("drive_d") << QString("drive_d/Korvane");
        QTest::newRow("drive root, no separator") << QString("drive_d!") << QString("drive_d/Korvane");
        QTest::newRow("ordinary folder") << QString("games") << QString("games");
        QTest::newRow("cancelled") << QString() << QString();
    }
    void folderQuestion()
    {
        QFETCH(QString, picked);
        QFETCH(QString, installedInto);
        const QString driveD = f->folder("drive_d");
        f->platform.driveRoots['D'] = picked.endsWith('!') ? driveD.chopped(1) : driveD;
        f->state.KrvnPath.clear();
        serveBuild(0, "1.4.0", StablePath);
        f->dialogs.folders.enqueue(picked.isEmpty() ? QString() : f->folder(picked.remove('!')));
        f->answer({Answer::Ok, Answer::No});

        f->installer.LiveUpdateNow(0);

        QCOMPARE(f->dialogs.folderTitles, QStringList{"Select the folder where Korvane will be installed."});
        QCOMPARE(f->requestPaths().size(), installedInto.isEmpty() ? 0 : 1);
        QCOMPARE(f->view.enables, (installedInto.isEmpty() ? QList<bool>{} : QList<bool>{false, true}));
        if (!installedInto.isEmpty())
            QVERIFY(QFileInfo(f->folder(installedInto) + "korvane.exe").isFile());
    }

    void failedExtractionStillOffersBaseSet()
    {
        f->state.LatestStable = "1.4.0";
        f->server.serveBytes(StablePath, "this is no zip archive");
        f->answer({Answer::Ok, Answer::No});

        f->installer.LiveUpdateNow(0);

        QCOMPARE(f->messageTexts(), (QStringList{UnzipFailed, BaseSetQuestion}));
        QCOMPARE(f->dialogs.messages.at(0).icon, MessageIcon::Exclamation);
        QCOMPARE(f->view.icons.last(), QStringLiteral("0 error Installation failed"));
        QCOMPARE(f->view.lines.last(), UnzipFailed);
        QVERIFY2(!QFileInfo::exists(f->state.WorkFolder + "korvane-1.4.0-windows-win32.zip"),
                 "a damaged archive is fetched afresh next time");
        QCOMPARE(f->view.enables, (QList<bool>{false, true}));
    }

    // The refused names themselves are listed where the address is built.
    void refusesVersionsThatAreNoPlainName()
    {
        f->state.LatestStable = "../../elsewhere";

        f->installer.LiveUpdateNow(0);

        QCOMPARE(f->requestPaths(), QStringList{});
        QCOMPARE(f->view.lines, QStringList{"Failed to install new product version."});
        QCOMPARE(f->view.icons, QStringList{"0 error Installation failed"});
        QCOMPARE(f->view.enables, (QList<bool>{false, true}));
        QCOMPARE(f->reportSources(), QStringList{"LiveUpdateNow - ProductID #0"});
        QCOMPARE(QDir(f->state.WorkFolder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});
    }

    void offlineStopsBeforeAnything()
    {
        f->platform.offline = true;
        serveBuild(0, "1.4.0", StablePath);

        f->installer.LiveUpdateNow(0);

        QCOMPARE(f->requestPaths(), QStringList{});
        QCOMPARE(f->view.lines, QStringList{"Failed to connect to server."});
        QCOMPARE(f->view.label, QStringLiteral("Failed to install new product version."));
        QCOMPARE(f->view.enables, QList<bool>{true});
    }
};

KRVNM_REGISTER_TEST(BuildInstallTest)
#include "BuildInstallTest.moc"

#include "InstallFixture.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QTest>

#include <memory>

namespace {

const QString Extracted = QStringLiteral("Files extracted OK.");
const QString Installed = QStringLiteral("New version installed successfully.");
const QString UnzipFailed = QStringLiteral("Failed to unzip file, please try again.");
const QString BaseSetQuestion =
    QStringLiteral("Original graphics and music resources not found, download now? (recommended)");

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
        else if (product == 1)
            f->state.LatestBeta = version;
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

    void installsTheProductsBuild_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("platform");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("localName");
        QTest::newRow("stable, Win64") << 0 << 2 << "1.4.0"
                                       << "/binaries/releases/1.4.0/korvane-1.4.0-windows-win64.zip"
                                       << "korvane-1.4.0-windows-win64.zip";
        QTest::newRow("beta, Win32") << 1 << 1 << "1.5.0-RC1"
                                     << "/binaries/releases/1.5.0-RC1/korvane-1.5.0-RC1-windows-win32.zip"
                                     << "korvane-1.5.0-RC1-windows-win32.zip";
        QTest::newRow("nightly, Win9x") << 2 << 0 << "r26400"
                                        << "/binaries/nightlies/trunk/r26400/korvane-trunk-r26400-windows-win9x.zip"
                                        << "korvane-trunk-r26400-windows-win9x.zip";
        QTest::newRow("older release, unknown platform") << 3 << 7 << "1.3.3"
                                                         << "/binaries/releases/1.3.3/korvane-1.3.3-windows-win64.zip"
                                                         << "korvane-1.3.3-windows-win64.zip";
    }
    void installsTheProductsBuild()
    {
        QFETCH(int, product);
        QFETCH(int, platform);
        QFETCH(QString, version);
        QFETCH(QString, path);
        QFETCH(QString, localName);
        f->state.PlatformIndex = platform;
        serveBuild(product, version, path);
        f->answer({Answer::Ok, Answer::No});

        f->installer.LiveUpdateNow(static_cast<std::uint8_t>(product));

        QCOMPARE(f->requestPaths(), QStringList{path});
        QVERIFY(QFileInfo(f->state.WorkFolder + localName).isFile());
        QCOMPARE(f->state.KrvnVersion, version);
        QCOMPARE(f->view.versionText, "Korvane " + version + " detected.");
        QCOMPARE(ReadFile(f->state.KrvnPath + "readme.txt"), QByteArray("new"));
        // The detection marks a channel's row again after reading the installed file.
        const QString row = QString::number(product);
        const QString installed = row + " installed Now Installed";
        QStringList stages{row + " downloading Downloading...", row + " wait Please wait...", installed};
        if (product < 3)
            stages.append(installed);
        QCOMPARE(f->view.icons, stages);
        QCOMPARE(f->view.lines.mid(f->view.lines.size() - 2), (QStringList{Extracted, Installed}));
        QCOMPARE(f->messageTexts(),
                 (QStringList{"The requested Korvane version has been installed at:\r\n" + f->state.KrvnPath,
                              BaseSetQuestion}));
        QCOMPARE(f->dialogs.messages.at(0).icon, MessageIcon::Information);
        QCOMPARE(f->view.enables, (QList<bool>{false, true}));
        QCOMPARE(f->view.label, QStringLiteral("Done."));
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
        QVERIFY(!f->view.icons.join(" ").contains("downloading"));
    }

    void nightlyWarning_data()
    {
        QTest::addColumn<bool>("nightlySelected");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<int>("requests");
        QTest::newRow("row selected, Cancel") << true << QList<Answer>{Answer::Cancel} << 0;
        QTest::newRow("row selected, OK") << true << QList<Answer>{Answer::Ok, Answer::Ok, Answer::No} << 1;
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
        QTest::newRow("drive root") << "drive_d"
                                    << "drive_d/Korvane";
        QTest::newRow("drive root, no separator") << "drive_d!"
                                                  << "drive_d/Korvane";
        QTest::newRow("ordinary folder") << "games"
                                         << "games";
        QTest::newRow("cancelled") << ""
                                   << "";
    }
    void folderQuestion()
    {
        QFETCH(QString, picked);
        QFETCH(QString, installedInto);
        const QString driveD = f->folder("drive_d");
        f->platform.driveRoots['D'] = picked.endsWith('!') ? driveD.chopped(1) : driveD;
        f->state.KrvnPath.clear();
        serveBuild(0, "1.4.0", "/binaries/releases/1.4.0/korvane-1.4.0-windows-win32.zip");
        f->dialogs.folders.enqueue(picked.isEmpty() ? QString() : f->folder(picked.remove('!')));
        f->answer({Answer::Ok, Answer::No});

        f->installer.LiveUpdateNow(0);

        QCOMPARE(f->dialogs.folderTitles, QStringList{"Select the folder where Korvane will be installed."});
        if (installedInto.isEmpty()) {
            QCOMPARE(f->requestPaths(), QStringList{});
            QCOMPARE(f->view.enables, QList<bool>{});
            return;
        }
        const QString expected = f->folder(installedInto);
        QCOMPARE(f->state.KrvnPath, expected);
        QVERIFY(QFileInfo(expected + "korvane.exe").isFile());
        QCOMPARE(f->state.KrvnVersion, QStringLiteral("1.4.0"));
    }

    void failedExtractionStillOffersBaseSet()
    {
        f->state.LatestStable = "1.4.0";
        const QString path = "/binaries/releases/1.4.0/korvane-1.4.0-windows-win32.zip";
        f->server.serveBytes(path, "this is no zip archive");
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

    void baseSetAnswer_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("linesAtEnd");
        QTest::addColumn<QList<bool>>("enables");
        QTest::newRow("No") << Answer::No << QStringList{Extracted, Installed} << QList<bool>{false, true};
        QTest::newRow("Yes") << Answer::Yes << QStringList{Extracted} << QList<bool>{false, false, true};
    }
    void baseSetAnswer()
    {
        QFETCH(Answer, answer);
        QFETCH(QStringList, linesAtEnd);
        QFETCH(QList<bool>, enables);
        serveBuild(0, "1.4.0", "/binaries/releases/1.4.0/korvane-1.4.0-windows-win32.zip");
        f->server.serveBytes("/files/krvnm_baseset.zip", f->baseSetArchive());
        f->answer({Answer::Ok, answer});

        f->installer.LiveUpdateNow(0);

        QCOMPARE(f->view.lines.mid(f->view.lines.size() - linesAtEnd.size()), linesAtEnd);
        QCOMPARE(f->view.lines.contains(Installed), answer == Answer::No);
        QCOMPARE(f->view.enables, enables);
        QCOMPARE(QFileInfo(f->state.BaseSetFolder + "sample.cat").isFile(), answer == Answer::Yes);
        QCOMPARE(f->view.label, QStringLiteral("Done."));
    }

    void refusesVersionsThatAreNoPlainName_data()
    {
        QTest::addColumn<QString>("version");
        QTest::newRow("a step up") << "..";
        QTest::newRow("folders in the name") << "../../elsewhere";
        QTest::newRow("Windows folders in the name") << "1.4.0\\..\\..\\elsewhere";
    }
    void refusesVersionsThatAreNoPlainName()
    {
        QFETCH(QString, version);
        f->state.LatestStable = version;

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
        serveBuild(1, "1.5.0", "/binaries/releases/1.5.0/korvane-1.5.0-windows-win32.zip");

        f->installer.LiveUpdateNow(1);

        QCOMPARE(f->requestPaths(), QStringList{});
        QCOMPARE(f->view.lines, QStringList{"Failed to connect to server."});
        QCOMPARE(f->view.label, QStringLiteral("Failed to install new product version."));
        QCOMPARE(f->view.enables, QList<bool>{true});
    }
};

KRVNM_REGISTER_TEST(BuildInstallTest)
#include "BuildInstallTest.moc"

#include "InstallTestSupport.h"
#include "TestMain.h"
#include "install/InstallBackup.h"
#include "install/InstallRecovery.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <unistd.h>

#include <csignal>
#include <limits>
#include <memory>

// An installation moves into the game folder only when the whole archive is extracted,
// takes everything back when a move fails or it is killed, never writes through a link,
// and keeps one undo point.
class StagedInstallTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> temp;
    QString game, outside, zip;
    QStringList undoSetup; // shell commands that take a row's setup back
    QMap<QString, QByteArray> oldVersion;

    void writeGame()
    {
        QVERIFY(writeFile(game + "a.txt", "old a"));
        QVERIFY(writeFile(game + "b.txt", "old b"));
        QVERIFY(writeFile(game + "sub/keep.txt", "keep"));
    }

    static bool shell(const QString& command) { return QProcess::execute("sh", {"-c", command}) == 0; }

    void resetGame()
    {
        QDir(game).removeRecursively();
        for (auto it = oldVersion.cbegin(); it != oldVersion.cend(); ++it)
            it.key().endsWith('/') ? void(QDir().mkpath(game + it.key()))
                                   : void(writeFile(game + it.key(), it.value()));
    }

    // Runs the installation; kills it after delayUs unless negative, counted from the
    // moment the journal appears when afterJournal. The time it ran.
    qint64 runChild(qint64 delayUs, bool afterJournal = false)
    {
        QProcess child;
        QElapsedTimer clock;
        clock.start();
        child.start(KRVNM_INSTALL_CHILD, {zip, game});
        if (!child.waitForStarted())
            return -1;
        // The files move within milliseconds; looking for the journal is the only way to
        // be there, and it ends with the child at the latest.
        while (afterJournal && !QFileInfo::exists(game + ".krvnm-journal") && child.state() == QProcess::Running &&
               !child.waitForFinished(0))
            ;
        if (delayUs >= 0) {
            // A real process stopped at a random point of its work: there is no event to wait for.
            QThread::usleep(static_cast<unsigned long>(delayUs));
            // Never pid 0 (our own process group) once the child has ended.
            if (const qint64 pid = child.processId(); pid > 0)
                ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
        child.waitForFinished();
        return clock.nsecsElapsed() / 1000;
    }

private Q_SLOTS:
    void init()
    {
        temp = std::make_unique<QTemporaryDir>();
        game = temp->filePath("game/");
        outside = temp->filePath("outside/");
        zip = temp->filePath("build.zip");
        writeGame();
        QVERIFY(writeFile(outside + "keep.txt", "keep"));
    }

    void cleanup()
    {
        for (const QString& command : std::as_const(undoSetup))
            shell(command);
        undoSetup.clear();
        temp.reset();
    }

    // Whatever in the game folder refuses the installation, the folder and everything
    // outside it end as they were, the archive is kept for the next try, and the status
    // list says why.
    void destinationFailureChangesNothing_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, const QString& setup, const QString& entries, const QString& reason) {
            QTest::newRow(name) << setup << entries << reason;
        };
        row("disk full", "tmpfs", "for i in range(3): add('big%d.bin' % i, os.urandom(600000), method=STORED)",
            "cannot write the file");
        row("read-only file, replaced after another", "chattr +i b.txt",
            "add('a.txt', b'new a')\nadd('b.txt', b'new b')\nadd('c.txt', b'c')", "cannot move aside");
        row("read-only folder", "chattr +i sub", "add('a.txt', b'new a')\nadd('sub/new.txt', b'new')",
            "cannot put in place");
        row("link to a folder outside", "ln -s ../outside data", "add('a.txt', b'new a')\nadd('data/x', b'evil')",
            "a link inside the game folder is in the way: data");
        row("link to a file outside", "ln -sf ../outside/keep.txt b.txt",
            "add('a.txt', b'new a')\nadd('b.txt', b'evil')", "a link inside the game folder is in the way: b.txt");
        row("file where the archive has a folder", "echo file > data", "add('data/x', b'new')",
            "a file stands where the archive has a folder");
    }

    void destinationFailureChangesNothing()
    {
        QFETCH(QString, setup);
        QFETCH(QString, entries);
        QFETCH(QString, reason);
        if (setup == "tmpfs") {
            if (geteuid() != 0)
                QSKIP("Mounting a 1 MiB file system needs root, which the CI runs as");
            QVERIFY2(shell("mount -t tmpfs -o size=1m tmpfs '" + game + "'"), "mount -t tmpfs failed");
            undoSetup << "umount '" + game + "'";
            writeGame();
        } else if (setup.startsWith("chattr")) {
            if (!shell("cd '" + game + "' && " + setup))
                QSKIP("The file system cannot mark files immutable (chattr +i needs root on ext4)");
            undoSetup << "cd '" + game + "' && " + QString(setup).replace("+i", "-i");
        } else {
            QVERIFY(shell("cd '" + game + "' && " + setup));
        }
        QCOMPARE(pythonZip(zip, entries), QString());
        const QMap<QString, QByteArray> before = snapshot(temp->path());

        Extraction x;
        QVERIFY(!x.extractor.unzipArchive(zip, game, true, game, "1.3.0"));

        QCOMPARE(snapshot(temp->path()), before); // the archive and any leftover of ours included
        QVERIFY(!InstallBackup::record(game));
        QVERIFY2(x.view.lines.join('\n').contains(reason, Qt::CaseInsensitive), qPrintable(x.view.lines.join('\n')));
    }

    // Only names of ours go at start; an interrupted undo is finished.
    void startRemovesOnlyOurLeftovers()
    {
        QCOMPARE(pythonZip(zip, "add('a.txt', b'new a')\nadd('d.txt', b'd')"), QString());
        QVERIFY(Extraction().extractor.unzipArchive(zip, game, true, game, "1.3.0"));
        QVERIFY(writeFile(game + ".krvnm-staging-0badf00d/files/a.txt", "staged"));
        QVERIFY(writeFile(game + ".krvnm-journal.XyZ123", "half a journal"));
        QVERIFY(writeFile(game + ".krvnmfriend", "not ours"));
        QVERIFY(writeFile(game + "krvnm-staging-1", "not ours either"));
        QVERIFY(QDir(game).rename(".krvnm-backup", ".krvnm-undo"));
        QVERIFY(QFile::rename(game + "d.txt", game + "moved-by-an-undo-that-stopped"));
        QFile::remove(game + "moved-by-an-undo-that-stopped");

        QCOMPARE(InstallRecovery::recover(game), InstallRecovery::Outcome::UndoFinished);

        QCOMPARE(snapshot(game), (QMap<QString, QByteArray>{{".krvnmfriend", "not ours"},
                                                            {"a.txt", "old a"},
                                                            {"b.txt", "old b"},
                                                            {"krvnm-staging-1", "not ours either"},
                                                            {"sub/", ""},
                                                            {"sub/keep.txt", "keep"}}));
        QVERIFY(!InstallBackup::record(game));
    }

    // Folder times beyond what a file time can hold are clamped, not wrapped around.
    void folderTimesStayInRange()
    {
        // The NTFS field's modification time, in 100 ns steps since 1601: year 60000 or so.
        QCOMPARE(pythonZip(zip,
                           "import struct\n"
                           "for name in ('far/', 'far/x.txt'):\n"
                           "    info = zipfile.ZipInfo(name, (2011, 6, 15, 12, 34, 56))\n"
                           "    info.extra = struct.pack('<HHIHHQQQ', 10, 32, 0, 1, 24, 0xFFFFFFFFFFFFFF00, 0, 0)\n"
                           "    zf.writestr(info, b'x' if name.endswith('txt') else b'')\n"),
                 QString());
        QVERIFY(Extraction().extractor.unzipArchive(zip, game, true, game, "1.3.0"));
        for (const QString& name : QStringList{"far", "far/x.txt"}) {
            const QDateTime time = QFileInfo(game + name).lastModified().toUTC();
            QVERIFY2(time.date().year() >= 2262 && time.date().year() < 2263,
                     qPrintable(name + " " + time.toString(Qt::ISODate)));
        }
    }

    // Killed at any moment: at the next start the game folder is exactly the old or exactly
    // the new version, never a mix, and nothing of ours is left but the undo point of a
    // finished installation.
    void killedAtRandomMoments()
    {
        for (int i = 0; i < 60; ++i)
            oldVersion.insert(QString("data/f%1.dat").arg(i), QByteArray("old ") + QByteArray::number(i));
        oldVersion.insert("data/", {});
        oldVersion.insert("keep.txt", "the user's own");
        QVERIFY(pythonZip(zip, "for i in range(60): add('data/f%d.dat' % i, b'new %d' % i)\n"
                               "for i in range(60): add('more/g%d.dat' % i, b'added %d' % i)\n"
                               "add('more/deeper/h.dat', b'h')")
                    .isEmpty());
        qint64 fullRun = std::numeric_limits<qint64>::max();
        for (int run = 0; run < 3; ++run) {
            resetGame();
            fullRun = std::min(fullRun, runChild(-1));
        }
        QVERIFY(fullRun > 0);
        QMap<QString, QByteArray> newVersion = snapshot(game);
        QCOMPARE(newVersion.value("data/f7.dat"), QByteArray("new 7"));

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int oldSeen = 0, newSeen = 0, undone = 0;
        for (int run = 0; run < 50; ++run) {
            resetGame();
            // Half of the runs are stopped while the files move, one in ten is not stopped
            // at all (so a loaded machine still sees whole installations), the rest at any
            // moment of the whole run.
            if (run % 2)
                runChild(qint64(random.bounded(1500)), true);
            else if (run % 10 == 4)
                runChild(-1);
            else
                runChild(qint64(fullRun * random.generateDouble()));

            undone += InstallRecovery::recover(game) == InstallRecovery::Outcome::InstallationUndone ? 1 : 0;
            const QMap<QString, QByteArray> found = snapshot(game);
            const QString context = QString("run %1, seed %2").arg(run).arg(seed);
            if (found == oldVersion) {
                ++oldSeen;
                QVERIFY2(!InstallBackup::record(game), qPrintable(context));
                continue;
            }
            QVERIFY2(found == newVersion, qPrintable(context + ": a mix of old and new files, or leftovers of ours"));
            ++newSeen;
            QVERIFY2(InstallBackup::restore(game), qPrintable(context));
            QVERIFY2(snapshot(game) == oldVersion, qPrintable(context + ": the undo did not go back"));
        }
        qInfo("old %d, new %d, of the old ones taken back from the journal %d", oldSeen, newSeen, undone);
        QVERIFY2(oldSeen > 0 && newSeen > 0 && undone > 0, "the kills did not reach every part of the installation");
    }
};

KRVNM_REGISTER_TEST(StagedInstallTest)
#include "StagedInstallTest.moc"

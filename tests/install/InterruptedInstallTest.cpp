#include "InstallTestSupport.h"
#include "TestMain.h"
#include "install/InstallBackup.h"
#include "install/InstallRecovery.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <limits>

// An installation killed at any moment: at the next start the game folder is exactly the
// old or exactly the new version, never a mix, and nothing of ours is left but the undo
// point of a finished installation.
class InterruptedInstallTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QString game = temp.filePath("game/");
    QString zip = temp.filePath("build.zip");
    QMap<QString, QByteArray> oldVersion;

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

KRVNM_REGISTER_TEST(InterruptedInstallTest)
#include "InterruptedInstallTest.moc"

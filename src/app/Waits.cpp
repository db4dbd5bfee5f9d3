#include "app/Waits.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

void wait(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // A timer may fire a little early; wait out any remainder so the full time passes.
    for (qint64 left = milliseconds; left > 0; left = milliseconds - clock.elapsed()) {
        timer.start(static_cast<int>(left));
        if (loop.exec() != 0)
            return; // the program is ending: no event loop runs any more
    }
    if (milliseconds <= 0)
        QCoreApplication::processEvents();
}

void deleteFileWait(const QString& path, bool waitUntilGone, const WaitTimings& timings)
{
    if (!QFileInfo::exists(path))
        return;
    QFile::remove(path);
    if (!waitUntilGone)
        return;
    const QDeadlineTimer deadline(timings.deleteTimeoutMs);
    while (QFileInfo::exists(path) && !deadline.hasExpired())
        wait(timings.deletePollMs);
}

void waitForFile(const QString& path, qint64 size, const WaitTimings& timings)
{
    const QDeadlineTimer deadline(timings.fileTimeoutMs);
    while (!QFileInfo::exists(path) && !deadline.hasExpired())
        wait(timings.filePollMs);
    // A reading equal to size is waited out too: polling it at once would spin the CPU
    // and freeze the window until the deadline.
    while (fileSizeOf(path) <= size && !deadline.hasExpired())
        wait(timings.filePollMs);
}

qint64 fileSizeOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.size();
}

bool convertLineEnds(const QString& path, const WaitTimings& timings)
{
    const qint64 oldSize = fileSizeOf(path);
    if (oldSize < 0)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray text = file.readAll();
    file.close();
    if (file.error() != QFileDevice::NoError)
        return false;
    text.replace("\n", "\r\n");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(text) == text.size();
    file.close();
    if (!written || file.error() != QFileDevice::NoError)
        return false;
    waitForFile(path, oldSize, timings);
    return true;
}

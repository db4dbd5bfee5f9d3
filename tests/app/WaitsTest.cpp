#include "app/Waits.h"
#include "TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <ctime>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class WaitsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    WaitTimings saved;

private Q_SLOTS:
    void init()
    {
        saved = CurrentWaitTimings();
        CurrentWaitTimings() = {10, 300, 10, 300};
    }

    void cleanup() { CurrentWaitTimings() = saved; }

    void waitKeepsEventsRunningWithoutSpinning()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(10);
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpuBefore = std::clock();
        Wait(300);
        const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        const qint64 wallMs = wall.elapsed();
        QVERIFY2(wallMs >= 300, qPrintable(QStringLiteral("returned after %1 ms").arg(wallMs)));
        QVERIFY2(ticks >= 10, qPrintable(QStringLiteral("only %1 timer ticks during the wait").arg(ticks)));
        QVERIFY2(cpuMs < 0.3 * double(wallMs),
                 qPrintable(QStringLiteral("%1 ms of CPU for %2 ms of waiting").arg(cpuMs).arg(wallMs)));
    }

    void waitOfZeroReturnsAtOnce()
    {
        QElapsedTimer wall;
        wall.start();
        Wait(0);
        Wait(-5);
        QVERIFY(wall.elapsed() < 100);
    }

    void convertLineEnds_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("LF") << QByteArray("1.4.0\t2013-04-01\nr26400\n")
                            << QByteArray("1.4.0\t2013-04-01\r\nr26400\r\n");
        QTest::newRow("CR LF becomes CR CR LF") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\r\nb\r\r\n");
        QTest::newRow("no line end") << QByteArray("abc") << QByteArray("abc");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void convertLineEnds()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString path = temp.filePath(QStringLiteral("feed.txt"));
        WriteAll(path, before);
        QVERIFY(ConvertLineEnds(path));
        QCOMPARE(ReadAll(path), after);
    }

    void convertLineEndsOfMissingFileFails()
    {
        QVERIFY(!ConvertLineEnds(temp.filePath(QStringLiteral("missing.txt"))));
        QVERIFY(!QFile::exists(temp.filePath(QStringLiteral("missing.txt"))));
    }

    void deleteFileWait()
    {
        const QString path = temp.filePath(QStringLiteral("old.tmp"));
        DeleteFileWait(path, true); // missing: nothing happens
        WriteAll(path, "x");
        DeleteFileWait(path, true);
        QVERIFY(!QFile::exists(path));
    }

    void waitForFileReturnsOnceTheFileHasGrown()
    {
        const QString path = temp.filePath(QStringLiteral("growing.txt"));
        QTimer::singleShot(50, [&] { WriteAll(path, "12345"); });
        QElapsedTimer wall;
        wall.start();
        WaitForFile(path, 3);
        QVERIFY(QFile::exists(path));
        QVERIFY2(wall.elapsed() < 250, qPrintable(QStringLiteral("took %1 ms").arg(wall.elapsed())));
    }

    void waitForFileGivesUpAtTheDeadlineWithoutSpinning()
    {
        const QString path = temp.filePath(QStringLiteral("same-size.txt"));
        WriteAll(path, "abc");
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpuBefore = std::clock();
        WaitForFile(path, 3); // never grows beyond 3 bytes
        const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        QVERIFY(wall.elapsed() >= 300);
        QVERIFY2(cpuMs < 0.3 * double(wall.elapsed()), qPrintable(QStringLiteral("%1 ms of CPU").arg(cpuMs)));
    }

    void fileSizeOf()
    {
        QCOMPARE(FileSizeOf(temp.filePath(QStringLiteral("none"))), qint64(-1));
        const QString path = temp.filePath(QStringLiteral("five"));
        WriteAll(path, "12345");
        QCOMPARE(FileSizeOf(path), qint64(5));
    }
};

KRVNM_REGISTER_TEST(WaitsTest)
#include "WaitsTest.moc"

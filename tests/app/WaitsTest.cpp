#include "app/Waits.h"
#include "TestFiles.h"
#include "TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class WaitsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    const WaitTimings timings{10, 300, 10, 300};

private Q_SLOTS:
    // Returns once the file has grown beyond the size, else at the deadline; a file that
    // stays at the size is polled with waits in between, not in a tight loop.
    void waitForFile()
    {
        const QString path = temp.filePath(QStringLiteral("growing.txt"));
        QTimer::singleShot(50, this, [&] { QVERIFY(writeFile(path, "12345")); });
        QElapsedTimer wall;
        wall.start();
        ::waitForFile(path, 3, timings);
        QVERIFY2(wall.elapsed() < 300, qPrintable(QStringLiteral("took %1 ms").arg(wall.elapsed())));

        // A 10 ms timer keeps firing while the file never grows beyond 5 bytes: the wait must
        // keep handling the window's events.
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(10);
        wall.restart();
        ::waitForFile(path, 5, timings);
        QVERIFY2(ticks >= 10, qPrintable(QStringLiteral("only %1 timer ticks during the wait").arg(ticks)));
        QVERIFY(wall.elapsed() >= 300);
        wall.restart();
        wait(100); // its whole time, however early its timer fires
        QVERIFY2(wall.elapsed() >= 100, qPrintable(QStringLiteral("returned after %1 ms").arg(wall.elapsed())));
    }

    // A missing file has no size, is not converted (nor made) and deleting it does nothing.
    void convertLineEnds_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("LF") << QByteArray("1.4.0\t2013-04-01\nr26400\n")
                            << QByteArray("1.4.0\t2013-04-01\r\nr26400\r\n");
        QTest::newRow("CR LF becomes CR CR LF") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\r\nb\r\r\n");
        QTest::newRow("no line end") << QByteArray("abc") << QByteArray("abc");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
        QTest::newRow("missing file") << QByteArray() << QByteArray();
    }

    void convertLineEnds()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString path = temp.filePath(QStringLiteral("feed.txt"));
        if (!before.isNull())
            QVERIFY(writeFile(path, before));
        QCOMPARE(::convertLineEnds(path, timings), !before.isNull());
        QCOMPARE(fileSizeOf(path), before.isNull() ? qint64(-1) : qint64(after.size()));
        QCOMPARE(readFile(path), after);
        deleteFileWait(path, true, timings);
        QVERIFY(!QFile::exists(path));
    }
};

KRVNM_REGISTER_TEST(WaitsTest)
#include "WaitsTest.moc"

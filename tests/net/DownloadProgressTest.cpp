#include "net/DownloadProgress.h"
#include "TestMain.h"

#include <QTest>

#include <limits>

class DownloadProgressTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void progressText_data()
    {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("expected");
        // Ordinary sizes are shown by the engine's own test.
        QTest::newRow("KB cut toward zero") << qint64(2047) << qint64(3071) << "1 KB downloaded, 2KB total  (66%)";
        QTest::newRow("32-bit limit") << qint64(2147482624) << qint64(2147483647)
                                      << "2097151 KB downloaded, 2097151KB total  (99%)";
        QTest::newRow("64-bit limit") << std::numeric_limits<qint64>::max() / 4 * 3
                                      << std::numeric_limits<qint64>::max()
                                      << "6755399441055743 KB downloaded, 9007199254740991KB total  (74%)";
    }

    void progressText()
    {
        QFETCH(qint64, received);
        QFETCH(qint64, total);
        QFETCH(QString, expected);
        QCOMPARE(DownloadProgress::progressText(received, total, "KB downloaded,", "KB total"), expected);
    }

    void unknownLengthTextDropsTheTrailingComma()
    {
        QCOMPARE(DownloadProgress::unknownLengthText(1023, QString::fromUtf8("KB 已下载，")),
                 QString::fromUtf8("0 KB 已下载"));
    }

    // A part of a KB is not shown yet; the last KB of a known length waits for "Done"
    // (DownloadEngineTest shows that end).
    void shownBytesAreWholeKilobytes()
    {
        DownloadProgress progress(2048);
        progress.add(1023);
        QCOMPARE(progress.shownBytes(), qint64(0));
    }
};

KRVNM_REGISTER_TEST(DownloadProgressTest)
#include "DownloadProgressTest.moc"

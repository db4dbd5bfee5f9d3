#include "net/DownloadProgress.h"
#include "TestMain.h"
#include "net/TransferRate.h"

#include <QLocale>
#include <QTest>

#include <limits>

namespace {

constexpr qint64 MiB = 1 << 20;

struct Sample
{
    qint64 ms;
    qint64 bytes;
};

} // namespace

Q_DECLARE_METATYPE(QList<Sample>)

// The progress line's parts: the sizes so far, then the speed and the time left.
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

    // The samples of one transfer (started at 0 ms with nothing received), the bytes still to
    // come after the last one, and the text shown then; empty while the speed is unknown.
    void speedAndTimeLeft_data()
    {
        QTest::addColumn<QList<Sample>>("samples");
        QTest::addColumn<qint64>("left");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QList<Sample>& samples, qint64 left, const QString& expected,
                            const char* locale = "en") {
            QTest::newRow(name) << samples << left << locale << expected;
        };
        const QList<Sample> steady{{500, 2 * MiB}, {1000, 4 * MiB}, {1500, 6 * MiB}, {2000, 8 * MiB}};
        row("first second: unknown", {{500, 2 * MiB}, {999, 4 * MiB}}, 10 * MiB, {});
        row("nothing arrived: unknown", {{1500, 0}, {2500, 0}}, 10 * MiB, {});
        row("4 MB/s, 152 MB left", steady, 152 * MiB, "4.0 MB/s, 0:38 left");
        row("French numbers and units", steady, 152 * MiB, "4,0 Mo/s, encore 0:38", "fr");
        row("under 1000 KB/s in KB", {{1000, 512 << 10}, {2000, 1 << 20}}, 5 << 20, "512 KB/s, 0:10 left");
        row("hours", {{1000, 100 << 10}, {2000, 200 << 10}}, 1024 * MiB, "100 KB/s, 2:54:46 left");
        // A fast start ages out: only the last five seconds count.
        row("smoothed over five seconds", {{1000, 100 * MiB}, {2000, 101 * MiB}, {7000, 106 * MiB}}, 60 * MiB,
            "1.0 MB/s, 1:00 left");
    }

    void speedAndTimeLeft()
    {
        QFETCH(QList<Sample>, samples);
        QFETCH(qint64, left);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        const bool french = locale == "fr";
        const QString pattern = french ? QStringLiteral("#1#/s, encore #2#") : QStringLiteral("#1#/s, #2# left");
        TransferRate rate;
        rate.start(0, 0);
        for (const Sample& sample : samples)
            rate.update(sample.ms, sample.bytes);
        const auto speed = rate.bytesPerSecond();
        const QString shown =
            speed ? rateText(*speed, left, pattern, french ? QStringLiteral("Ko") : QStringLiteral("KB"),
                             french ? QStringLiteral("Mo") : QStringLiteral("MB"), QLocale(locale))
                  : QString();
        QCOMPARE(shown, expected);
    }

    // The text changes when the speed first is known, then at most twice a second.
    void refreshedAtMostTwiceASecond()
    {
        TransferRate rate;
        rate.start(0, 0);
        QList<bool> refreshes;
        for (qint64 ms = 250; ms <= 2000; ms += 250)
            refreshes.append(rate.update(ms, ms * 1000));
        QCOMPARE(refreshes, (QList<bool>{false, false, false, true, false, true, false, true}));
    }
};

KRVNM_REGISTER_TEST(DownloadProgressTest)
#include "DownloadProgressTest.moc"

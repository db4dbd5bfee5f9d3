#include "net/TransferRate.h"
#include "TestMain.h"

#include <QLocale>
#include <QTest>

namespace {

constexpr qint64 MiB = 1 << 20;

struct Sample
{
    qint64 ms;
    qint64 bytes;
};

} // namespace

Q_DECLARE_METATYPE(QList<Sample>)

class TransferRateTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The samples of one transfer (started at 0 ms with nothing received), the bytes still to
    // come after the last one, and the text shown then; empty while the speed is unknown.
    void speedAndTimeLeft_data()
    {
        QTest::addColumn<QList<Sample>>("samples");
        QTest::addColumn<qint64>("left");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        const QList<Sample> steady{{500, 2 * MiB}, {1000, 4 * MiB}, {1500, 6 * MiB}, {2000, 8 * MiB}};
        QTest::newRow("first second: unknown")
            << QList<Sample>{{500, 2 * MiB}, {999, 4 * MiB}} << 10 * MiB << "en" << QString();
        QTest::newRow("nothing arrived: unknown")
            << QList<Sample>{{1500, 0}, {2500, 0}} << 10 * MiB << "en" << QString();
        QTest::newRow("4 MB/s, 152 MB left") << steady << 152 * MiB << "en"
                                             << "4.0 MB/s, 0:38 left";
        QTest::newRow("French numbers and units") << steady << 152 * MiB << "fr"
                                                  << "4,0 Mo/s, encore 0:38";
        QTest::newRow("under 1000 KB/s in KB")
            << QList<Sample>{{1000, 512 << 10}, {2000, 1 << 20}} << qint64(5 << 20) << "en"
            << "512 KB/s, 0:10 left";
        QTest::newRow("hours") << QList<Sample>{{1000, 100 << 10}, {2000, 200 << 10}} << 1024 * MiB << "en"
                               << "100 KB/s, 2:54:46 left";
        // A fast start ages out: only the last five seconds count.
        QTest::newRow("smoothed over five seconds")
            << QList<Sample>{{1000, 100 * MiB}, {2000, 101 * MiB}, {7000, 106 * MiB}} << 60 * MiB << "en"
            << "1.0 MB/s, 1:00 left";
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

KRVNM_REGISTER_TEST(TransferRateTest)
#include "TransferRateTest.moc"

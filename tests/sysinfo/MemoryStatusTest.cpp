#include "FakePlatform.h"
#include "TestMain.h"
#include "sysinfo/clsMemoryStatus.h"

#include <QTest>

namespace {

// FormatBytes with the numeric kind the value was given in.
QString Format(const QVariant& bytes, bool longDisplay, const QLocale& locale)
{
    switch (bytes.typeId()) {
    case QMetaType::Short:
        return clsMemoryStatus::FormatBytes(bytes.value<qint16>(), longDisplay, locale);
    case QMetaType::Int:
        return clsMemoryStatus::FormatBytes(bytes.value<qint32>(), longDisplay, locale);
    case QMetaType::LongLong:
        return clsMemoryStatus::FormatBytes(bytes.value<qint64>(), longDisplay, locale);
    case QMetaType::ULongLong:
        return clsMemoryStatus::FormatBytes(bytes.value<quint64>(), longDisplay, locale);
    case QMetaType::Double:
        return clsMemoryStatus::FormatBytes(bytes.value<double>(), longDisplay, locale);
    }
    return QStringLiteral("<unexpected kind %1>").arg(QString::fromLatin1(bytes.typeName()));
}

} // namespace

class MemoryStatusTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatBytes_data()
    {
        QTest::addColumn<QVariant>("bytes");
        QTest::addColumn<bool>("longDisplay");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        const auto i16 = [](qint16 n) { return QVariant::fromValue(n); };
        const auto i32 = [](qint32 n) { return QVariant::fromValue(n); };
        const auto i64 = [](qint64 n) { return QVariant::fromValue(n); };
        const auto u64 = [](quint64 n) { return QVariant::fromValue(n); };
        const auto row = [](const char* name, const QVariant& bytes, bool longDisplay, const char* en, const char* de) {
            QTest::newRow(name) << bytes << longDisplay << QString::fromUtf8(en) << QString::fromUtf8(de);
        };
        row("none", i32(0), false, "0 bytes", "0 bytes");
        row("one", i32(1), false, "1 byte", "1 byte");
        row("thousand", i32(1000), false, "1,000 bytes", "1.000 bytes");
        row("largest in bytes", i32(1023), false, "1,023 bytes", "1.023 bytes");
        row("long below a KB", i32(1), true, "1 byte", "1 byte");
        row("one KB", i32(1024), false, "1.00 KB", "1,00 KB");
        row("KB and a half", i32(1536), false, "1.50 KB", "1,50 KB");
        row("9.999 cut to 4 characters", i32(10239), false, "10.0 KB", "10,0 KB");
        row("ten KB", i32(10240), false, "10.0 KB", "10,0 KB");
        row("hundreds without separator", i32(1048575), false, "1024 KB", "1024 KB");
        row("ten MB", i32(10485760), false, "10.0 MB", "10,0 MB");
        row("32-bit -1", i32(-1), false, "4.00 GB", "4,00 GB");
        row("16-bit -1", i16(-1), false, "64.0 KB", "64,0 KB");
        row("64-bit negative as is", i64(-5), false, "-5 bytes", "-5 bytes");
        row("long GB", u64(3221225472), true, "3.00 GB (3,221,225,472 bytes)", "3,00 GB (3.221.225.472 bytes)");
        row("TB and a half", u64(3ull << 39), false, "1.50 TB", "1,50 TB");
        row("beyond TB", u64(1ull << 50), true, "1024 TB (1,125,899,906,842,624 bytes)",
            "1024 TB (1.125.899.906.842.624 bytes)");
        row("fraction of a byte", QVariant(1023.4), false, "1,023 bytes", "1.023 bytes");
        row("fractional KB", QVariant(1536.0), true, "1.50 KB (1,536 bytes)", "1,50 KB (1.536 bytes)");
    }

    void formatBytes()
    {
        QFETCH(QVariant, bytes);
        QFETCH(bool, longDisplay);
        QFETCH(QString, english);
        QFETCH(QString, german);
        QCOMPARE(Format(bytes, longDisplay, QLocale(QLocale::English, QLocale::UnitedStates)), english);
        QCOMPARE(Format(bytes, longDisplay, QLocale(QLocale::German, QLocale::Germany)), german);
    }

    // Each kind from the answers of two queries; nothing for a kind other than 0, 1 or 2.
    void figuresPerKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("figures"); // total, available, change
        QTest::newRow("physical") << 0 << "8000 2500 -500";
        QTest::newRow("page file") << 1 << "4000 3700 700";
        QTest::newRow("virtual") << 2 << "9000 6000 0";
        QTest::newRow("-1") << -1 << "- - -";
        QTest::newRow("3") << 3 << "- - -";
    }

    void figuresPerKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, figures);
        FakePlatform platform;
        platform.memory = {.memoryLoad = 62,
                           .totalPhys = 8000,
                           .availPhys = 3000,
                           .totalPageFile = 4000,
                           .availPageFile = 3000,
                           .totalVirtual = 9000,
                           .availVirtual = 6000};
        clsMemoryStatus memory(platform);
        QCOMPARE(memory.Change(kind), std::nullopt);

        platform.memory.memoryLoad = 69;
        platform.memory.availPhys = 2500;
        platform.memory.availPageFile = 3700;
        QVERIFY(memory.Refresh());
        const auto shown = [](const auto& figure) { return figure ? QString::number(*figure) : QStringLiteral("-"); };
        QCOMPARE(shown(memory.Total(kind)) + u' ' + shown(memory.Available(kind)) + u' ' + shown(memory.Change(kind)),
                 figures);
        QCOMPARE(memory.Load(), 69u);
        QCOMPARE(platform.memoryQueries, 2);
    }

    void failedQueryReadsAsNothingAvailable()
    {
        FakePlatform platform;
        platform.memoryQueryFails = true;
        clsMemoryStatus memory(platform);
        QCOMPARE(memory.Available(0), std::optional<std::uint64_t>(0));
        QCOMPARE(memory.Total(0), std::optional<std::uint64_t>(0));
        QCOMPARE(memory.Load(), 0u);

        platform.memoryQueryFails = false;
        QVERIFY(memory.Refresh());
        QCOMPARE(memory.Change(0), std::nullopt); // the query before found nothing

        platform.memoryQueryFails = true;
        QVERIFY(!memory.Refresh());
        QCOMPARE(memory.Change(0), std::optional<std::int64_t>(-std::int64_t(platform.memory.availPhys)));
    }

    void thisSystemAnswers()
    {
        sysapi::MemoryStatusRecord record;
        QVERIFY(sysapi::QueryMemoryStatus(record));
        QCOMPARE(record.length, 64u);
        QVERIFY(record.totalPhys > 0);
        QVERIFY(record.availPhys <= record.totalPhys);
        QVERIFY(record.availPageFile <= record.totalPageFile);
        QVERIFY(record.availVirtual > 0 && record.availVirtual <= record.totalVirtual);
        QVERIFY(record.memoryLoad <= 100);

        sysapi::MemoryStatusRecord wrongLength;
        wrongLength.length = 32;
        QVERIFY(!sysapi::QueryMemoryStatus(wrongLength));
    }
};

KRVNM_REGISTER_TEST(MemoryStatusTest)
#include "MemoryStatusTest.moc"

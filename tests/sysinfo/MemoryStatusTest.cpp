#include "sysinfo/MemoryStatus.h"
#include "FakePlatform.h"
#include "TestMain.h"

#include <QTest>

class MemoryStatusTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each count in the numeric kind it is given in, shown in two locales.
    void formatBytes_data()
    {
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("expected"); // English, German
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale german(QLocale::German, QLocale::Germany);
        const auto row = [&](const char* name, auto bytes, bool longDisplay, const QString& en, const QString& de) {
            QTest::newRow(name) << QStringList{MemoryStatus::formatBytes(bytes, longDisplay, english),
                                               MemoryStatus::formatBytes(bytes, longDisplay, german)}
                                << QStringList{en, de};
        };
        row("none", 0, false, "0 bytes", "0 bytes");
        row("one", 1, false, "1 byte", "1 byte");
        row("largest in bytes", 1023, false, "1,023 bytes", "1.023 bytes");
        row("long below a KB", 1, true, "1 byte", "1 byte");
        row("one KB", 1024, false, "1.00 KB", "1,00 KB");
        row("9.999 cut to 4 characters", 10239, false, "10.0 KB", "10,0 KB");
        row("hundreds without separator", 1048575, false, "1024 KB", "1024 KB");
        row("ten MB", 10485760, false, "10.0 MB", "10,0 MB");
        row("32-bit -1", -1, false, "4.00 GB", "4,00 GB");
        row("16-bit -1", qint16(-1), false, "64.0 KB", "64,0 KB");
        row("64-bit negative as is", qint64(-5), false, "-5 bytes", "-5 bytes");
        row("long GB", quint64(3221225472), true, "3.00 GB (3,221,225,472 bytes)", "3,00 GB (3.221.225.472 bytes)");
        row("TB and a half", quint64(3) << 39, false, "1.50 TB", "1,50 TB");
        row("beyond TB", quint64(1) << 50, true, "1024 TB (1,125,899,906,842,624 bytes)",
            "1024 TB (1.125.899.906.842.624 bytes)");
        row("fraction of a byte", 1023.4, false, "1,023 bytes", "1.023 bytes");
    }

    void formatBytes()
    {
        QFETCH(QStringList, shown);
        QFETCH(QStringList, expected);
        QCOMPARE(shown, expected);
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
        MemoryStatus memory(platform);
        QCOMPARE(memory.change(kind), std::nullopt);

        platform.memory.memoryLoad = 69;
        platform.memory.availPhys = 2500;
        platform.memory.availPageFile = 3700;
        QVERIFY(memory.refresh());
        const auto shown = [](const auto& figure) { return figure ? QString::number(*figure) : QStringLiteral("-"); };
        QCOMPARE(shown(memory.total(kind)) + u' ' + shown(memory.available(kind)) + u' ' + shown(memory.change(kind)),
                 figures);
        QCOMPARE(memory.startUp(), 69u);
    }

    void failedQueryReadsAsNothingAvailable()
    {
        FakePlatform platform;
        platform.memoryQueryFails = true;
        MemoryStatus memory(platform);
        QCOMPARE(memory.available(0), std::optional<std::uint64_t>(0));
        QCOMPARE(memory.total(0), std::optional<std::uint64_t>(0));
        QCOMPARE(memory.startUp(), 0u);

        platform.memoryQueryFails = false;
        QVERIFY(memory.refresh());
        QCOMPARE(memory.change(0), std::nullopt); // the query before found nothing

        platform.memoryQueryFails = true;
        QVERIFY(!memory.refresh());
        QCOMPARE(memory.change(0), std::optional<std::int64_t>(-std::int64_t(platform.memory.availPhys)));
    }

    void thisSystemAnswers()
    {
        sysapi::MemoryStatusRecord record;
        QVERIFY(sysapi::queryMemoryStatus(record));
        QCOMPARE(record.length, 64u);
        QVERIFY(record.totalPhys > 0);
        QVERIFY(record.availPhys <= record.totalPhys);
        QVERIFY(record.availPageFile <= record.totalPageFile);
        QVERIFY(record.availVirtual > 0 && record.availVirtual <= record.totalVirtual);
        QVERIFY(record.memoryLoad <= 100);
    }
};

KRVNM_REGISTER_TEST(MemoryStatusTest)
#include "MemoryStatusTest.moc"

#include "app/QtSettingsStore.h"
#include "TestMain.h"
#include "app/Failure.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class QtSettingsStoreTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;

private Q_SLOTS:
    void storesTextsThatTheNextRunReads()
    {
        const QString file = temp.filePath(QStringLiteral("KRVNM.conf"));
        {
            QtSettingsStore store(file);
            QCOMPARE(store.read(QStringLiteral("LatestStable"), QStringLiteral("1.4.0")), QStringLiteral("1.4.0"));
            store.write(QStringLiteral("KRVNPath"), QStringLiteral("C:\\Games\\Korvane Ü\\"));
            store.write(QStringLiteral("PROXYPORT"), QStringLiteral("8080"));
            store.write(QStringLiteral("LastSelfCheckDate"), QString());
        }
        QVERIFY(QFile::exists(file));
        QtSettingsStore next(file);
        QCOMPARE(next.read(QStringLiteral("KRVNPath"), QString()), QStringLiteral("C:\\Games\\Korvane Ü\\"));
        QCOMPARE(next.read(QStringLiteral("PROXYPORT"), QStringLiteral("80")), QStringLiteral("8080"));
        // A key stored empty is present: its default does not come back.
        QCOMPARE(next.read(QStringLiteral("LastSelfCheckDate"), QStringLiteral("x")), QString());
        QCOMPARE(next.location(), file);
    }

    void unwritableStoreFails()
    {
        const QString folderAsFile = temp.filePath(QStringLiteral("not-a-folder"));
        QFile blocker(folderAsFile);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QtSettingsStore store(folderAsFile + QStringLiteral("/KRVNM.conf"));
        QVERIFY_THROWS_EXCEPTION(Failure, store.write(QStringLiteral("Platform"), QStringLiteral("WIN64")));
    }
};

KRVNM_REGISTER_TEST(QtSettingsStoreTest)
#include "QtSettingsStoreTest.moc"

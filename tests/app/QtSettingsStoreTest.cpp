#include "app/QtSettingsStore.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "app/Failure.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The store as the program builds it, with the user's settings folder moved into a
// temporary folder.
class QtSettingsStoreTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QString folder() const { return temp.filePath(QStringLiteral("Quillon Works")); }
    QString file() const { return folder() + QStringLiteral("/KRVNM.conf"); }

private Q_SLOTS:
    void init()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, temp.path());
        QDir(folder()).removeRecursively();
        QFile::remove(folder());
    }

    void storesTextsThatTheNextRunReads()
    {
        {
            QtSettingsStore store;
            QCOMPARE(store.read(SettingKey::LatestStable), QStringLiteral("1.4.0"));
            store.write(SettingKey::KrvnPath, QStringLiteral("C:\\Games\\Korvane Ü\\"));
            store.write(SettingKey::LastSelfCheckDate, QString());
        }
        QtSettingsStore next;
        QCOMPARE(next.location(), file());
        QCOMPARE(next.read(SettingKey::KrvnPath), QStringLiteral("C:\\Games\\Korvane Ü\\"));
        // A key stored empty is present: its default does not come back.
        QCOMPARE(next.read(SettingKey::LastSelfCheckDate, QStringLiteral("x")), QString());
    }

    // One failed write must not make every later write fail.
    void aFailedWriteDoesNotSpoilTheNextOne()
    {
        QVERIFY(writeFile(folder())); // a file where the settings folder belongs
        QtSettingsStore store;
        QVERIFY_THROWS_EXCEPTION(Failure, store.write(SettingKey::Platform, QStringLiteral("WIN64")));

        QVERIFY(QFile::remove(folder()));
        store.write(SettingKey::Platform, QStringLiteral("WIN32"));
        QCOMPARE(QtSettingsStore().read(SettingKey::Platform), QStringLiteral("WIN32"));
    }

    // A section header missing its "]" spoils neither the other keys nor the defaults.
    void aMalformedLineLeavesTheRestReadable()
    {
        QVERIFY(writeFile(file(), "[General]\nKRVNPath=/games/korvane/\n[Broken\nother=1\n"));
        QtSettingsStore store;
        QCOMPARE(store.read(SettingKey::KrvnPath), QStringLiteral("/games/korvane/"));
        QCOMPARE(store.read(SettingKey::LatestStable), QStringLiteral("1.4.0"));
        store.write(SettingKey::LatestBeta, QStringLiteral("1.5.0-beta1"));
        QCOMPARE(QtSettingsStore().read(SettingKey::LatestBeta), QStringLiteral("1.5.0-beta1"));
    }
};

KRVNM_REGISTER_TEST(QtSettingsStoreTest)
#include "QtSettingsStoreTest.moc"

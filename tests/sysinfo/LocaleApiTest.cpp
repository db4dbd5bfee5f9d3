#include "sysinfo/LocaleApi.h"
#include "TestMain.h"
#include "sysinfo/WindowsLocales.h"

#include <QTest>

// The locale answers where there is no Windows locale database: Qt's locales described
// the way Windows describes them (the Windows stage checks the tables against Windows).
class LocaleApiTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void localeTexts_data()
    {
        QTest::addColumn<quint32>("localeId");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<bool>("supported");
        QTest::addColumn<QString>("displayName");
        const auto row = [](const char* name, quint32 id, const char* language, const char* codePage, bool supported,
                            const char* shown) {
            QTest::newRow(name) << id << QString::fromUtf8(language) << QString::fromUtf8(codePage) << supported
                                << QString::fromUtf8(shown);
        };
        row("Korean", 0x0412, "Korean", "949", true, "Korean (Korea)");
        row("Chinese, simplified script", 0x0804, "Chinese", "936", true, "Chinese (Simplified, China)");
        row("Chinese, traditional script", 0x0404, "Chinese", "950", true, "Chinese (Traditional, Taiwan)");
        row("Estonian", 0x0425, "Estonian", "1257", true, "Estonian (Estonia)");
        row("a locale not described", 0x0401, "", "", false, "");
#ifndef Q_OS_WIN
        // The tests run under LC_ALL=C.UTF-8, a locale that names no language.
        row("user default in the C locale", 0x400, "English", "1252", true, "");
#endif
    }

    void localeTexts()
    {
        QFETCH(quint32, localeId);
        QFETCH(QString, language);
        QFETCH(QString, codePage);
        QFETCH(bool, supported);
        QFETCH(QString, displayName);
        QCOMPARE(QString::fromStdWString(sysapi::LocaleInfo(localeId, sysapi::LocaleEnglishLanguageName)), language);
        QCOMPARE(QString::fromStdWString(sysapi::LocaleInfo(localeId, sysapi::LocaleDefaultAnsiCodePage)), codePage);
        QCOMPARE(sysapi::IsLocaleSupported(localeId), supported);
        QCOMPARE(QString::fromStdWString(sysapi::LanguageName(localeId).c_str()), displayName);
    }

    void codePageOfALocale_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("territory");
        QTest::addColumn<uint>("codePage");
        const auto row = [](const char* name, const char* language, const char* script, const char* territory,
                            uint codePage) {
            QTest::newRow(name) << QString::fromUtf8(language) << QString::fromUtf8(script)
                                << QString::fromUtf8(territory) << codePage;
        };
        row("by territory", "zh", "", "TW", 950);
        row("by script", "zh", "Hant", "HK", 950);
        row("language alone", "zh", "Hans", "CN", 936);
        row("Cyrillic Serbian", "sr", "Cyrl", "RS", 1251);
        row("Latin Serbian", "sr", "Latn", "RS", 1250);
        row("Unicode only", "hi", "Deva", "IN", 0);
        row("unknown", "xx", "", "", 0);
    }

    void codePageOfALocale()
    {
        QFETCH(QString, language);
        QFETCH(QString, script);
        QFETCH(QString, territory);
        QFETCH(uint, codePage);
        QCOMPARE(sysapi::DefaultAnsiCodePage(language.toStdString(), script.toStdString(), territory.toStdString()),
                 codePage);
    }
};

KRVNM_REGISTER_TEST(LocaleApiTest)
#include "LocaleApiTest.moc"

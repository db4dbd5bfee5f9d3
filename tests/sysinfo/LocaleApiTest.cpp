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
        QTest::addColumn<QString>("locale"); // language-script-territory
        QTest::addColumn<uint>("codePage");
        QTest::newRow("by territory") << "zh--TW" << 950u;
        QTest::newRow("by script") << "zh-Hant-HK" << 950u;
        QTest::newRow("language alone") << "zh-Hans-CN" << 936u;
        QTest::newRow("Cyrillic Serbian") << "sr-Cyrl-RS" << 1251u;
        QTest::newRow("Latin Serbian") << "sr-Latn-RS" << 1250u;
        QTest::newRow("Unicode only") << "hi-Deva-IN" << 0u;
        QTest::newRow("unknown") << "xx--" << 0u;
    }

    void codePageOfALocale()
    {
        QFETCH(QString, locale);
        QFETCH(uint, codePage);
        const QStringList parts = locale.split(u'-');
        QCOMPARE(sysapi::DefaultAnsiCodePage(parts[0].toStdString(), parts[1].toStdString(), parts[2].toStdString()),
                 codePage);
    }
};

KRVNM_REGISTER_TEST(LocaleApiTest)
#include "LocaleApiTest.moc"

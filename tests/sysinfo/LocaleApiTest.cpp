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
        QTest::addColumn<QString>("texts"); // language | code page | supported | display name
        QTest::newRow("Korean") << 0x0412u << "Korean|949|1|Korean (Korea)";
        QTest::newRow("Chinese, simplified script") << 0x0804u << "Chinese|936|1|Chinese (Simplified, China)";
        QTest::newRow("Chinese, traditional script") << 0x0404u << "Chinese|950|1|Chinese (Traditional, Taiwan)";
        QTest::newRow("Estonian") << 0x0425u << "Estonian|1257|1|Estonian (Estonia)";
        QTest::newRow("a locale not described") << 0x0401u << "||0|";
#ifndef Q_OS_WIN
        // The tests run under LC_ALL=C.UTF-8, a locale that names no language.
        QTest::newRow("user default in the C locale") << 0x400u << "English|1252|1|";
#endif
    }

    void localeTexts()
    {
        QFETCH(quint32, localeId);
        QFETCH(QString, texts);
        const QStringList got{QString::fromStdWString(sysapi::localeInfo(localeId, sysapi::LocaleEnglishLanguageName)),
                              QString::fromStdWString(sysapi::localeInfo(localeId, sysapi::LocaleDefaultAnsiCodePage)),
                              QString::number(sysapi::isLocaleSupported(localeId)),
                              QString::fromStdWString(sysapi::languageName(localeId).c_str())};
        QCOMPARE(got.join(u'|'), texts);
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
        QCOMPARE(sysapi::defaultAnsiCodePage(parts[0].toStdString(), parts[1].toStdString(), parts[2].toStdString()),
                 codePage);
    }
};

KRVNM_REGISTER_TEST(LocaleApiTest)
#include "LocaleApiTest.moc"

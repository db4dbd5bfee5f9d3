#include "sysinfo/LocaleApi.h"
#include "sysinfo/WindowsLocales.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace sysapi {

namespace {

// The user's locale is Qt's system locale; a locale that names no language ("C", "POSIX")
// counts as US English, as Windows programs under Wine see it.
std::optional<QLocale> localeFor(unsigned long localeId)
{
    QLocale locale;
    if (localeId == LocaleUserDefault)
        locale = QLocale::system();
    else if (const NamedLocale* named = findNamedLocale(localeId))
        locale = QLocale(QString::fromLatin1(named->name.data(), static_cast<qsizetype>(named->name.size())));
    else
        return std::nullopt;
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

unsigned codePageOf(const QLocale& locale)
{
    const QString language = QLocale::languageToCode(locale.language());
    const QString script = QLocale::scriptToCode(locale.script());
    const QString territory = QLocale::territoryToCode(locale.territory());
    return defaultAnsiCodePage(language.toStdString(), script.toStdString(), territory.toStdString());
}

} // namespace

std::wstring localeInfo(unsigned long localeId, unsigned long infoType)
{
    const std::optional<QLocale> locale = localeFor(localeId);
    if (!locale)
        return {};
    switch (infoType) {
    case LocaleEnglishLanguageName:
        return QLocale::languageToString(locale->language()).toStdWString();
    case LocaleDefaultAnsiCodePage:
        return std::to_wstring(codePageOf(*locale));
    }
    return {};
}

bool isLocaleSupported(unsigned long localeId)
{
    return localeId == LocaleUserDefault || findNamedLocale(localeId) != nullptr;
}

std::wstring languageName(unsigned long localeId)
{
    const NamedLocale* named = findNamedLocale(localeId);
    return named ? std::wstring(named->displayName) : std::wstring();
}

} // namespace sysapi

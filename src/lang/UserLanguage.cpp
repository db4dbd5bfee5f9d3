#include "lang/UserLanguage.h"

#include "app/AppState.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "lang/LanguageList.h"
#include "lang/LanguageRules.h"
#include "sysinfo/LocaleApi.h"

#include <QStringList>

namespace {

// A number read as far as its digits go; no digits give 0.
int leadingDigits(const QString& text)
{
    int value = 0;
    for (QChar c : text.trimmed()) {
        if (!c.isDigit() || value > 100000000)
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

// The last language whose key contains the stored text; 0 (English) when none does.
int languageIndexForKey(const QString& language, const QStringList& keys)
{
    int index = 0;
    for (int k = 0; k < keys.size(); ++k)
        if (keys.at(k).contains(language))
            index = k;
    return index;
}

QStringList keys(const AppState& state)
{
    QStringList keys;
    for (const LanguageListRow& row : state.languages)
        keys << row.key;
    return keys;
}

} // namespace

QString getLocaleText(Platform& platform, quint32 localeId, quint32 infoType)
{
    return platform.localeInfo(localeId, infoType);
}

qint16 getLocaleCharset(Platform& platform, quint32 localeId)
{
    qint16 charset = 0;
    FailureScope steps(nullptr, QStringLiteral("GetLocaleCharset"));
    steps.step([&] {
        const int codePage = leadingDigits(getLocaleText(platform, localeId, sysapi::LocaleDefaultAnsiCodePage));
        charset = static_cast<qint16>(charsetForCodePage(codePage));
    });
    steps.clear();
    return charset;
}

void detectUserLanguage(AppState& state, Platform& platform, const QString& defaultKey)
{
    state.language = defaultKey;
    int row = -1;
    FailureScope steps(nullptr, QStringLiteral("DetectUserLanguage"));
    steps.step([&] {
        const QString name = getLocaleText(platform, sysapi::LocaleUserDefault, sysapi::LocaleEnglishLanguageName);
        if (name.isEmpty())
            return;
        state.userLanguageName = name.toUpper();
        std::vector<std::string> keys;
        for (const LanguageListRow& entry : state.languages)
            keys.push_back(entry.key.toStdString());
        row = userLanguageRow(state.userLanguageName.toStdString(), keys);
    });
    steps.clear();
    if (row >= 0) {
        state.language = state.languages.at(static_cast<size_t>(row)).key;
        state.languageIndex = static_cast<std::uint8_t>(row);
        return;
    }
    const qsizetype defaultRow = keys(state).indexOf(defaultKey);
    state.languageIndex = static_cast<std::uint8_t>(defaultRow < 0 ? 0 : defaultRow);
}

void readUserLocale(AppState& state, const BuiltinStrings& strings, Platform& platform)
{
    state.fontCharset = getLocaleCharset(platform, sysapi::LocaleUserDefault);
    buildLanguageList(state, strings, platform);
}

void selectLanguage(AppState& state, Platform& platform)
{
    // An empty stored key would be contained in every key and pick the last language.
    if (state.language == QLatin1String("---") || state.language.isEmpty()) {
        detectUserLanguage(state, platform, QStringLiteral("ENGLISH"));
        return;
    }
    state.languageIndex = static_cast<std::uint8_t>(languageIndexForKey(state.language, keys(state)));
}

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
int LeadingDigits(const QString& text)
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
int LanguageIndexForKey(const QString& language, const QStringList& keys)
{
    int index = 0;
    for (int k = 0; k < keys.size(); ++k)
        if (keys.at(k).contains(language))
            index = k;
    return index;
}

QStringList Keys(const AppState& state)
{
    QStringList keys;
    for (const LanguageListRow& row : state.Languages)
        keys << row.key;
    return keys;
}

} // namespace

QString GetLocaleText(Platform& platform, quint32 localeId, quint32 infoType)
{
    return platform.localeInfo(localeId, infoType);
}

qint16 GetLocaleCharset(Platform& platform, quint32 localeId)
{
    qint16 charset = 0;
    FailureScope steps(nullptr, QStringLiteral("GetLocaleCharset"));
    steps.step([&] {
        const int codePage = LeadingDigits(GetLocaleText(platform, localeId, sysapi::LocaleDefaultAnsiCodePage));
        charset = static_cast<qint16>(CharsetForCodePage(codePage));
    });
    steps.clear();
    return charset;
}

void DetectUserLanguage(AppState& state, Platform& platform, const QString& defaultKey)
{
    state.Language = defaultKey;
    int row = -1;
    FailureScope steps(nullptr, QStringLiteral("DetectUserLanguage"));
    steps.step([&] {
        const QString name = GetLocaleText(platform, sysapi::LocaleUserDefault, sysapi::LocaleEnglishLanguageName);
        if (name.isEmpty())
            return;
        state.UserLanguageName = name.toUpper();
        std::vector<std::string> keys;
        for (const LanguageListRow& entry : state.Languages)
            keys.push_back(entry.key.toStdString());
        row = UserLanguageRow(state.UserLanguageName.toStdString(), keys);
    });
    steps.clear();
    if (row >= 0) {
        state.Language = state.Languages.at(static_cast<size_t>(row)).key;
        state.LanguageIndex = static_cast<std::uint8_t>(row);
        return;
    }
    const qsizetype defaultRow = Keys(state).indexOf(defaultKey);
    state.LanguageIndex = static_cast<std::uint8_t>(defaultRow < 0 ? 0 : defaultRow);
}

void ReadUserLocale(AppState& state, const BuiltinStrings& strings, Platform& platform)
{
    state.FontCharset = GetLocaleCharset(platform, sysapi::LocaleUserDefault);
    BuildLanguageList(state, strings, platform);
}

void SelectLanguage(AppState& state, Platform& platform)
{
    // An empty stored key would be contained in every key and pick the last language.
    if (state.Language == QLatin1String("---") || state.Language.isEmpty()) {
        DetectUserLanguage(state, platform, QStringLiteral("ENGLISH"));
        return;
    }
    state.LanguageIndex = static_cast<std::uint8_t>(LanguageIndexForKey(state.Language, Keys(state)));
}

#include "lang/LanguageList.h"

#include "app/AppState.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/StringIds.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageRules.h"

#include <QStringList>

namespace {

constexpr int LastListPosition = 10;

} // namespace

void buildLanguageList(AppState& state, const BuiltinStrings& strings, Platform& platform)
{
    FailureScope steps(nullptr, QStringLiteral("BuildLanguageList"));
    for (int k = 0; k < BuiltinStrings::LanguageCount; ++k) {
        steps.step([&] {
            const int id = Str::FirstLanguageDescriptor + k;
            const std::optional<QString> row = strings.lookup(id);
            const auto descriptor = row ? parseLanguageDescriptor(row->toStdString()) : std::nullopt;
            if (!descriptor)
                throw Failure(FailureCode::Unexpected, QStringLiteral("No language descriptor in row %1").arg(id));
            LanguageListRow& entry = state.languages.at(static_cast<size_t>(k));
            entry.codePage = descriptor->codePage;
            entry.localeId = static_cast<quint32>(descriptor->localeId);
            entry.key = QString::fromStdString(descriptor->key);
            entry.displayName = properCase(entry.key);
            if (platform.isValidLocale(entry.localeId)) {
                const QString name = cutAtNul(platform.languageName(entry.localeId));
                if (!name.isEmpty())
                    entry.displayName = name;
            }
        });
    }
    steps.clear();
}

QString cutAtNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

QString properCase(const QString& key)
{
    return key.left(1).toUpper() + key.mid(1).toLower();
}

int findLanguageListIndex(const AppState& state, int k, const QStringList& entries)
{
    if (k < 0 || k >= AppState::LanguageListRows)
        throw Failure(FailureCode::SubscriptOutOfRange,
                      QStringLiteral("Subscript out of range: language row %1").arg(k));
    const QString& name = state.languages.at(static_cast<size_t>(k)).displayName;
    for (int p = 0; p <= LastListPosition && p < entries.size(); ++p)
        if (entries.at(p) == name)
            return p;
    return 0;
}

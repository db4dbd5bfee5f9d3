#include "app/QtSettingsStore.h"

#include "app/Failure.h"

#include <QSettings>

namespace {
const QString Organization = QStringLiteral("Quillon Works");
const QString Section = QStringLiteral("KRVNM");
} // namespace

QtSettingsStore::QtSettingsStore()
    : settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, Organization, Section))
{}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
    settings->beginGroup(Section);
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::read(const QString& key, const QString& defaultValue)
{
    if (settings->status() != QSettings::NoError)
        throw Failure(FailureCode::Settings, QStringLiteral("Cannot read the settings store"));
    const QVariant value = settings->value(key);
    if (!value.isValid())
        return defaultValue;
    return value.toString();
}

void QtSettingsStore::write(const QString& key, const QString& text)
{
    settings->setValue(key, text);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        throw Failure(FailureCode::Settings, QStringLiteral("Cannot write the settings store"));
}

QString QtSettingsStore::location() const
{
    return settings->fileName();
}

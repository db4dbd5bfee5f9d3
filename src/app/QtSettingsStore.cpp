#include "app/QtSettingsStore.h"

#include "app/Failure.h"

#include <QSettings>

namespace {

const QString Organization = QStringLiteral("Quillon Works");
const QString Section = QStringLiteral("KRVNM");

struct Store : QSettings
{
    Store() : QSettings(QSettings::NativeFormat, QSettings::UserScope, Organization, Section) {}
};

} // namespace

QString QtSettingsStore::read(const QString& key, const QString& defaultValue)
{
    Store settings;
    const QVariant value = settings.value(key);
    // A malformed line elsewhere in the file (FormatError) leaves the other keys readable.
    if (settings.status() == QSettings::AccessError)
        throw Failure(FailureCode::Settings, QStringLiteral("Cannot read the settings store"));
    return value.isValid() ? value.toString() : defaultValue;
}

void QtSettingsStore::write(const QString& key, const QString& text)
{
    Store settings;
    settings.setValue(key, text);
    settings.sync();
    if (settings.status() == QSettings::AccessError)
        throw Failure(FailureCode::Settings, QStringLiteral("Cannot write the settings store"));
}

QString QtSettingsStore::location() const
{
    return Store().fileName();
}

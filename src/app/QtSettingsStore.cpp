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

QString QtSettingsStore::readText(const QString& name, const QString& whenAbsent)
{
    Store settings;
    const QVariant value = settings.value(name);
    // A malformed line elsewhere in the file (FormatError) leaves the other keys readable.
    if (settings.status() == QSettings::AccessError)
        throw Failure(FailureCode::Settings, QStringLiteral("Cannot read the settings store"));
    return value.isValid() ? value.toString() : whenAbsent;
}

void QtSettingsStore::writeText(const QString& name, const QString& text)
{
    Store settings;
    settings.setValue(name, text);
    settings.sync();
    if (settings.status() == QSettings::AccessError)
        throw Failure(FailureCode::Settings, QStringLiteral("Cannot write the settings store"));
}

QString QtSettingsStore::location() const
{
    return Store().fileName();
}

#include "MemorySettingsStore.h"

#include "app/Failure.h"

QString MemorySettingsStore::read(const QString& key, const QString& defaultValue)
{
    if (failingReads.contains(key))
        throw Failure(FailureCode::Settings, QStringLiteral("read failure injected for ") + key);
    return values.value(key, defaultValue);
}

void MemorySettingsStore::write(const QString& key, const QString& text)
{
    if (failingWrites.contains(key))
        throw Failure(FailureCode::Settings, QStringLiteral("write failure injected for ") + key);
    values.insert(key, text);
    writes.append({key, text});
}

#include "MemorySettingsStore.h"

#include "app/Failure.h"

QString MemorySettingsStore::readText(const QString& name, const QString& whenAbsent)
{
    if (failingReads.contains(name))
        throw Failure(FailureCode::Settings, QStringLiteral("read failure injected for ") + name);
    return values.value(name, whenAbsent);
}

void MemorySettingsStore::writeText(const QString& name, const QString& text)
{
    if (failingWrites.contains(name))
        throw Failure(FailureCode::Settings, QStringLiteral("write failure injected for ") + name);
    values.insert(name, text);
    writes.append({name, text});
}

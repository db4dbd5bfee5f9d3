#pragma once

#include "app/Failure.h"
#include "app/SettingsStore.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>

// Settings held in memory, with every write recorded in order and failures on demand.
class MemorySettingsStore : public SettingsStore
{
public:
    QHash<QString, QString> values;
    QList<QPair<QString, QString>> writes;
    QSet<QString> failingReads;
    QSet<QString> failingWrites;

protected:
    QString readText(const QString& name, const QString& whenAbsent) override
    {
        if (failingReads.contains(name))
            throw Failure(FailureCode::Settings, QStringLiteral("read failure injected for ") + name);
        return values.value(name, whenAbsent);
    }

    void writeText(const QString& name, const QString& text) override
    {
        if (failingWrites.contains(name))
            throw Failure(FailureCode::Settings, QStringLiteral("write failure injected for ") + name);
        values.insert(name, text);
        writes.append({name, text});
    }
};

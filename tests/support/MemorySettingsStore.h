#pragma once

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
    QString readText(const QString& name, const QString& whenAbsent) override;
    void writeText(const QString& name, const QString& text) override;
};

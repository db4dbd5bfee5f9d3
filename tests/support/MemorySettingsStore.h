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
    QString read(const QString& key, const QString& defaultValue) override;
    void write(const QString& key, const QString& text) override;

    QHash<QString, QString> values;
    QList<QPair<QString, QString>> writes;
    QSet<QString> failingReads;
    QSet<QString> failingWrites;
};

#pragma once

#include "app/SettingsStore.h"

// The real store: the registry on Windows, an INI file elsewhere. The only place that
// creates a QSettings. Each read and write opens the store afresh, so each is judged on
// its own result: QSettings keeps the first error it met for as long as it lives.
class QtSettingsStore : public SettingsStore
{
public:
    QString read(const QString& key, const QString& defaultValue) override;
    void write(const QString& key, const QString& text) override;

    // The settings file, or the registry key on Windows.
    QString location() const;
};

#pragma once

#include "app/SettingsStore.h"

// The real store: the registry on Windows, an INI file elsewhere. The only place that
// creates a QSettings. Each read and write opens the store afresh, so each is judged on
// its own result: QSettings keeps the first error it met for as long as it lives.
class QtSettingsStore : public SettingsStore
{
public:
    // The settings file, or the registry key on Windows.
    QString location() const;

protected:
    QString readText(const QString& name, const QString& whenAbsent) override;
    void writeText(const QString& name, const QString& text) override;
};

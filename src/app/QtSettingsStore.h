#pragma once

#include "app/SettingsStore.h"

#include <memory>

class QSettings;

// The real store: the registry on Windows, an INI file elsewhere. The only place that
// creates a QSettings.
class QtSettingsStore : public SettingsStore
{
public:
    QtSettingsStore();                                // the user's own settings
    explicit QtSettingsStore(const QString& iniFile); // a given INI file (sandboxes, the demo)
    ~QtSettingsStore() override;

    QString read(const QString& key, const QString& defaultValue) override;
    void write(const QString& key, const QString& text) override;

    QString location() const;

private:
    std::unique_ptr<QSettings> settings;
};

#pragma once

// Section "KRVNM" of application "Quillon Works": one text value per key.
// read() and write() throw Failure when the store cannot be used.

#include <QString>

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& key, const QString& defaultValue) = 0;
    virtual void write(const QString& key, const QString& text) = 0;
};

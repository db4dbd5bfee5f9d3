#pragma once

// The undo point of an installation folder: ".krvnm-backup", the files the last
// installation replaced with its record. Undoing renames it to ".krvnm-undo" first, so
// an undo that is interrupted is finished at the next start instead of half done.

#include "install/InstallRecord.h"

#include <QString>

#include <optional>

class InstallBackup
{
public:
    // The record of the installation that can be undone (or whose undo is unfinished).
    static std::optional<InstallRecord> record(const QString& root);
    // Puts the folder back as it was before the last installation and removes the
    // backup. False when something could not be put back; the rest is done at the next start.
    static bool restore(const QString& root);
};

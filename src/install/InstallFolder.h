#pragma once

// The folder a build is installed into when no game folder is known yet.

#include <QString>

class Platform;

class InstallFolder
{
public:
    // The game folder for a picked folder (ending in a separator): a root gets a
    // "Korvane" folder of its own, created here; any other folder is taken as it is.
    static QString fromAnswer(const QString& answer, Platform& platform);
    // Whether folder is the root of the file system or of a drive, however the system
    // writes it ("C:\", "/", the folder a drive letter stands for).
    static bool isRoot(const QString& folder, Platform& platform);
};

#pragma once

// The base set a game needs beside a build: graphics, sound and music in one of three
// complete file sets.

#include <QString>
#include <QStringList>

#include <array>

class BaseSet
{
public:
    // Sets A, B and C, each complete only with every one of its files.
    static const std::array<QStringList, 3>& fileSets();
    // Whether folder (ending in a separator) holds every file of at least one set. An
    // empty folder text names no folder and holds nothing.
    static bool isPresent(const QString& folder);
};

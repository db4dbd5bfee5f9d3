#pragma once

// What the start of the program does for the game folder: takes back an installation
// that a crash or power cut interrupted, finishes an interrupted undo, keeps the undo
// point of an installation that was done just before the end, and removes the
// leftovers of ours (staging folders, temporary files). Nothing else is touched.

#include <QString>

class InstallRecovery
{
public:
    enum class Outcome
    {
        Nothing,
        InstallationUndone, // the folder is as it was before the interrupted installation
        UndoFinished,
        Unfinished // something could not be put back; the next start tries again
    };

    static Outcome recover(const QString& root);
};

#pragma once

// An archive entry's name, split into the path elements it would create below the
// target folder, or the reason it must not be written at all. Names are checked for
// Windows as well as for the system we run on, so an archive that is refused on one
// is refused on every one.

#include <QString>
#include <QStringList>

enum class NameProblem
{
    None,
    Empty,
    ParentReference,    // ".." as a path element
    AbsolutePath,       // a leading separator, a UNC path
    DriveLetter,        // "C:" at the start
    DevicePath,         // "\\?\" or "\\.\"
    ReservedName,       // CON, NUL, AUX, PRN, COM1..9, LPT1..9, with or without an extension
    TrailingDotOrBlank, // Windows drops them, so the element would alias another
    ForbiddenCharacter, // < > : " | ? *  (":" would open an alternate data stream)
    ControlCharacter
};

struct EntryName
{
    QStringList elements; // empty for a name that only names the target folder itself ("./")
    bool folder = false;  // the name ends in a separator
    NameProblem problem = NameProblem::None;

    bool safe() const { return problem == NameProblem::None; }

    // "\" counts as a separator, as it does on Windows.
    static EntryName parse(const QString& name);
};

// A short English reason for a status line.
QString problemText(NameProblem problem);

#pragma once

// A step's failure: the number and description that the error report shows.

#include <QString>

#include <exception>

// The failure numbers this program raises. Each keeps the number earlier versions reported,
// so mailed reports stay comparable with theirs: the numbers are what users and support know.
enum class FailureCode : int
{
    Overflow = 6,                     // earlier reports' number for a value outside its range
    SubscriptOutOfRange = 9,          // earlier reports' number for a language row outside the list
    Conversion = 13,                  // earlier reports' number for a stored text that is no number
    Unexpected = 51,                  // earlier reports' number for anything the steps did not expect
    FileAccess = 53,                  // earlier reports' number for a file missing or unreadable
    PathAccess = 75,                  // earlier reports' number for a folder not made or not writable
    ResourceNotFound = 326,           // earlier reports' number for a missing built-in string row
    ControlArrayElementMissing = 340, // the options dialog's number for a connection type without a button
    ObjectRequired = 424,             // earlier reports' number for a control missing from its window
    Settings = 3001,                  // earlier reports' number for a settings store that cannot be used
};

struct Failure : std::exception
{
    Failure(FailureCode code, QString description) : code(static_cast<int>(code)), description(std::move(description))
    {}
    const char* what() const noexcept override { return "Korvane Manager failure"; }

    int code = 0; // the number the report shows
    QString description;
};

#pragma once

// A step's failure: the number and description that the error report shows.

#include <QString>

#include <exception>

struct Failure : std::exception
{
    Failure(int code, QString description) : code(code), description(std::move(description)) {}
    const char* what() const noexcept override { return "Korvane Manager failure"; }

    int code = 0;
    QString description;
};

// Failure numbers raised by this program's own steps.
namespace FailureCode {
constexpr int FileAccess = 53;        // file not found or unreadable
constexpr int PathAccess = 75;        // folder could not be created or written
constexpr int Settings = 3001;        // the settings store could not be read or written
constexpr int Conversion = 13;        // a stored text is not a number
constexpr int Overflow = 6;           // a number outside the range it must fit
constexpr int Unexpected = 51;        // anything the steps did not expect
constexpr int ResourceNotFound = 326; // a built-in string row is missing
} // namespace FailureCode

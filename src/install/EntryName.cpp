#include "install/EntryName.h"

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

bool isReservedDeviceName(const QString& element)
{
    // Windows ignores everything from the first dot and blanks before it: "nul .txt" is NUL.
    QString base = element.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    base = base.toUpper();
    static const QStringList plain = {QStringLiteral("CON"), QStringLiteral("PRN"),    QStringLiteral("AUX"),
                                      QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    if (plain.contains(base))
        return true;
    if (base.size() != 4 || !(base.startsWith(QStringLiteral("COM")) || base.startsWith(QStringLiteral("LPT"))))
        return false;
    const QChar digit = base.at(3);
    // Superscript one to three count as digits to Windows too.
    return (digit >= QLatin1Char('0') && digit <= QLatin1Char('9')) || digit == QChar(0x00B9) ||
           digit == QChar(0x00B2) || digit == QChar(0x00B3);
}

NameProblem elementProblem(const QString& element)
{
    if (element == QStringLiteral(".."))
        return NameProblem::ParentReference;
    for (const QChar c : element)
        if (QStringLiteral("<>:\"|?*").contains(c))
            return NameProblem::ForbiddenCharacter;
    if (element.endsWith(QLatin1Char('.')) || element.endsWith(QLatin1Char(' ')))
        return NameProblem::TrailingDotOrBlank;
    if (isReservedDeviceName(element))
        return NameProblem::ReservedName;
    return NameProblem::None;
}

EntryName refused(NameProblem problem)
{
    EntryName name;
    name.problem = problem;
    return name;
}

} // namespace

EntryName EntryName::parse(const QString& name)
{
    if (name.isEmpty())
        return refused(NameProblem::Empty);
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return refused(NameProblem::ControlCharacter);
    if (name.size() >= 4 && isSeparator(name.at(0)) && isSeparator(name.at(1)) &&
        (name.at(2) == QLatin1Char('?') || name.at(2) == QLatin1Char('.')) && isSeparator(name.at(3)))
        return refused(NameProblem::DevicePath);
    if (isSeparator(name.at(0)))
        return refused(NameProblem::AbsolutePath);
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter())
        return refused(NameProblem::DriveLetter);

    EntryName entry;
    entry.folder = isSeparator(name.back());
    QString element;
    const auto finishElement = [&] {
        // Empty and "." elements name the folder already reached.
        if (!element.isEmpty() && element != QStringLiteral(".")) {
            entry.problem = elementProblem(element);
            entry.elements.append(element);
        }
        element.clear();
        return entry.problem == NameProblem::None;
    };
    for (const QChar c : name) {
        if (!isSeparator(c)) {
            element.append(c);
            continue;
        }
        if (!finishElement())
            return refused(entry.problem);
    }
    if (!finishElement())
        return refused(entry.problem);
    // A file needs a name of its own; a folder may name the target itself ("./").
    if (entry.elements.isEmpty() && !entry.folder)
        return refused(NameProblem::Empty);
    return entry;
}

QString problemText(NameProblem problem)
{
    switch (problem) {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return QStringLiteral("empty name");
    case NameProblem::ParentReference:
        return QStringLiteral("\"..\" leads out of the target folder");
    case NameProblem::AbsolutePath:
        return QStringLiteral("absolute path");
    case NameProblem::DriveLetter:
        return QStringLiteral("drive letter");
    case NameProblem::DevicePath:
        return QStringLiteral("device path");
    case NameProblem::ReservedName:
        return QStringLiteral("reserved device name");
    case NameProblem::TrailingDotOrBlank:
        return QStringLiteral("trailing dot or blank");
    case NameProblem::ForbiddenCharacter:
        return QStringLiteral("character not allowed in a file name");
    case NameProblem::ControlCharacter:
        return QStringLiteral("control character");
    }
    return {};
}

#pragma once

// The built-in string table: every text of the eleven interface languages, the
// language descriptors, notices and translation-file templates, addressed by id.
// Language k owns ids 1000 * k + n for n = 1 to 88.

#include <QHash>
#include <QString>

#include <optional>

class BuiltinStrings
{
public:
    static constexpr int LanguageCount = 11;
    static constexpr int DescriptorBase = 600;

    // The table compiled into the program (UTF-8 data files, one per language).
    static const BuiltinStrings& compiled();

    // Adds rows from a data file: lines "number<TAB>text", '#' comments; \n and \\ escapes.
    // The numbers are row ids, plus idBase (1000 * k for a language file).
    void addRows(const QString& fileText, int idBase = 0);
    void setRow(int id, const QString& text) { rows.insert(id, text); }
    void removeRow(int id) { rows.remove(id); }

    std::optional<QString> lookup(int id) const;
    // A row the program cannot do without: a missing one fails with error 326, as a
    // resource missing from the executable does.
    QString required(int id) const;
    int size() const { return static_cast<int>(rows.size()); }

    // Row id of language string n in language k.
    static int rowId(int k, int n) { return 1000 * k + n; }

private:
    QHash<int, QString> rows;
};

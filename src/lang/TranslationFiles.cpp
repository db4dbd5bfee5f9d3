#include "lang/TranslationFiles.h"

#include "app/AppState.h"
#include "app/FailureScope.h"
#include "app/Version.h"
#include "app/Waits.h"
#include "lang/BuiltinStrings.h"

#include <QFile>
#include <QStringEncoder>

namespace {

constexpr int CompletionTemplate = 660;
constexpr int NewLanguageTemplate = 670;
constexpr int TemplateLineCount = 10;

const QString LineEnd = QStringLiteral("\r\n");

QString translationFileName(const QString& key)
{
    return QStringLiteral("krvnm_") + QLatin1String(VersionDigits) + QLatin1Char('_') + key.toLower() +
           QStringLiteral(".txt");
}

// Collects the file's lines step by step, then writes them in one go; nothing is
// reported, since the caller shows its message and opens the file all the same.
class TranslationFile
{
public:
    TranslationFile(const QString& source, const QString& folder, const QString& name, const BuiltinStrings& strings)
        : scope(nullptr, source), strings(strings)
    {
        scope.step([&] { path = pathIn(folder, name); });
    }

    template <typename MakeText> void line(MakeText&& makeText)
    {
        scope.step([&] { text += makeText() + LineEnd; });
    }

    void emptyLine() { text += LineEnd; }

    // Lines from template rows; the first names the program's version.
    void header(int firstRow, const QString& lastLineSuffix)
    {
        line([&] { return strings.required(firstRow).replace(QStringLiteral("%VER"), QLatin1String(AppVersionText)); });
        for (int id = firstRow + 1; id < firstRow + TemplateLineCount - 1; ++id)
            line([&] { return strings.required(id); });
        line([&] { return strings.required(firstRow + TemplateLineCount - 1) + lastLineSuffix; });
    }

    void save(int settleMs)
    {
        scope.step([&] { write(); });
        wait(settleMs);
        scope.clear();
    }

private:
    static QString pathIn(const QString& folder, const QString& name)
    {
        // An empty folder would mean the current directory; a separator in the name
        // (a language key from the settings) would lead out of the work folder.
        if (folder.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
            name.contains(QLatin1Char(':')))
            throw Failure(FailureCode::PathAccess, QStringLiteral("Path/File access error"));
        return folder + name;
    }

    void write() const
    {
        if (path.isEmpty())
            throw Failure(FailureCode::PathAccess, QStringLiteral("Path/File access error"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw Failure(FailureCode::PathAccess, QStringLiteral("Path/File access error: %1").arg(path));
        QStringEncoder encode(QStringConverter::System);
        const QByteArray bytes = encode(text);
        if (file.write(bytes) != bytes.size() || !file.flush())
            throw Failure(FailureCode::FileAccess, QStringLiteral("File write error: %1").arg(path));
    }

    FailureScope scope;
    const BuiltinStrings& strings;
    QString path;
    QString text;
};

} // namespace

QString completionFileName(const QString& language)
{
    return translationFileName(language);
}

QString newLanguageFileName()
{
    return translationFileName(QStringLiteral("english"));
}

void writeCompletionFile(const AppState& state, const BuiltinStrings& strings, int settleMs)
{
    TranslationFile file(QStringLiteral("WriteCompletionFile"), state.workFolder, completionFileName(state.language),
                         strings);
    file.header(CompletionTemplate, state.language);
    file.emptyLine();
    const int k = state.languageIndex;
    for (int n = 1; n <= AppState::LanguageStringCount; ++n) {
        const int id = BuiltinStrings::rowId(k, n);
        // A row no language has yet (its number kept for texts to come) has no text to complete.
        if (!strings.lookup(id) && !state.str(n).isEmpty())
            file.line([&] { return QString::number(id) + QStringLiteral(", \"") + state.str(n) + QLatin1Char('"'); });
    }
    file.save(settleMs);
}

void writeNewLanguageFile(const AppState& state, const BuiltinStrings& strings, int settleMs)
{
    TranslationFile file(QStringLiteral("WriteNewLanguageFile"), state.workFolder, newLanguageFileName(), strings);
    file.header(NewLanguageTemplate, QString());
    file.emptyLine();
    file.emptyLine();
    for (int n = 1; n <= AppState::LanguageStringCount; ++n) {
        if (!strings.lookup(n))
            continue;
        file.line([&] {
            return QStringLiteral("##%1, \"").arg(n, 3, 10, QLatin1Char('0')) + strings.required(n) + QLatin1Char('"');
        });
    }
    file.save(settleMs);
}

#include "lang/BuiltinStrings.h"

#include "app/Failure.h"

#include <QFile>
#include <QStringList>

namespace {

QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == QLatin1Char('n')) {
                out += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (next == QLatin1Char('\\')) {
                out += QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The data file of language k is named after its key in the descriptor.
QString languageFileName(const QString& descriptor)
{
    return descriptor.section(QLatin1Char('-'), 2).toLower() + QStringLiteral(".txt");
}

} // namespace

void BuiltinStrings::addRows(const QString& fileText, int idBase)
{
    const auto lines = QStringView(fileText).split(QLatin1Char('\n'));
    for (QStringView line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int number = line.left(tab).toInt(&ok);
        if (ok)
            rows.insert(idBase + number, unescape(line.mid(tab + 1)));
    }
}

std::optional<QString> BuiltinStrings::lookup(int id) const
{
    const auto found = rows.constFind(id);
    if (found == rows.constEnd())
        return std::nullopt;
    return *found;
}

QString BuiltinStrings::required(int id) const
{
    const auto text = lookup(id);
    if (!text)
        throw Failure(FailureCode::ResourceNotFound, QStringLiteral("Resource with identifier '%1' not found").arg(id));
    return *text;
}

const BuiltinStrings& BuiltinStrings::compiled()
{
    static const BuiltinStrings table = [] {
        BuiltinStrings strings;
        strings.addRows(readResource(QStringLiteral(":/lang/extra.txt")));
        for (int k = 0; k < LanguageCount; ++k) {
            const auto descriptor = strings.lookup(DescriptorBase + k);
            if (descriptor)
                strings.addRows(readResource(QStringLiteral(":/lang/") + languageFileName(*descriptor)), 1000 * k);
        }
        return strings;
    }();
    return table;
}

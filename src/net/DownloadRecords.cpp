#include "net/DownloadRecords.h"

#include "app/SettingsStore.h"

#include <QStringList>

namespace {

// Fields of a partial record; a tab cannot occur in an address or a validator we keep.
const QChar Separator = QLatin1Char('\t');

bool isHexDigest(const QByteArray& text)
{
    if (text.size() != 64)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

} // namespace

QByteArray DownloadRecords::digest(const QString& fileName) const
{
    const QByteArray text = store.readItem(SettingKey::ArchiveDigest, fileName).toLatin1();
    return isHexDigest(text) ? text : QByteArray();
}

void DownloadRecords::recordDigest(const QString& fileName, const QByteArray& hexDigest)
{
    store.writeItem(SettingKey::ArchiveDigest, fileName, QString::fromLatin1(hexDigest));
}

DownloadRecords::Partial DownloadRecords::partial(const QString& fileName) const
{
    const QStringList fields = store.readItem(SettingKey::PartialDownload, fileName).split(Separator);
    if (fields.size() != 4)
        return {};
    Partial partial{fields[0], fields[1], fields[2].toLongLong(), fields[3].toLatin1()};
    if (!isHexDigest(partial.digest))
        return {};
    return partial;
}

void DownloadRecords::recordPartial(const QString& fileName, const Partial& partial)
{
    if (partial.url.contains(Separator) || partial.validator.contains(Separator))
        return forgetPartial(fileName);
    store.writeItem(
        SettingKey::PartialDownload, fileName,
        QStringList{partial.url, partial.validator, QString::number(partial.bytes), QString::fromLatin1(partial.digest)}
            .join(Separator));
}

void DownloadRecords::forgetPartial(const QString& fileName)
{
    if (!store.readItem(SettingKey::PartialDownload, fileName).isEmpty())
        store.writeItem(SettingKey::PartialDownload, fileName, QString());
}

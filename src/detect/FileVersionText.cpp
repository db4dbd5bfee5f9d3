#include "detect/FileVersionText.h"

#include "detect/ByteSource.h"
#include "detect/PeImage.h"
#include "detect/VersionInfo.h"

std::u16string fileVersionTextOf(ByteSource& source)
{
    PeImage image(source);
    const auto resource = image.versionResource();
    if (!resource)
        return {};
    return VersionInfo(*resource).fileVersion();
}

std::u16string getFileVersionText(const std::filesystem::path& path)
{
    FileByteSource source(path);
    if (!source.isOpen())
        return {};
    return fileVersionTextOf(source);
}

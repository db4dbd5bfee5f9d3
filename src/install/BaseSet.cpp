#include "install/BaseSet.h"

#include <QFileInfo>

#include <algorithm>

const std::array<QStringList, 3>& BaseSet::fileSets()
{
    static const std::array<QStringList, 3> sets{
        QStringList{QStringLiteral("gm_tt00.gm"), QStringLiteral("gm_tt21.gm"), QStringLiteral("sample.cat")},
        QStringList{QStringLiteral("trg1r.grf"), QStringLiteral("trgcr.grf"), QStringLiteral("trghr.grf"),
                    QStringLiteral("trgir.grf"), QStringLiteral("trgtr.grf")},
        QStringList{QStringLiteral("trg1.grf"), QStringLiteral("trgc.grf"), QStringLiteral("trgh.grf"),
                    QStringLiteral("trgi.grf"), QStringLiteral("trgt.grf")}};
    return sets;
}

bool BaseSet::isPresent(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    return std::any_of(fileSets().begin(), fileSets().end(), [&](const QStringList& set) {
        return std::all_of(set.begin(), set.end(),
                           [&](const QString& name) { return QFileInfo(folder + name).isFile(); });
    });
}

#pragma once

// The running system, except that ending the process returns to the tour (which still
// has the shutdown to check) and documents are listed instead of opened in a browser.

#include "sysinfo/SystemPlatform.h"

#include <QStringList>

class TourPlatform : public SystemPlatform
{
public:
    void openDocument(const QString& target) override { openedDocuments << target; }
    void endProcess() override;

    bool ended = false;
    QStringList openedDocuments;
};

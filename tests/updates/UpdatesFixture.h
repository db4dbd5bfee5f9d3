#pragma once

// A check's surroundings: the test HTTP server as feed, build and maker servers, a work folder, the English texts,
// fake seams and a real download engine over the network, reporting to a recording window; both checks on TestDay.

#include "FakeServices.h"
#include "RecordingMainView.h"
#include "TestHttpServer.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "net/DownloadEngine.h"
#include "net/QtTransferComponent.h"
#include "updates/ReleaseCatalogue.h"
#include "updates/SelfUpdateCheck.h"

#include <QDate>
#include <QDir>

inline const QDate TestDay(2024, 5, 17);

struct UpdatesFixture : FakeServices
{
    explicit UpdatesFixture(TestHttpServer& server)
    {
        loadLanguageStrings(state, BuiltinStrings::compiled());
        state.connectionType = 1;
        state.appVersion = "1.0.4";
        state.endpoints.feedServer = server.url();
        state.endpoints.buildServer = server.url();
        state.endpoints.makerServer = server.url();
        state.workFolder = QDir::toNativeSeparators(temp.path()) + QDir::separator();
        state.versionsFile = state.workFolder + "versions.tmp";
        state.listingFile = state.workFolder + "krvnsupd.tmp";
        state.managerFile = state.workFolder + "krvnmngr.tmp";
        // A text without a line feed keeps its size through the line-end conversion.
        services.timings.waits.fileTimeoutMs = 300;
        platform.date = TestDay;
    }

    AppState state;
    QtTransferComponent transfer;
    RecordingMainView view;
    DownloadEngine engine{state, transfer, platform, services.timings.download, view, view};
    ReleaseCatalogue catalogue{state, services, engine, view, view.views()};
    SelfUpdateCheck selfCheck{state, services, engine, view};
};

#pragma once

// A check's surroundings: the test HTTP server standing in for the feed, build and maker
// servers, a work folder, the English texts, fake seams, and a real download engine
// over the network component, reporting to a recording window; both checks on TestDay.

#include "FakeServices.h"
#include "RecordingCatalogueView.h"
#include "TestHttpServer.h"
#include "app/AppState.h"
#include "app/Waits.h"
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
        state.LanguageIndex = 0;
        LoadLanguageStrings(state, BuiltinStrings::Compiled());
        state.ConnectionType = 1;
        state.AppVersion = "1.0.4";
        state.endpoints.feedServer = server.url();
        state.endpoints.buildServer = server.url();
        state.endpoints.makerServer = server.url();
        state.WorkFolder = QDir::toNativeSeparators(temp.path()) + QDir::separator();
        state.VersionsFile = state.WorkFolder + "versions.tmp";
        state.ListingFile = state.WorkFolder + "krvnsupd.tmp";
        state.ManagerFile = state.WorkFolder + "krvnmngr.tmp";
        // A text without a line feed keeps its size through the line-end conversion.
        CurrentWaitTimings().fileTimeoutMs = 300;
        catalogue.today = [] { return TestDay; };
        selfCheck.today = [] { return TestDay; };
    }
    ~UpdatesFixture() { CurrentWaitTimings() = savedWaits; }

    WaitTimings savedWaits = CurrentWaitTimings();
    AppState state;
    QtTransferComponent intMain;
    RecordingCatalogueView view;
    DownloadEngine engine{state, intMain, platform, view};
    ReleaseCatalogue catalogue{state, services, engine, view};
    SelfUpdateCheck selfCheck{state, services, engine, view};
};

#pragma once

// The program composed over fakes: an in-memory settings store, a fake platform whose
// work folder lies in a temporary folder, scripted dialogs and a recording error handler.

#include "FakeServices.h"
#include "app/AppState.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"

#include <QDir>

#include <memory>

struct AppFixture : FakeServices
{
    explicit AppFixture(bool realNetwork = false) : FakeServices(realNetwork)
    {
        platform.workFolderPath =
            QDir::toNativeSeparators(temp.filePath(QStringLiteral("windows/temp/krvnm"))) + QDir::separator();
    }

    // A new program over the same store and platform, as at the next start, after its start-up.
    MainWindow& startWindow()
    {
        app.reset();
        state = std::make_unique<AppState>();
        app = std::make_unique<Application>(*state, services, dialogs);
        return app->load();
    }

    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::unique_ptr<Application> app;
};

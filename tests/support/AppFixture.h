#pragma once

// The main window wired to fakes: an in-memory settings store, a fake platform whose
// work folder lies in a temporary folder, scripted dialogs and a recording error handler.

#include "FakeServices.h"
#include "app/AppState.h"
#include "app/frmMain.h"

#include <QDir>

#include <memory>

struct AppFixture : FakeServices
{
    AppFixture()
    {
        platform.workFolderPath =
            QDir::toNativeSeparators(temp.filePath(QStringLiteral("windows/temp/krvnm"))) + QDir::separator();
    }

    // A new window over the same store and platform, as at the next start of the program.
    frmMain& startWindow()
    {
        window.reset();
        state = std::make_unique<AppState>();
        window = std::make_unique<frmMain>(*state, services);
        window->Load();
        return *window;
    }

    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::unique_ptr<frmMain> window;
};

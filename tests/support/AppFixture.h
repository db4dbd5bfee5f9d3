#pragma once

// The main window wired to fakes: an in-memory settings store, a fake platform whose
// work folder lies in a temporary folder, scripted dialogs and a recording error handler.

#include "FakePlatform.h"
#include "FakeTransfer.h"
#include "MemorySettingsStore.h"
#include "RecordingErrorHandler.h"
#include "ScriptedDialogs.h"
#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/frmMain.h"
#include "lang/BuiltinStrings.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

struct AppFixture
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

    QTemporaryDir temp;
    MemorySettingsStore settings;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    RecordingErrorHandler errors;
    FakeTransfer transfer;
    AppServices services{settings, platform, dialogs, errors, BuiltinStrings::Compiled(), &transfer};
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::unique_ptr<frmMain> window;
};

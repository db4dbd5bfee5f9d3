#pragma once

// Every seam answered by a fake: an in-memory settings store, a fake platform, scripted
// dialogs, a recording error handler and a transfer component that only says whether
// it is busy; plus a temporary folder for the test's files.

#include "FakePlatform.h"
#include "FakeTransfer.h"
#include "MemorySettingsStore.h"
#include "RecordingErrorHandler.h"
#include "ScriptedDialogs.h"
#include "app/AppServices.h"
#include "lang/BuiltinStrings.h"

#include <QTemporaryDir>

struct FakeServices
{
    QTemporaryDir temp;
    MemorySettingsStore settings;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    RecordingErrorHandler errors;
    FakeTransfer transfer;
    AppServices services{settings, platform, dialogs, errors, BuiltinStrings::Compiled(), &transfer};
};

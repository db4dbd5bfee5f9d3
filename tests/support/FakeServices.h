#pragma once

// Every seam answered by a fake: an in-memory settings store, a fake platform, scripted
// dialogs, a recording error handler and a transfer component that only says whether
// it is busy (or, when asked for, the real one); plus a temporary folder for the files.

#include "FakePlatform.h"
#include "FakeTransfer.h"
#include "MemorySettingsStore.h"
#include "RecordingErrorHandler.h"
#include "ScriptedDialogs.h"
#include "app/AppServices.h"
#include "lang/BuiltinStrings.h"
#include "net/QtTransferComponent.h"

#include <QTemporaryDir>

#include <memory>

struct FakeServices
{
    explicit FakeServices(bool realNetwork = false)
        : network(realNetwork ? std::make_unique<QtTransferComponent>() : nullptr),
          services(settings, platform, dialogs, errors, BuiltinStrings::compiled(),
                   network ? static_cast<TransferComponent&>(*network) : transfer)
    {}

    QTemporaryDir temp;
    MemorySettingsStore settings;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    RecordingErrorHandler errors;
    FakeTransfer transfer;
    std::unique_ptr<QtTransferComponent> network;
    AppServices services;
};

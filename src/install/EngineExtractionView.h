#pragma once

// The extraction's view of the main window, passed through the download engine: the
// label goes through DownloadEngine::SetDownloadStatus, so the engine's memory of the
// label stays true and the "Done." that follows an extraction is really shown.

#include "install/ExtractionView.h"

class DownloadEngine;
class DownloadView;

class EngineExtractionView : public ExtractionView
{
public:
    EngineExtractionView(DownloadEngine& engine, DownloadView& view) : engine(engine), view(view) {}

    void addStatusLine(const QString& line) override;
    void setDownloadLabel(const QString& text) override;
    void setProgressVisible(bool visible) override;
    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;

private:
    DownloadEngine& engine;
    DownloadView& view;
};

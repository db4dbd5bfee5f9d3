#include "install/EngineExtractionView.h"

#include "net/DownloadEngine.h"
#include "net/DownloadView.h"

void EngineExtractionView::addStatusLine(const QString& line)
{
    view.addStatusLine(line);
}

void EngineExtractionView::setDownloadLabel(const QString& text)
{
    engine.setDownloadStatus(text);
}

void EngineExtractionView::setProgressVisible(bool visible)
{
    view.setProgressVisible(visible);
}

void EngineExtractionView::setProgressMaximum(int maximum)
{
    view.setProgressMaximum(maximum);
}

void EngineExtractionView::setProgressValue(int value)
{
    view.setProgressValue(value);
}

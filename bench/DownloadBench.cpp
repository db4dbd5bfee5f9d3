// Downloads a large generated file over loopback through the download engine (which
// hashes every byte with SHA-256 as it arrives) and reports throughput and peak memory,
// then times curl on the same address, the hash on its own against Qt's, and what
// resuming an interrupted download costs.
// The memory figures are this process's resident high-water mark over a 16 MiB download
// and over the large ones, each reset just before (PeakMemory.h). The test server runs
// in this process and is counted with them: it streams from a 64 KiB pattern, so it adds
// its threads' stacks and socket buffers, not the file.
// Usage: download_bench [size in MiB, default 512] [runs, default 3]

#include "FakePlatform.h"
#include "MemorySettingsStore.h"
#include "PeakMemory.h"
#include "TestHttpServer.h"
#include "app/AppState.h"
#include "app/MainControls.h"
#include "app/Timings.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "net/DownloadEngine.h"
#include "net/DownloadRecords.h"
#include "net/DownloadView.h"
#include "net/QtTransferComponent.h"
#include "net/Sha256.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts what the engine shows, so the refresh rate can be reported.
class CountingView : public DownloadView, public MainControls
{
public:
    void setDownloadLabel(const QString&) override { ++labelChanges; }
    void setProgressVisible(bool) override {}
    void setProgressMaximum(int) override {}
    void setProgressValue(int) override { ++barChanges; }
    void setProgressBusy() override {}
    void addStatusLine(const QString& line) override { last = line; }
    QString lastStatusLine() const override { return last; }
    void setTimeoutTimerActive(bool) override {}
    void hideStatusIcons() override {}
    void clearStatusList() override {}
    void enableControls(bool) override {}
    void setStatusBar(const QString&) override {}

    QString last;
    int labelChanges = 0;
    int barChanges = 0;
};

double mibPerSecond(qint64 bytes, qint64 ms)
{
    return ms > 0 ? double(bytes) / (1024.0 * 1024.0) / (double(ms) / 1000.0) : 0.0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The hash alone over bytes in memory, in the engine's read size.
template <typename Add> double hashRate(const QByteArray& bytes, int passes, Add add)
{
    constexpr qsizetype Piece = 256 * 1024;
    QElapsedTimer clock;
    clock.start();
    for (int pass = 0; pass < passes; ++pass)
        for (qsizetype at = 0; at < bytes.size(); at += Piece)
            add(bytes.constData() + at, std::min(Piece, bytes.size() - at));
    return mibPerSecond(bytes.size() * passes, clock.elapsed());
}

void reportHashRates()
{
    const QByteArray bytes = TestHttpServer::generatedBytes(0, 64 * 1024 * 1024);
    Sha256 ours;
    const double engine = hashRate(bytes, 8, [&](const char* data, qsizetype size) { ours.add(data, size_t(size)); });
    QCryptographicHash qt(QCryptographicHash::Sha256);
    const double qtRate = hashRate(bytes, 8, [&](const char* data, qsizetype size) { qt.addData({data, size}); });
    std::printf("SHA-256 alone: %.0f MiB/s (the engine's), %.0f MiB/s (QCryptographicHash)\n", engine, qtRate);
}

// A download cut off halfway, then resumed, against the same file fetched whole.
bool reportResumeCost(DownloadEngine& engine, TestHttpServer& server, const QString& folder)
{
    constexpr qint64 Size = 128 * 1024 * 1024;
    MemorySettingsStore settings;
    DownloadRecords records(settings);
    engine.setRecords(&records);
    const QByteArray body = TestHttpServer::generatedBytes(0, Size);
    server.serveResumable(QStringLiteral("/resume.bin"), body, {QStringLiteral("\"r1\""), true, 1, Size / 2});
    const QString url = server.url(QStringLiteral("/resume.bin"));
    const QString target = folder + QStringLiteral("/resume.bin");
    QElapsedTimer clock;
    engine.downloadFile(url, target, false, 0);
    const qint64 kept = QFileInfo(target + QStringLiteral(".part")).size();
    clock.start();
    const bool resumed = engine.downloadFile(url, target, false, 0);
    const qint64 resumeMs = clock.elapsed();
    const QByteArray resumedDigest = engine.lastDigest();
    QFile::remove(target);
    server.serveResumable(QStringLiteral("/resume.bin"), body, {QStringLiteral("\"r1\"")});
    clock.restart();
    const bool whole = engine.downloadFile(url, target, false, 0);
    const qint64 wholeMs = clock.elapsed();
    engine.setRecords(nullptr);
    if (!resumed || !whole || kept != Size / 2 || resumedDigest != engine.lastDigest()) {
        std::fprintf(stderr, "resume failed (%lld bytes kept)\n", kept);
        return false;
    }
    std::printf("resume: the second half of %lld MiB in %lld ms (the kept half hashed again meanwhile); the whole "
                "file in %lld ms, half of it %lld ms\n",
                Size >> 20, resumeMs, wholeMs, wholeMs / 2);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 mib = args.size() > 1 ? args.at(1).toLongLong() : 512;
    const int runs = args.size() > 2 ? args.at(2).toInt() : 3;
    const qint64 size = mib * 1024 * 1024;

    TestHttpServer server;
    if (!server.start()) {
        std::fprintf(stderr, "the test server did not start\n");
        return 1;
    }
    server.serveGenerated(QStringLiteral("/big.bin"), size);
    server.serveGenerated(QStringLiteral("/small.bin"), 16 * 1024 * 1024);
    const QString url = server.url(QStringLiteral("/big.bin"));

    QTemporaryDir temp;
    const QString target = temp.filePath(QStringLiteral("big.bin"));

    AppState state;
    loadLanguageStrings(state, BuiltinStrings::compiled());
    state.connectionType = 1;
    FakePlatform platform;
    QtTransferComponent transfer;
    CountingView view;
    const DownloadTimings timings;
    DownloadEngine engine(state, transfer, platform, timings, view, view);
    engine.prepareConnection();

    // A small download first, so the peak memory of a large one can be compared with it.
    const bool reset = PeakMemory::reset();
    const long residentAtReset = PeakMemory::statusKiB("VmRSS");
    engine.downloadFile(server.url(QStringLiteral("/small.bin")), temp.filePath(QStringLiteral("small.bin")), false, 0);
    const long peakSmall = PeakMemory::statusKiB("VmHWM");
    PeakMemory::reset();

    std::printf("file: %lld MiB over loopback, %d runs\n", mib, runs);
    std::vector<double> engineRates;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(target);
        view.labelChanges = 0;
        QElapsedTimer clock;
        clock.start();
        const bool ok = engine.downloadFile(url, target, false, 0);
        const qint64 ms = clock.elapsed();
        if (!ok || QFileInfo(target).size() != size) {
            std::fprintf(stderr, "engine download failed: %s\n", qPrintable(view.last));
            return 1;
        }
        engineRates.push_back(mibPerSecond(size, ms));
        std::printf("engine run %d: %lld ms, %.0f MiB/s, %d label updates (%.1f per second)\n", run + 1, ms,
                    engineRates.back(), view.labelChanges,
                    view.labelChanges * 1000.0 / double(std::max<qint64>(ms, 1)));
    }
    std::printf("peak memory (VmHWM%s): %ld KiB over a 16 MiB download, %ld KiB over the %lld MiB ones; %ld KiB "
                "resident before\n",
                reset ? ", reset before each" : " NOT reset, so whole-process", peakSmall,
                PeakMemory::statusKiB("VmHWM"), mib, residentAtReset);

    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty()) {
        std::printf("engine median: %.0f MiB/s; curl not found, no comparison\n", median(engineRates));
        return 0;
    }
    std::vector<double> curlRates;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(target);
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(curl,
                      {QStringLiteral("-s"), QStringLiteral("--noproxy"), QStringLiteral("*"), QStringLiteral("-H"),
                       QStringLiteral("Accept-Encoding: identity"), QStringLiteral("-o"), target, url});
        process.waitForFinished(-1);
        const qint64 ms = clock.elapsed();
        if (process.exitCode() != 0 || QFileInfo(target).size() != size) {
            std::fprintf(stderr, "curl failed\n");
            return 1;
        }
        curlRates.push_back(mibPerSecond(size, ms));
        std::printf("curl run %d: %lld ms, %.0f MiB/s\n", run + 1, ms, curlRates.back());
    }
    const double engineMedian = median(engineRates);
    const double curlMedian = median(curlRates);
    std::printf("median: engine %.0f MiB/s, curl %.0f MiB/s, engine at %.0f%% of curl\n", engineMedian, curlMedian,
                100.0 * engineMedian / curlMedian);
    reportHashRates();
    return reportResumeCost(engine, server, temp.path()) ? 0 : 1;
}

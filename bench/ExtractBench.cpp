// Makes a build-like archive (a few thousand files of mixed sizes, some compressible,
// some not) with Info-ZIP's zip, then extracts it with UnzipArchive and with
// `unzip -o -q` into fresh folders, alternating. Reports the time ratio, our peak memory
// over a small and over the large archive's extractions, and the longest pause of the
// window's thread (a 1 ms timer on it, with real list, label and progress bar widgets).
// The memory figures are this process's resident high-water mark reset just before each
// measured part (PeakMemory.h), so the files generated for the archives are not counted;
// zip and unzip run as children and are not counted either.
// Usage: extract_bench [archive size in MiB, default 300] [runs, default 3] [work folder]

#include "PeakMemory.h"
#include "ScriptedDialogs.h"
#include "app/AppState.h"
#include "install/ExtractionView.h"
#include "install/ZipExtractor.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The status panel's widgets, set up and driven as the main window does.
class WidgetView : public ExtractionView
{
public:
    WidgetView()
    {
        list.setSelectionMode(QAbstractItemView::NoSelection);
        list.setUniformItemSizes(true);
    }
    void addStatusLine(const QString& line) override
    {
        list.addItem(line);
        list.scrollToBottom();
    }
    void setDownloadLabel(const QString& text) override { label.setText(text); }
    void setProgressVisible(bool visible) override { bar.setVisible(visible); }
    void setProgressMaximum(int maximum) override { bar.setMaximum(maximum); }
    void setProgressValue(int value) override { bar.setValue(value); }

    QListWidget list;
    QLabel label;
    QProgressBar bar;
};

struct Random
{
    quint64 state;
    quint64 next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
};

const char* const Words[] = {"korvane", "level",  "texture",  "sound", "model",   "script", "player", "vehicle",
                             "track",   "engine", "station",  "train", "signal",  "road",   "bridge", "tunnel",
                             "cargo",   "town",   "industry", "coal",  "company", "map",    "tile",   "sprite"};

// Text-like bytes that deflate to about a quarter, or noise that does not shrink at all.
QByteArray content(Random& random, qint64 size, bool compressible)
{
    QByteArray bytes;
    bytes.reserve(size);
    while (bytes.size() < size) {
        if (compressible) {
            bytes += Words[random.next() % std::size(Words)];
            bytes += (random.next() % 9 == 0) ? '\n' : ' ';
        } else {
            const quint64 value = random.next();
            bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
        }
    }
    bytes.truncate(size);
    return bytes;
}

// Writes files until their expected deflated size reaches archiveBytes: many small
// scripts and texts, some medium data files, a few large packed resources.
int makeTree(const QString& root, qint64 archiveBytes, quint64 seed)
{
    Random random{seed};
    qint64 expected = 0;
    int files = 0;
    while (expected < archiveBytes) {
        const quint64 pick = random.next() % 100;
        const qint64 size = pick < 80   ? 512 + qint64(random.next() % (48 * 1024))
                            : pick < 97 ? 64 * 1024 + qint64(random.next() % (1024 * 1024))
                                        : 2 * 1024 * 1024 + qint64(random.next() % (8 * 1024 * 1024));
        const bool compressible = random.next() % 100 < 55;
        const QString folder = root + QStringLiteral("/data/%1/%2").arg(files % 17).arg(files % 5);
        QDir().mkpath(folder);
        QFile file(
            folder +
            QStringLiteral("/file%1.%2").arg(files).arg(compressible ? QStringLiteral("txt") : QStringLiteral("pak")));
        if (!file.open(QIODevice::WriteOnly) || file.write(content(random, size, compressible)) != size)
            return -1;
        expected += compressible ? size / 4 : size;
        ++files;
    }
    return files;
}

bool runCommand(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStandardPaths::findExecutable(program), arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Files and bytes below a folder, to see that both tools wrote the same.
QPair<int, qint64> tally(const QString& root)
{
    QPair<int, qint64> tally{0, 0};
    for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        it.next();
        ++tally.first;
        tally.second += it.fileInfo().size();
    }
    return tally;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 mib = args.size() > 1 ? args.at(1).toLongLong() : 300;
    const int runs = args.size() > 2 ? args.at(2).toInt() : 3;
    QTemporaryDir work(args.size() > 3 ? args.at(3) + QStringLiteral("/extract-bench-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/extract-bench-XXXXXX"));
    if (!work.isValid() || QStandardPaths::findExecutable(QStringLiteral("zip")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty()) {
        std::fprintf(stderr, "needs a work folder and Info-ZIP's zip and unzip\n");
        return 1;
    }

    const QString bigZip = work.filePath(QStringLiteral("build.zip"));
    const QString smallZip = work.filePath(QStringLiteral("small.zip"));
    QElapsedTimer clock;
    clock.start();
    const int bigFiles = makeTree(work.filePath(QStringLiteral("big")), mib << 20, 1);
    const int smallFiles = makeTree(work.filePath(QStringLiteral("small")), std::max<qint64>(mib / 10, 1) << 20, 2);
    if (bigFiles < 0 || smallFiles < 0 ||
        !runCommand(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"), bigZip, QStringLiteral("data")},
                    work.filePath(QStringLiteral("big"))) ||
        !runCommand(QStringLiteral("zip"),
                    {QStringLiteral("-q"), QStringLiteral("-r"), smallZip, QStringLiteral("data")},
                    work.filePath(QStringLiteral("small")))) {
        std::fprintf(stderr, "could not make the archives\n");
        return 1;
    }
    QDir(work.filePath(QStringLiteral("big"))).removeRecursively();
    QDir(work.filePath(QStringLiteral("small"))).removeRecursively();
    std::printf("archives: %d files in %lld MiB, %d files in %lld MiB (made in %lld s)\n", bigFiles,
                QFileInfo(bigZip).size() >> 20, smallFiles, QFileInfo(smallZip).size() >> 20, clock.elapsed() / 1000);

    AppState state;
    loadLanguageStrings(state, BuiltinStrings::compiled());
    ScriptedDialogs dialogs;
    WidgetView view;
    ZipExtractor extractor(state, dialogs, view);

    const bool reset = PeakMemory::reset();
    const long residentAtReset = PeakMemory::statusKiB("VmRSS");
    if (!extractor.unzipArchive(smallZip, work.filePath(QStringLiteral("small-out")), true)) {
        std::fprintf(stderr, "the small archive did not extract\n");
        return 1;
    }
    QDir(work.filePath(QStringLiteral("small-out"))).removeRecursively();
    const long peakSmall = PeakMemory::statusKiB("VmHWM");

    // The window's thread: the longest time between two ticks of a 1 ms timer.
    QElapsedTimer sinceTick;
    qint64 longestPauseNs = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestPauseNs = std::max(longestPauseNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });

    std::vector<double> ours;
    std::vector<double> theirs;
    PeakMemory::reset();
    QPair<int, qint64> ourTally;
    int lines = 0;
    QPair<int, qint64> theirTally;
    for (int run = 0; run < runs; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool oursNow = (run + turn) % 2 == 0;
            const QString out = work.filePath(QStringLiteral("out"));
            QDir(out).removeRecursively();
            ::sync(); // the previous run's writing must not slow this one down
            view.list.clear();
            const int who = oursNow ? RUSAGE_SELF : RUSAGE_CHILDREN;
            const double cpuBefore = cpuMs(who);
            clock.restart();
            bool ok = false;
            if (oursNow) {
                sinceTick.start();
                tick.start(1);
                ok = extractor.unzipArchive(bigZip, out + QLatin1Char('/'), true);
                tick.stop();
            } else {
                ok = runCommand(QStringLiteral("unzip"),
                                {QStringLiteral("-o"), QStringLiteral("-q"), bigZip, QStringLiteral("-d"), out},
                                work.path());
            }
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            const double cpu = cpuMs(who) - cpuBefore;
            if (!ok) {
                std::fprintf(stderr, "%s failed\n", oursNow ? "UnzipArchive" : "unzip");
                return 1;
            }
            (oursNow ? ours : theirs).push_back(ms);
            (oursNow ? ourTally : theirTally) = tally(out);
            std::printf("run %d %-12s %8.0f ms (CPU %.0f ms)\n", run + 1, oursNow ? "UnzipArchive" : "unzip -o -q", ms,
                        cpu);
            if (oursNow)
                lines = view.list.count();
        }
    }
    QDir(work.filePath(QStringLiteral("out"))).removeRecursively();
    if (ourTally != theirTally) {
        std::fprintf(stderr, "the outputs differ: %d files, %lld bytes against %d files, %lld bytes\n", ourTally.first,
                     ourTally.second, theirTally.first, theirTally.second);
        return 1;
    }

    const double ratio = median(ours) / median(theirs);
    std::printf("median: UnzipArchive %.0f ms, unzip %.0f ms, ratio %.3f (target <= 1.05)\n", median(ours),
                median(theirs), ratio);
    std::printf("peak memory (VmHWM%s): %ld KiB over the small archive, %ld KiB over the large one "
                "(target < 100 MiB, flat); %ld KiB resident before\n",
                reset ? ", reset before each" : " NOT reset, so whole-process", peakSmall,
                PeakMemory::statusKiB("VmHWM"), residentAtReset);
    std::printf("longest pause of the window's thread: %.1f ms (target < 100 ms), %d status lines\n",
                double(longestPauseNs) / 1e6, lines);
    return 0;
}

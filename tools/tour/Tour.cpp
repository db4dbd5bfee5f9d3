#include "Tour.h"

#include "TourDialogs.h"
#include "TourPlatform.h"
#include "app/AppState.h"
#include "app/ObjectNames.h"
#include "app/SettingsStore.h"
#include "app/StringIds.h"
#include "app/TransferComponent.h"
#include "detect/FileVersionText.h"
#include "detect/GameDetection.h"
#include "install/ArchiveSource.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace {

// The files of the three complete base sets; one complete set is enough.
const std::vector<std::vector<const char*>>& baseSets()
{
    static const std::vector<std::vector<const char*>> sets = {
        {"gm_tt00.gm", "gm_tt21.gm", "sample.cat"},
        {"trg1r.grf", "trgcr.grf", "trghr.grf", "trgir.grf", "trgtr.grf"},
        {"trg1.grf", "trgc.grf", "trgh.grf", "trgi.grf", "trgt.grf"}};
    return sets;
}

bool holdsBaseSet(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    for (const auto& set : baseSets())
        if (std::all_of(set.begin(), set.end(),
                        [&](const char* name) { return QFileInfo::exists(folder + QLatin1String(name)); }))
            return true;
    return false;
}

QString slug(const QString& name)
{
    QString slug;
    for (const QChar c : name.toLower())
        slug += c.isLetterOrNumber() ? c : QLatin1Char('-');
    while (slug.contains(QLatin1String("--")))
        slug.replace(QLatin1String("--"), QLatin1String("-"));
    return slug;
}

QString lastLine(const QListWidget* list)
{
    return list && list->count() > 0 ? list->item(list->count() - 1)->text() : QString();
}

} // namespace

Tour::Tour(AppState& state, SettingsStore& settings, MainWindow& window, TourDialogs& dialogs, TourPlatform& platform,
           TransferComponent& transfer, QString screenshotFolder)
    : state(state), settings(settings), window(window), dialogs(dialogs), platform(platform), transfer(transfer),
      screenshotFolder(std::move(screenshotFolder))
{}

QStringList Tour::statusLines() const
{
    QStringList lines;
    const auto* list = window.findChild<QListWidget*>(QStringLiteral("lstStatus"));
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QMap<QString, QByteArray> Tour::gameFolderState() const
{
    QMap<QString, QByteArray> items;
    const QDir root(state.krvnPath);
    QDirIterator it(state.krvnPath, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        items.insert(root.relativeFilePath(info.filePath()),
                     info.isDir() || !file.open(QIODevice::ReadOnly)
                         ? QByteArray()
                         : QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return items;
}

bool Tour::interruptInstall(std::uint8_t product, const QString& version, bool withCancelButton, QStringList& problems)
{
    const QString part = ArchiveSource::forBuild(state, product, version).localPath + QStringLiteral(".part");
    // A part kept from before is not new body; neither is a proxy's demand for credentials.
    const qint64 keptBytes = QFileInfo(part).size();
    bool cut = false;
    // As soon as the program has written body it read, as a dropped connection or a closed
    // program would. The cut happens within the component's news, not queued after it: the
    // rest of the archive may arrive in one more piece, and a queued cut would come too late.
    const QMetaObject::Connection watch = QObject::connect(&transfer, &TransferComponent::activity, &window, [&] {
        if (cut || !transfer.stillExecuting() || QFileInfo(part).size() <= keptBytes)
            return;
        cut = true;
        if (withCancelButton)
            window.findChild<QPushButton*>(ObjectName::cmdCancel)->click();
        else
            transfer.cancel();
    });
    dialogs.expect({});
    window.findChild<QPushButton*>(QStringLiteral("cmdLU"))->click();
    QObject::disconnect(watch);
    if (!cut)
        problems << QStringLiteral("the download ended before it could be interrupted");
    else if (!QFileInfo::exists(part))
        problems << QStringLiteral("the interrupted download kept no part file");
    return cut && QFileInfo::exists(part);
}

bool Tour::stage(const QString& name, const std::function<QString(QStringList&)>& action)
{
    ++number;
    std::printf("%d. %s\n", number, qPrintable(name));
    std::fflush(stdout);
    QStringList problems;
    dialogs.expect({}); // a stage that asks for boxes says so in its action
    const QString shown = action(problems);
    problems << dialogs.problems();
    QCoreApplication::processEvents();
    if (!screenshotFolder.isEmpty()) {
        const QString path =
            QDir(screenshotFolder)
                .filePath(QStringLiteral("%1-%2.png").arg(number, 2, 10, QLatin1Char('0')).arg(slug(name)));
        if (!window.grab().save(path))
            problems << QStringLiteral("no screenshot saved as ") + path;
    }
    const bool ok = problems.isEmpty();
    std::printf("%s %d. %s: %s%s\n", ok ? "[ok]" : "[FAILED]", number, qPrintable(name), qPrintable(shown),
                ok ? "" : qPrintable(QStringLiteral(" -- ") + problems.join(QStringLiteral("; "))));
    std::fflush(stdout);
    return ok;
}

void Tour::checkCancelled(const QMap<QString, QByteArray>& before, QStringList& problems) const
{
    const auto* list = window.findChild<QListWidget*>(ObjectName::lstStatus);
    if (lastLine(list) != state.str(Str::Cancelled))
        problems << QStringLiteral("the status list ends \"%1\"").arg(lastLine(list));
    if (window.findChild<QPushButton*>(ObjectName::cmdCancel)->isVisible())
        problems << QStringLiteral("the Cancel button is still shown");
    if (!window.findChild<QPushButton*>(ObjectName::cmdLU)->isEnabled())
        problems << QStringLiteral("the window is not idle again");
    if (gameFolderState() != before)
        problems << QStringLiteral("the game folder changed");
}

bool Tour::baseSetPresent() const
{
    return holdsBaseSet(state.baseSetFolder);
}

void Tour::checkInstalled(const QString& version, QStringList& problems) const
{
    const QString exe = QDir(state.krvnPath).filePath(QStringLiteral("korvane.exe"));
    const QString read = QString::fromStdU16String(getFileVersionText(exe.toStdU16String()));
    if (read != version)
        problems << QStringLiteral("%1 names version \"%2\", not %3").arg(exe, read, version);
    const QString label = QString(state.str(Str::VersionDetected)).replace(QStringLiteral("#1#"), version);
    if (window.findChild<QLabel*>(ObjectName::lblVersion)->text() != label)
        problems << QStringLiteral("the version label does not read \"%1\"").arg(label);
    if (!baseSetPresent())
        problems << QStringLiteral("no complete base set in \"%1\"").arg(state.baseSetFolder);
}

QString Tour::install(const QString& version, bool nightly, QStringList& problems)
{
    if (version.isEmpty()) {
        problems << QStringLiteral("no version to install");
        return {};
    }
    // The base set is asked for when the folder the new version uses lacks one.
    const QString baseSetFolder =
        state.krvnPath +
        (GameDetection::keepsBaseSetInData(version) ? QStringLiteral("data") : QStringLiteral("baseset")) +
        QDir::separator();
    std::deque<std::vector<ExpectedBox>> boxes;
    if (nightly)
        boxes.push_back(
            {{state.str(Str::NightlyWarning), MessageIcon::Question, MessageButtons::OkCancel, Answer::Ok}});
    boxes.push_back({{state.str(Str::InstalledAt) + QStringLiteral("\r\n") + state.krvnPath, MessageIcon::Information,
                      MessageButtons::Ok, Answer::Ok}});
    if (!holdsBaseSet(baseSetFolder))
        boxes.push_back({{state.str(Str::BaseSetMissing), MessageIcon::Question, MessageButtons::YesNo, Answer::Yes}});
    dialogs.expect(boxes);

    auto* cmdLU = window.findChild<QPushButton*>(ObjectName::cmdLU);
    if (cmdLU->text() != state.str(Str::InstallNow))
        problems << QStringLiteral("the main button reads \"%1\"").arg(cmdLU->text());
    cmdLU->click(); // runs the whole installation, the window staying live meanwhile
    checkInstalled(version, problems);
    if (!cmdLU->isEnabled())
        problems << QStringLiteral("the main button stayed disabled");
    const QString status = lastLine(window.findChild<QListWidget*>(ObjectName::lstStatus));
    return QStringLiteral("\"%1\", base set in %2, status list ends \"%3\"")
        .arg(window.findChild<QLabel*>(ObjectName::lblVersion)->text(), state.baseSetFolder, status);
}

bool Tour::run()
{
    bool ok = true;
    auto* cmdLU = window.findChild<QPushButton*>(ObjectName::cmdLU);
    auto* cboRestore = window.findChild<QComboBox*>(ObjectName::cboRestore);
    auto* lstStatus = window.findChild<QListWidget*>(ObjectName::lstStatus);
    auto row = [this](int index) { return window.findChild<QRadioButton*>(QStringLiteral("optGet%1").arg(index)); };
    auto rowStatus = [this](int index) {
        return window.findChild<QLabel*>(QStringLiteral("imgStatus%1").arg(index))->toolTip();
    };

    ok &= stage(QStringLiteral("Start"), [&](QStringList& problems) {
        if (state.krvnExe.isEmpty())
            problems << QStringLiteral("no game found at start-up");
        if (cmdLU->text() != state.str(Str::CheckForUpdates))
            problems << QStringLiteral("the main button reads \"%1\"").arg(cmdLU->text());
        return QStringLiteral("\"%1\" in %2")
            .arg(window.findChild<QLabel*>(ObjectName::lblVersion)->text(), state.krvnPath);
    });

    ok &= stage(QStringLiteral("Check for Updates"), [&](QStringList& problems) {
        // No boxes: the day's self-update check has already been made.
        cmdLU->click();
        const QStringList captions = {QStringLiteral("Korvane ") + state.latestStable + QStringLiteral(" (stable)"),
                                      QStringLiteral("Korvane ") +
                                          QString(state.latestBeta).replace(QLatin1Char('-'), QLatin1Char(' ')),
                                      QStringLiteral("Korvane ") + state.latestNightly + QStringLiteral(" (nightly)")};
        for (int index = 0; index < 3; ++index) {
            if (row(index)->text() != captions[index] || !row(index)->isEnabled())
                problems << QStringLiteral("row %1 reads \"%2\"%3")
                                .arg(index)
                                .arg(row(index)->text(),
                                     row(index)->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
        }
        if (state.latestStable.isEmpty() || state.latestBeta.isEmpty() || state.latestNightly.isEmpty())
            problems << QStringLiteral("a channel is missing from the feed");
        if (cboRestore->count() <= 10 || !cboRestore->isEnabled())
            problems << QStringLiteral("%1 older releases listed").arg(cboRestore->count());
        if (cmdLU->text() != state.str(Str::InstallNow))
            problems << QStringLiteral("the main button reads \"%1\"").arg(cmdLU->text());
        if (lastLine(lstStatus) != state.str(Str::UpdatesListDownloaded))
            problems << QStringLiteral("the status list ends \"%1\"").arg(lastLine(lstStatus));
        return QStringLiteral("rows \"%1\", \"%2\", \"%3\"; %4 older releases from \"%5\"; button \"%6\"")
            .arg(row(0)->text(), row(1)->text(), row(2)->text())
            .arg(cboRestore->count())
            .arg(cboRestore->itemText(0), cmdLU->text());
    });

    ok &= stage(QStringLiteral("Install Now on the stable row"), [&](QStringList& problems) {
        row(0)->click();
        const QString shown = install(state.latestStable, false, problems);
        if (rowStatus(0) != state.str(Str::NowInstalled))
            problems << QStringLiteral("row 0 shows \"%1\"").arg(rowStatus(0));
        // The base set, installed last, cleared the build's lines; it is verified the same way.
        if (!statusLines().contains(state.str(Str::ChecksumVerified)))
            problems << QStringLiteral("no \"%1\" in the status list").arg(state.str(Str::ChecksumVerified));
        return QStringLiteral("\"%1\" in the status list; ").arg(state.str(Str::ChecksumVerified)) + shown;
    });

    ok &= stage(QStringLiteral("Cancel the download of the beta"), [&](QStringList& problems) {
        row(1)->click();
        const auto before = gameFolderState();
        if (!interruptInstall(1, state.latestBeta, true, problems))
            return QStringLiteral("not cancelled");
        checkCancelled(before, problems);
        return QStringLiteral("status list ends \"%1\", the part kept, the game folder untouched")
            .arg(lastLine(lstStatus));
    });

    ok &= stage(QStringLiteral("Install Now on the beta row, interrupted and resumed"), [&](QStringList& problems) {
        row(1)->click();
        if (!interruptInstall(1, state.latestBeta, false, problems))
            return QStringLiteral("not interrupted");
        const QString shown = install(state.latestBeta, false, problems);
        const QString resuming = QRegularExpression::escape(state.str(Str::ResumingAt))
                                     .replace(QStringLiteral("\\#1\\#"), QStringLiteral("[1-9][0-9]*"));
        const QStringList lines = statusLines();
        if (lines.filter(QRegularExpression(QLatin1Char('^') + resuming + QLatin1Char('$'))).size() != 1)
            problems << QStringLiteral("the download was not resumed: ") + lines.join(QStringLiteral(" | "));
        if (!lines.contains(state.str(Str::ChecksumVerified)))
            problems << QStringLiteral("the resumed archive was not verified");
        return lines.filter(QRegularExpression(resuming)).join(QString()) + QStringLiteral("; ") + shown;
    });

    ok &= stage(QStringLiteral("Undo the last installation from the File menu"), [&](QStringList& problems) {
        // The beta went over the stable build, whose base set stays where it was.
        dialogs.expect({{{QString(state.str(Str::ConfirmUndo)).replace(QStringLiteral("#1#"), state.latestStable),
                          MessageIcon::Question, MessageButtons::YesNo, Answer::Yes}}});
        QAction* undo = window.findChild<QAction*>(QStringLiteral("mnuUndo"));
        if (!undo->isEnabled())
            problems << QStringLiteral("the menu command is disabled");
        undo->trigger();
        checkInstalled(state.latestStable, problems);
        if (undo->isEnabled())
            problems << QStringLiteral("the menu command is still enabled with nothing left to undo");
        if (lastLine(lstStatus) != state.str(Str::UndoDone))
            problems << QStringLiteral("the status list ends \"%1\"").arg(lastLine(lstStatus));
        return QStringLiteral("\"%1\"; status list ends \"%2\"")
            .arg(window.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), lastLine(lstStatus));
    });

    ok &= stage(QStringLiteral("Install Now on the beta row again, from the kept archive"), [&](QStringList& problems) {
        row(1)->click();
        return install(state.latestBeta, false, problems);
    });

    ok &= stage(QStringLiteral("Cancel the installation of the nightly as it unpacks"), [&](QStringList& problems) {
        row(2)->click();
        const auto before = gameFolderState();
        const QString archive = ArchiveSource::forBuild(state, 2, state.latestNightly).localPath;
        const QString unpacking = QString(state.str(Str::Extracting)).section(QStringLiteral("#FN#"), 0, 0);
        // Pressed the moment the unpacking is announced, before its first entry: the
        // extraction runs on and then stops after the entry in hand.
        bool pressed = false;
        const QMetaObject::Connection watch =
            QObject::connect(lstStatus->model(), &QAbstractItemModel::rowsInserted, &window, [&] {
                if (!pressed && lastLine(lstStatus).startsWith(unpacking)) {
                    pressed = true;
                    window.findChild<QPushButton*>(ObjectName::cmdCancel)->click();
                }
            });
        dialogs.expect(
            {{{state.str(Str::NightlyWarning), MessageIcon::Question, MessageButtons::OkCancel, Answer::Ok}}});
        cmdLU->click();
        QObject::disconnect(watch);
        if (!pressed)
            problems << QStringLiteral("the unpacking never started");
        checkCancelled(before, problems);
        if (!QFileInfo::exists(archive))
            problems << QStringLiteral("the archive was not kept for the next try");
        return QStringLiteral("status list ends \"%1\", the archive kept, the game folder untouched")
            .arg(lastLine(lstStatus));
    });

    ok &= stage(QStringLiteral("Install Now on the nightly row"), [&](QStringList& problems) {
        row(2)->click();
        return install(state.latestNightly, true, problems);
    });

    ok &= stage(QStringLiteral("Install an older release from the list"), [&](QStringList& problems) {
        // The newest release in the list that is not a beta.
        int pick = -1;
        for (int index = cboRestore->count() - 1; index >= 0 && pick < 0; --index)
            if (!cboRestore->itemText(index).section(QLatin1Char(' '), 0, 0).contains(QLatin1Char('-')))
                pick = index;
        if (pick < 0) {
            problems << QStringLiteral("no release in the list");
            return QString();
        }
        // As the user does it: into the list, then the pick.
        window.activateWindow();
        cboRestore->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        if (!row(3)->isChecked()) {
            problems << QStringLiteral("entering the list did not select its row");
            row(3)->click();
        }
        cboRestore->setCurrentIndex(pick);
        Q_EMIT cboRestore->activated(pick);
        const QString version = cboRestore->itemText(pick).section(QLatin1Char(' '), 0, 0);
        return QStringLiteral("picked \"%1\"; ").arg(cboRestore->itemText(pick)) + install(version, false, problems);
    });

    ok &= stage(QStringLiteral("Check for a new Manager from the menu"), [&](QStringList& problems) {
        QString available = state.str(Str::ManagerUpdateAvailable);
        available.truncate(available.indexOf(QLatin1String("#1#")));
        // A different version is offered (answered No: no browser); the same one is reported.
        dialogs.expect({{{available, MessageIcon::Exclamation, MessageButtons::YesNo, Answer::No},
                         {state.str(Str::LatestManager), MessageIcon::Information, MessageButtons::Ok, Answer::Ok}}});
        QAction* command = window.findChild<QAction*>(ObjectName::mnuCheckSelfUpdate);
        if (!command->isEnabled())
            problems << QStringLiteral("the menu command is disabled");
        command->trigger();
        if (command->isEnabled())
            problems << QStringLiteral("the menu command is still enabled after a completed check");
        if (!platform.openedDocuments.isEmpty())
            problems << QStringLiteral("opened ") + platform.openedDocuments.join(QStringLiteral(", "));
        return QStringLiteral("status list ends \"%1\"; %2")
            .arg(lastLine(lstStatus), dialogs.shown().join(QStringLiteral(", ")));
    });

    ok &= stage(QStringLiteral("Close"), [&](QStringList& problems) {
        const QString installed = state.krvnVersion;
        window.close();
        QCoreApplication::processEvents();
        if (!platform.ended || window.isVisible())
            problems << QStringLiteral("the window did not shut down");
        const QString stored = settings.read(SettingKey::KrvnVersion);
        const QString stable = settings.read(SettingKey::LatestStable, QString());
        if (stored != installed || stable != state.latestStable)
            problems << QStringLiteral("stored KRVNVersion \"%1\", LatestStable \"%2\"").arg(stored, stable);
        return QStringLiteral("shut down; stored KRVNVersion=%1, LatestStable=%2").arg(stored, stable);
    });
    return ok;
}

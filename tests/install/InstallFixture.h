#pragma once

// An installation's surroundings: the test HTTP server standing in for the build and
// maker servers, a work folder, a game folder, the English texts, fake seams, and the
// real download engine, extraction and game detection reporting to a recording window.
// Archives are made at test time with the zip tool around a game executable that
// carries a real version resource.

#include "FakeServices.h"
#include "GameFixture.h"
#include "InstallTestSupport.h"
#include "RecordingMainView.h"
#include "TestHttpServer.h"
#include "detect/GameDetection.h"
#include "install/EngineExtractionView.h"
#include "install/Installer.h"
#include "net/DownloadEngine.h"
#include "net/QtTransferComponent.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStringList>
#include <QTest>

#include <memory>

struct InstallFixture : FakeServices
{
    InstallFixture()
    {
        loadEnglish(state);
        state.connectionType = 1;
        state.endpoints.buildServer = server.url();
        state.endpoints.makerServer = server.url();
        state.workFolder = folder("work");
        state.krvnPath = folder("game");
        state.appFolder = folder("app");
        state.managerFile = state.workFolder + "krvnmngr.tmp";
        state.updaterFile = state.workFolder + "updater4.exe";
        platform.applicationPath = state.appFolder + "krvnm";
        services.timings.install = {0, 0, 0};
        engine.setRecords(&records);
    }

    // A folder below the temporary one, created, ending in the system's separator.
    QString folder(const QString& relative) const
    {
        const QString path = QDir::toNativeSeparators(temp.filePath(relative)) + QDir::separator();
        QDir().mkpath(path);
        return path;
    }

    // A zip of korvane.exe with the version resource version.
    QByteArray buildArchive(const QString& version)
    {
        const QString source = folder(QStringLiteral("scratch/%1").arg(++archives));
        writeGame(source, "korvane.exe", version);
        const QString zip = temp.filePath(QStringLiteral("scratch/%1.zip").arg(archives));
        const QString failure = runTool("zip", {"-q", "-r", zip, "."}, source);
        if (!failure.isEmpty())
            QTest::qFail(qPrintable("zip: " + failure), __FILE__, __LINE__);
        return readFile(zip);
    }

    static QByteArray sha256(const QByteArray& bytes)
    {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    }
    // As if this program had downloaded bytes as the work folder's file name.
    void recordDownload(const QString& name, const QByteArray& bytes) { records.recordDigest(name, sha256(bytes)); }

    void answer(const QList<Answer>& answers) { dialogs.answers.append(answers); }

    // The requests for files, without the look-ups of their published checksums.
    QStringList fileRequests() const
    {
        QStringList paths = collect(server.requests(), &TestHttpServer::Request::path);
        paths.removeIf([](const QString& path) { return path.endsWith(QLatin1String(".sha256")); });
        return paths;
    }
    QStringList reportSources() const { return collect(errors.reports, &RecordingErrorHandler::Report::source); }
    QStringList messageTexts() const { return collect(dialogs.messages, &MessageRequest::text); }

    template <typename List, typename Member> static QStringList collect(const List& items, Member member)
    {
        QStringList values;
        for (const auto& item : items)
            values.append(item.*member);
        return values;
    }

    TestHttpServer server;
    bool serving = server.start();
    int archives = 0;
    AppState state;
    QtTransferComponent transfer;
    RecordingMainView view;
    DownloadRecords records{settings};
    DownloadEngine engine{state, transfer, platform, services.timings.download, view, view};
    EngineExtractionView extractionView{engine, view};
    ZipExtractor extractor{state, dialogs, extractionView};
    GameDetection detection{state, services, view.views()};
    Installer installer{state, services, engine, extractor, detection, view, view.views()};
};

// A test class whose every test function starts in fresh surroundings.
class InstallTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<InstallFixture> f;

protected Q_SLOTS:
    void init()
    {
        f = std::make_unique<InstallFixture>();
        QVERIFY(f->serving);
    }
};

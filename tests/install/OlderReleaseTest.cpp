#include "InstallFixture.h"
#include "TestMain.h"

#include <QTest>

class OlderReleaseTest : public InstallTest
{
    Q_OBJECT

private Q_SLOTS:
    // The pick itself is checked through the window (MainWindowTest::olderReleasePick).
    void withoutValidSelectionThePreviousPickIsInstalled()
    {
        f->state.olderReleases.clear();
        for (int i = 0; i < 11; ++i)
            f->state.olderReleases.append({QStringLiteral("1.0.%1").arg(i), "2020-01-01"});
        f->state.olderReleases.append(ReleaseRecord{}); // the list's empty closing record
        f->server.serveBytes("/binaries/releases/1.0.2/korvane-1.0.2-windows-win32.zip", f->buildArchive("1.0.2"));
        f->answer({Answer::Ok, Answer::No, Answer::Ok, Answer::No});
        f->view.restoreIndex = 2;
        f->installer.installProduct(Installer::OlderRelease);

        f->view.restoreIndex = -1;
        f->installer.installProduct(Installer::OlderRelease);

        QCOMPARE(f->installer.selectedVersion(), QStringLiteral("1.0.2"));
        QCOMPARE(f->fileRequests().size(), 1);
        QCOMPARE(f->view.lines.last(), QStringLiteral("New version installed successfully."));
        QCOMPARE(f->reportSources(), QStringList{"LiveUpdateNow - ProductID #3"});
    }

    // A release older than the installed one is installed only after a Yes to a question
    // that names both versions, No being the default.
    void goingBackIsAskedFirst_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<std::optional<Answer>>("answer"); // none: no question is asked
        const auto row = [](const char* name, const QString& installed, const QString& picked,
                            std::optional<Answer> answer) { QTest::newRow(name) << installed << picked << answer; };
        row("older, No", "1.4.0", "1.3.3", Answer::No);
        row("older, Yes", "1.4.0", "1.3.3", Answer::Yes);
        row("beta of the installed release", "1.4.0", "1.4.0-beta5", Answer::No);
        row("numbers, not text", "1.9.0", "1.10.0", {});
        row("the installed one", "1.4.0", "1.4.0", {});
        row("newer", "1.4.0", "1.4.1", {});
    }
    void goingBackIsAskedFirst()
    {
        QFETCH(QString, installed);
        QFETCH(QString, picked);
        QFETCH(std::optional<Answer>, answer);
        f->state.olderReleases = {ReleaseRecord{picked, "2012-01-01"}, ReleaseRecord{}};
        f->view.restoreIndex = 0;
        f->state.krvnVersion = installed;
        f->server.serveBytes("/binaries/releases/" + picked + "/korvane-" + picked + "-windows-win32.zip",
                             f->buildArchive(picked));
        if (answer)
            f->dialogs.answers.enqueue(*answer);
        f->answer({Answer::Ok, Answer::No});

        f->installer.installProduct(Installer::OlderRelease);

        const bool goesOn = answer.value_or(Answer::Yes) == Answer::Yes;
        QCOMPARE(f->fileRequests().size(), goesOn ? 1 : 0);
        QCOMPARE(f->view.enables, goesOn ? QList<bool>({false, true}) : QList<bool>());
        if (!answer)
            return;
        const MessageRequest& question = f->dialogs.messages.first();
        QCOMPARE(question.text, "Korvane " + picked + " is older than the installed version " + installed +
                                    ". Do you really want to go back to the older version?");
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.defaultButton, std::optional(Answer::No));
        QCOMPARE(question.icon, MessageIcon::Question);
    }
};

KRVNM_REGISTER_TEST(OlderReleaseTest)
#include "OlderReleaseTest.moc"

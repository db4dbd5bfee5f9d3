#include "AppFixture.h"
#include "TestMain.h"
#include "app/MainCommands.h"
#include "app/ObjectNames.h"

#include <QPushButton>
#include <QTest>

// `cmdCancel` beside the progress bar: there only while the window is busy, reached by
// Tab, pressed by its own click and never by Escape, which stays cmdExit's.
class CancelButtonTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownOnlyWhileBusyAndNotPressedByEscape()
    {
        AppFixture app;
        MainWindow& window = app.startWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MainCommands& commands = app.app->commands();
        auto* cancel = window.findChild<QPushButton*>(ObjectName::cmdCancel);
        QVERIFY(cancel);
        QVERIFY(cancel->isHidden());

        commands.enableControls(false);
        QVERIFY(cancel->isVisible() && cancel->isEnabled());
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(cancel->focusPolicy() & Qt::TabFocus);
        QVERIFY(!cancel->isDefault());
        QTest::keyClick(&window, Qt::Key_Escape);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Escape);
        QVERIFY(!commands.cancelToken().stop_requested());
        QVERIFY(window.isVisible());

        QTest::keyClick(cancel, Qt::Key_Space);
        QVERIFY(commands.cancelToken().stop_requested());
    }
};

KRVNM_REGISTER_TEST(CancelButtonTest)
#include "CancelButtonTest.moc"

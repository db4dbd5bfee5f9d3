#include "TestMain.h"

#include <QApplication>
#include <QTest>

std::vector<TestFactory>& TestRegistry()
{
    static std::vector<TestFactory> registry;
    return registry;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int status = 0;
    for (const TestFactory& make : TestRegistry()) {
        const std::unique_ptr<QObject> test = make();
        status |= QTest::qExec(test.get(), argc, argv);
    }
    return status;
}

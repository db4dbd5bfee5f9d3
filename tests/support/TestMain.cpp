#include "TestMain.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>

std::vector<RegisteredTest>& testRegistry()
{
    static std::vector<RegisteredTest> registry;
    return registry;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // "--class Name" picks one test class; QTest sees the remaining arguments.
    const char* only = nullptr;
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--class") == 0 && i + 1 < argc)
            only = argv[++i];
        else
            arguments.push_back(argv[i]);
    }
    int count = static_cast<int>(arguments.size());
    QApplication app(count, arguments.data());
    int status = 0;
    bool found = false;
    for (const RegisteredTest& test : testRegistry()) {
        if (only && std::strcmp(only, test.name) != 0)
            continue;
        found = true;
        status |= QTest::qExec(test.make().get(), count, arguments.data());
    }
    if (only && !found) {
        std::fprintf(stderr, "no test class %s\n", only);
        return 2;
    }
    return status;
}

#pragma once

// Each test class registers itself; the shared main() of a subsystem's test executable
// runs them all, or with "--class Name" only that one, under the offscreen platform.

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

struct RegisteredTest
{
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
};
std::vector<RegisteredTest>& testRegistry();

#define KRVNM_REGISTER_TEST(Class)                                                                                     \
    static const bool Class##Registered =                                                                              \
        (testRegistry().push_back({#Class, [] { return std::make_unique<Class>(); }}), true);

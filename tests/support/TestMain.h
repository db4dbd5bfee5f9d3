#pragma once

// Each test class registers itself; the shared main() of a subsystem's test executable
// runs them all under the offscreen platform.

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& TestRegistry();

#define KRVNM_REGISTER_TEST(Class)                                                                                     \
    static const bool Class##Registered = (TestRegistry().push_back([] { return std::make_unique<Class>(); }), true);

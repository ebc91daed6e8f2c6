// Lets several Qt Test classes share one executable per folder: each test file
// registers its class, and the shared main runs them all in order.
#pragma once

#include <QObject>
#include <functional>

namespace testing {

int addTest(std::function<QObject *()> create);
int runAll(int argc, char **argv);

} // namespace testing

#define REGISTER_TEST(TestClass) \
    static const int registered_##TestClass = ::testing::addTest([] { return new TestClass; });

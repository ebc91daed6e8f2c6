// The registry of test classes and the runner behind the shared main.
#include "TestRegistry.h"

#include <QApplication>
#include <QList>
#include <QTest>
#include <memory>

namespace testing {
namespace {

QList<std::function<QObject *()>> &registry()
{
    static QList<std::function<QObject *()>> tests;
    return tests;
}

} // namespace

int addTest(std::function<QObject *()> create)
{
    registry().append(std::move(create));
    return int(registry().size());
}

int runAll(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto &create : registry()) {
        std::unique_ptr<QObject> test(create());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace testing

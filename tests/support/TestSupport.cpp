// Shared helpers of the tests.
#include "TestSupport.h"

#include <QTest>

namespace testing {

ScriptedUi::ScriptedUi()
    : m_scope(new ui::ScopedServices({&boxes, &pointer, &runner}))
{
    boxes.onUnexpected = [](const ui::ShownBox &box) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + describe(box)), __FILE__, __LINE__);
    };
}

ScriptedUi::~ScriptedUi() { delete m_scope; }

QString describe(const ui::ShownBox &box)
{
    return QStringLiteral("title \"%1\", text \"%2\"").arg(box.title, box.text);
}

std::optional<rt::RuntimeError> errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const rt::RuntimeError &error) {
        return error;
    }
    return std::nullopt;
}

qint32 errorNumberOf(const std::function<void()> &call)
{
    const std::optional<rt::RuntimeError> error = errorOf(call);
    return error ? error->number() : 0;
}

rt::RuntimeError raisedBy(const std::function<void()> &call)
{
    const std::optional<rt::RuntimeError> error = errorOf(call);
    if (!error)
        QTest::qFail("the call raised no run-time error", __FILE__, __LINE__);
    return error.value_or(rt::RuntimeError(0, QString(), QString()));
}

} // namespace testing

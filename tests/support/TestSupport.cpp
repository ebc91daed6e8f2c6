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

} // namespace testing

// The user's actions on the dialog and the readings of its controls.
#include "FormActions.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

namespace testing {

bool ownEnabled(const QWidget *widget) { return !widget->testAttribute(Qt::WA_Disabled); }

void typeInto(QLineEdit *box, const QString &text)
{
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void act(GUI &form, const QString &steps)
{
    for (const QString &step : steps.split(QStringLiteral(", "))) {
        const QString name = step.section(QLatin1Char('='), 0, 0), text = step.section(QLatin1Char('='), 1);
        if (auto *button = form.findChild<QPushButton *>(step)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (auto *box = form.findChild<QLineEdit *>(name); box && name != step) {
            typeInto(box, text);
        } else if (auto *list = form.findChild<QComboBox *>(name); list && name != step) {
            list->setCurrentIndex(text.toInt());
        } else if (step.startsWith(QLatin1String("wheel "))) {
            QWheelEvent notch(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(form.findChild<QWidget *>(step.mid(6)), &notch);
        } else if (step == QLatin1String("close")) {
            form.close();
        } else {
            QTest::keySequence(form.txtPartitionName, QKeySequence(step));
        }
    }
}

QString shown(const GUI &form, const QString &names)
{
    QStringList texts;
    for (const QString &name : names.split(QLatin1Char(' '))) {
        const QWidget *control = form.findChild<QWidget *>(name);
        if (auto *box = qobject_cast<const QLineEdit *>(control))
            texts << box->text();
        else if (auto *list = qobject_cast<const QComboBox *>(control))
            texts << list->currentText();
        else
            texts << QString::number(control ? ownEnabled(control) : form.isVisible());
    }
    return texts.join(QLatin1Char('|'));
}

} // namespace testing

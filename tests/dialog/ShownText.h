// The text a control shows: a label's, button's or box's text, a list's
// current entry, a frame's title, or the title bar of a window.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace testing {

inline QString shownText(const QWidget *control)
{
    if (!control)
        return QStringLiteral("<no control>");
    if (control->isWindow())
        return control->windowTitle();
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *box = qobject_cast<const QLineEdit *>(control))
        return box->text();
    if (auto *list = qobject_cast<const QComboBox *>(control))
        return list->currentText();
    if (auto *button = qobject_cast<const QPushButton *>(control))
        return button->text();
    if (auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    return QString();
}

} // namespace testing

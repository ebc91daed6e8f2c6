// Answers the tooltip request of a label, a drop-down list or its open list
// with the text under the pointer, when the room the control gives that text
// is narrower than the font needs for it.
#include "partition_settings/dialog/ClippedTextTips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QStyleOptionComboBox>
#include <QToolTip>

namespace clippedTextTips {
namespace {

bool clipped(const QWidget *control, const QString &text, int room)
{
    return !text.isEmpty() && control->fontMetrics().horizontalAdvance(text) > room;
}

QString clippedLabelText(const QLabel *label)
{
    return clipped(label, label->text(), label->contentsRect().width()) ? label->text() : QString();
}

QString clippedEntryText(const QComboBox *list)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    return clipped(list, list->currentText(), field.width()) ? list->currentText() : QString();
}

// An item's text has the focus frame's margin on either side.
QString clippedItemText(const QAbstractItemView *view, const QPoint &at)
{
    const QModelIndex index = view->indexAt(at);
    const QString text = index.data(Qt::DisplayRole).toString();
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    return clipped(view, text, view->visualRect(index).width() - margins) ? text : QString();
}

QString clippedTextAt(QObject *watched, const QPoint &at)
{
    if (const auto *label = qobject_cast<QLabel *>(watched))
        return clippedLabelText(label);
    if (const auto *list = qobject_cast<QComboBox *>(watched))
        return clippedEntryText(list);
    if (const auto *view = qobject_cast<QAbstractItemView *>(watched->parent()))
        return clippedItemText(view, at);
    return {};
}

class TipFilter : public QObject
{
public:
    using QObject::QObject;

private:
    // A list's open list is made on first use, as a press on the enabled list
    // can open it: only then is it watched, so that loading the form (or a
    // click on a disabled list) makes none.
    void watchOpenList(QObject *watched, QEvent::Type type)
    {
        auto *list = qobject_cast<QComboBox *>(watched);
        if (list && list->isEnabled() && (type == QEvent::MouseButtonPress || type == QEvent::KeyPress))
            list->view()->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        watchOpenList(watched, event->type());
        if (event->type() != QEvent::ToolTip)
            return false;
        const auto *help = static_cast<QHelpEvent *>(event);
        // No text hides a tooltip still shown.
        QToolTip::showText(help->globalPos(), clippedTextAt(watched, help->pos()), qobject_cast<QWidget *>(watched));
        return true;
    }
};

} // namespace

void install(QWidget *form)
{
    auto *filter = new TipFilter(form);
    for (QLabel *label : form->findChildren<QLabel *>())
        label->installEventFilter(filter);
    for (QComboBox *list : form->findChildren<QComboBox *>())
        list->installEventFilter(filter);
}

} // namespace clippedTextTips

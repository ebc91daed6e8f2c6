// The drop-down list operations the system relies on, on top of QComboBox:
// appending an item leaves the selection alone (Qt would select the first item
// added to an empty list), clearing raises no selection change, setting the
// text of a drop-down list to a text none of its items has is error 383, and
// an item index out of range is error 381 (item data) or 380 (selection).
// Selecting an item by index or text raises the list's selection change, which
// the dialog treats as the list's click.
#pragma once

#include <QString>
#include <QVariant>

class QComboBox;

namespace listControls {

void appendItem(QComboBox *list, const QString &text, const QVariant &itemData = {});
void clear(QComboBox *list);
void selectIndex(QComboBox *list, int index);
void setText(QComboBox *list, const QString &text);
QVariant itemData(const QComboBox *list, int index);

// The first of the first `limit` items whose item data is the number, or -1.
// Looking past the last item (no match before it and a limit beyond the
// count) is error 381, as reading that item's data would be.
int findItemData(const QComboBox *list, qint32 number, int limit);

} // namespace listControls

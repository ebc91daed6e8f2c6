// Drop-down list operations with the failures the system expects.
#include "partition_settings/dialog/ListControls.h"

#include "core/RuntimeError.h"
#include "partition_settings/dialog/ItemDataIndex.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace listControls {

void appendItem(QComboBox *list, const QString &text, const QVariant &itemData)
{
    const int selected = list->currentIndex();
    const QSignalBlocker blocker(list);
    list->addItem(text, itemData);
    if (list->currentIndex() != selected)
        list->setCurrentIndex(selected);
}

void clear(QComboBox *list)
{
    const QSignalBlocker blocker(list);
    list->clear();
    if (list->isEditable())
        list->clearEditText();
}

void selectIndex(QComboBox *list, int index)
{
    if (index < -1 || index >= list->count())
        throw rt::RuntimeError::standard(rt::InvalidPropertyValue);
    list->setCurrentIndex(index);
}

void setText(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        list->setCurrentIndex(index);
        return;
    }
    if (!list->isEditable())
        throw rt::RuntimeError::standard(rt::TextPropertyReadOnly);
    list->setEditText(text);
}

QVariant itemData(const QComboBox *list, int index)
{
    if (index < 0 || index >= list->count())
        throw rt::RuntimeError::standard(rt::InvalidPropertyArrayIndex);
    return list->itemData(index);
}

int findItemData(const QComboBox *list, qint32 number, int limit)
{
    const int found = firstRowWithData(list, number);
    if (found >= 0 && found < limit)
        return found;
    if (limit > list->count())
        throw rt::RuntimeError::standard(rt::InvalidPropertyArrayIndex);
    return -1;
}

} // namespace listControls

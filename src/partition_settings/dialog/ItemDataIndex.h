// The rows of a drop-down list by their whole-number item data, so that
// finding a partition's entry in a list of 32,767 takes a hash lookup instead
// of a scan. The index hangs on the list as a child object, is rebuilt on the
// first lookup after any change to the list's items, and answers as
// QComboBox::findData would: the first row whose item data equals the number.
#pragma once

#include <QtGlobal>

class QComboBox;

namespace listControls {

int firstRowWithData(const QComboBox *list, qint32 number);

} // namespace listControls

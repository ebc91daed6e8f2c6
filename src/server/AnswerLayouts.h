// The column layouts of the components' answers: the columns of
// AnswerColumns.h in their positions, each with its rowset type. Names,
// positions and types are part of the contract, because the loaders read some
// columns by name and others by position.
#pragma once

#include "rowset/RecordSet.h"

#include <QList>

namespace server::layouts {

// columns::settings; MSGNo may be null, every other column holds a value.
QList<FieldInfo> partitionSettings();
// columns::partitionList.
QList<FieldInfo> partitionList();
// columns::configuration.
QList<FieldInfo> configuration();
// columns::nodeTypes: the language number 1 or 2 is the position of the name.
QList<FieldInfo> nodeTypes();
// columns::nodeMaxima.
QList<FieldInfo> nodeMaxima();
// columns::wholeNodeMaxima.
QList<FieldInfo> wholeNodeMaxima();

} // namespace server::layouts

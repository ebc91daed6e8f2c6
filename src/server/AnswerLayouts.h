// The column layouts of the components' answers: names, 0-based positions
// and rowset types are part of the contract, because the loaders read some
// columns by name and others by position.
#pragma once

#include "data/RecordSet.h"

#include <QList>

namespace server::layouts {

// Config_ID, PartitionID, Name, PartitionAccessCode, REMLanguage, SelectLimit,
// TimeLimit, Command, NoMSGRecorded, TotalRecTime, TotalTimeOfMessagesRecorded,
// TimeLeft, MSGNo.
QList<FieldInfo> partitionSettings();
// Config_ID, PartitionID, Name.
QList<FieldInfo> partitionList();
// Config_Name, Config_ID, Site_Name, Site_ID, System_Name, System_ID.
QList<FieldInfo> configuration();
// ID, Name (English), Name_French: the language number 1 or 2 is the position.
QList<FieldInfo> nodeTypes();
// Config_ID, PartitionID, NodeType_ID, Max_Number.
QList<FieldInfo> nodeMaxima();

} // namespace server::layouts

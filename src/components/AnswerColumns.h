// The columns of the server components' answers: each column's 0-based
// position and its name. Both are part of the contract, because the loaders
// read some columns by position and others by name; the reference server
// builds its answers, its statements and its schema from the same columns.
#pragma once

#include <QLatin1String>

struct AnswerColumn
{
    int position;
    QLatin1String name;
};

namespace columns {

// Get_Partition_Settings_XML: one partition's settings, the thirteen values
// of a PartitionRecord in its order.
namespace settings {
inline constexpr AnswerColumn Config_ID{0, QLatin1String("Config_ID")};
inline constexpr AnswerColumn PartitionID{1, QLatin1String("PartitionID")};
inline constexpr AnswerColumn Name{2, QLatin1String("Name")};
inline constexpr AnswerColumn PartitionAccessCode{3, QLatin1String("PartitionAccessCode")};
inline constexpr AnswerColumn REMLanguage{4, QLatin1String("REMLanguage")};
inline constexpr AnswerColumn SelectLimit{5, QLatin1String("SelectLimit")};
inline constexpr AnswerColumn TimeLimit{6, QLatin1String("TimeLimit")};
inline constexpr AnswerColumn Command{7, QLatin1String("Command")};
inline constexpr AnswerColumn NoMSGRecorded{8, QLatin1String("NoMSGRecorded")};
inline constexpr AnswerColumn TotalRecTime{9, QLatin1String("TotalRecTime")};
inline constexpr AnswerColumn TotalTimeOfMessagesRecorded{10, QLatin1String("TotalTimeOfMessagesRecorded")};
inline constexpr AnswerColumn TimeLeft{11, QLatin1String("TimeLeft")};
inline constexpr AnswerColumn MSGNo{12, QLatin1String("MSGNo")};
} // namespace settings

// Get_Partitions_XML: the configuration's partitions, read by position.
namespace partitionList {
inline constexpr AnswerColumn Config_ID = settings::Config_ID;
inline constexpr AnswerColumn PartitionID = settings::PartitionID;
inline constexpr AnswerColumn Name = settings::Name;
} // namespace partitionList

// Get_Configuration_XML: the installation numbers are read by position.
namespace configuration {
inline constexpr AnswerColumn Config_Name{0, QLatin1String("Config_Name")};
inline constexpr AnswerColumn Config_ID{1, QLatin1String("Config_ID")};
inline constexpr AnswerColumn Site_Name{2, QLatin1String("Site_Name")};
inline constexpr AnswerColumn Site_ID{3, QLatin1String("Site_ID")};
inline constexpr AnswerColumn System_Name{4, QLatin1String("System_Name")};
inline constexpr AnswerColumn System_ID{5, QLatin1String("System_ID")};
} // namespace configuration

// Get_Node_Types_XML: the id, then one name column per language, so that the
// language number is the position of the name column.
namespace nodeTypes {
inline constexpr AnswerColumn ID{0, QLatin1String("ID")};
inline constexpr AnswerColumn Name{1, QLatin1String("Name")};
inline constexpr AnswerColumn Name_French{2, QLatin1String("Name_French")};
} // namespace nodeTypes

// Get_Node_Type_Max_XML: one NodeTypeMaxRow per row, in its order.
namespace nodeMaxima {
inline constexpr AnswerColumn Config_ID = settings::Config_ID;
inline constexpr AnswerColumn PartitionID = settings::PartitionID;
inline constexpr AnswerColumn NodeType_ID{2, QLatin1String("NodeType_ID")};
inline constexpr AnswerColumn Max_Number{3, QLatin1String("Max_Number")};
} // namespace nodeMaxima

// allNodeMaximaXml of a ConfigurationReader: a node maxima answer without
// the configuration, which is the same in every row.
namespace wholeNodeMaxima {
inline constexpr AnswerColumn PartitionID{0, QLatin1String("PartitionID")};
inline constexpr AnswerColumn NodeType_ID{1, QLatin1String("NodeType_ID")};
inline constexpr AnswerColumn Max_Number{2, QLatin1String("Max_Number")};
} // namespace wholeNodeMaxima

} // namespace columns

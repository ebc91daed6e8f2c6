// Column layouts of the reference components' answers.
#include "server/AnswerLayouts.h"

namespace server::layouts {

namespace {

FieldInfo i2(const char *name) { return {QString::fromLatin1(name), QStringLiteral("i2"), false}; }
FieldInfo i4(const char *name) { return {QString::fromLatin1(name), QStringLiteral("i4"), false}; }
FieldInfo text(const char *name) { return {QString::fromLatin1(name), QStringLiteral("string"), false}; }

} // namespace

QList<FieldInfo> partitionSettings()
{
    FieldInfo msgNo = i2("MSGNo");
    msgNo.nullable = true; // a partition saved without a message number
    return {i2("Config_ID"), i2("PartitionID"), text("Name"), text("PartitionAccessCode"),
            text("REMLanguage"), text("SelectLimit"), i4("TimeLimit"), text("Command"),
            text("NoMSGRecorded"), i4("TotalRecTime"), i4("TotalTimeOfMessagesRecorded"),
            i4("TimeLeft"), msgNo};
}

QList<FieldInfo> partitionList() { return {i2("Config_ID"), i2("PartitionID"), text("Name")}; }

QList<FieldInfo> configuration()
{
    return {text("Config_Name"), i2("Config_ID"), text("Site_Name"),
            i4("Site_ID"),       text("System_Name"), i4("System_ID")};
}

QList<FieldInfo> nodeTypes() { return {i2("ID"), text("Name"), text("Name_French")}; }

QList<FieldInfo> nodeMaxima()
{
    return {i2("Config_ID"), i2("PartitionID"), i2("NodeType_ID"), i2("Max_Number")};
}

} // namespace server::layouts

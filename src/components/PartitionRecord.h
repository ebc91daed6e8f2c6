// One partition's settings as the write components take them: thirteen
// texts in the order of the contract. Numbers travel as their decimal text,
// the two times as whole seconds. The settings answer carries the same values
// in the same order (columns::settings).
#pragma once

#include <QString>

struct PartitionRecord
{
    QString Config_ID;
    QString PartitionID;
    QString Name;
    QString PartitionAccessCode;
    QString REMLanguage;
    QString SelectLimit;
    QString TimeLimit;
    QString Command;
    QString NoMSGRecorded;
    QString TotalRecTime;
    QString TotalTimeOfMessagesRecorded;
    QString TimeLeft;
    QString MSGNo;

    friend bool operator==(const PartitionRecord &, const PartitionRecord &) = default;
};

// One node type's maximum in one partition, as the node maximum components
// take it: four decimal texts of 16-bit numbers in the order of the contract.
// The node maxima answer carries the same values in the same order
// (columns::nodeMaxima).
#pragma once

#include <QString>

struct NodeTypeMaxRow
{
    QString Config_ID;
    QString PartitionID;
    QString NodeType_ID;
    QString Max_Number;

    friend bool operator==(const NodeTypeMaxRow &, const NodeTypeMaxRow &) = default;
};

// The contracts of the six server-side configuration components and of the
// message component, with their programmatic identifiers and interface ids.
// Every argument and every answer is text; identifiers travel as decimal text.
// A partition travels as a PartitionRecord and a node maximum as a
// NodeTypeMaxRow, both texts in contract order; the answers' columns are
// named in AnswerColumns.h. A failing operation throws rt::RuntimeError with
// the component's ProgID as source.
#pragma once

#include "components/Component.h"
#include "components/NodeTypeMaxRow.h"
#include "components/PartitionRecord.h"

#include <QString>
#include <QUuid>

namespace QRVdb {

// Reads of the configuration: settings, partitions, the configuration itself.
class CONFIG : public Component
{
public:
    static constexpr const char *ProgID = "QRVdb.CONFIG";
    static QUuid interfaceId() { return QUuid("{548F5081-0C90-11D5-8048-000102704B80}"); }

    // Operation 10: the partition's settings rows (none when it does not exist).
    virtual QString Get_Partition_Settings_XML(const QString &configId, const QString &partition) = 0;
    // Operation 11: the configuration; its first row has integers at positions 1, 3 and 5
    // (columns::configuration).
    virtual QString Get_Configuration_XML() = 0;
    // Operation 13: the configuration's partition list.
    virtual QString Get_Partitions_XML(const QString &configId) = 0;
};

// Reads of the node type list.
class SR : public Component
{
public:
    static constexpr const char *ProgID = "QRVdb.SR";
    static QUuid interfaceId() { return QUuid("{979138E1-08D9-11D5-8048-000102704B80}"); }

    // Operation 6: all node types; the id, then one name column per language (columns::nodeTypes).
    virtual QString Get_Node_Types_XML() = 0;
};

} // namespace QRVdb

namespace QRVins {

class INSCONFIG : public Component
{
public:
    static constexpr const char *ProgID = "QRVins.INSCONFIG";
    static QUuid interfaceId() { return QUuid("{6DDA4B10-1D41-11D5-8048-000102704B80}"); }

    // Operation 6: stores a new partition row.
    virtual void Insert_Partition_Record(const PartitionRecord &partition) = 0;
};

class INSNODES : public Component
{
public:
    static constexpr const char *ProgID = "QRVins.INSNODES";
    static QUuid interfaceId() { return QUuid("{21AA9B61-21F9-11D5-8048-000102704B80}"); }

    // Operation 31: stores one node maximum.
    virtual void Insert_Node_Type_Max_Record(const NodeTypeMaxRow &row) = 0;
};

} // namespace QRVins

namespace QRVud {

class UDCONFIG : public Component
{
public:
    static constexpr const char *ProgID = "QRVud.UDCONFIG";
    static QUuid interfaceId() { return QUuid("{A6C873C1-1D0E-11D5-8048-000102704B80}"); }

    // Operation 8: updates a partition row.
    virtual void Update_Partition_Record(const PartitionRecord &partition) = 0;
    // Operation 11: tells the server which partition the dialog shows.
    virtual void Select_Partition(const QString &partition) = 0;
};

class UDNODES : public Component
{
public:
    static constexpr const char *ProgID = "QRVud.UDNODES";
    static QUuid interfaceId() { return QUuid("{645B6DF2-13CB-11D5-8048-000102704B80}"); }

    // Operation 31: updates one node maximum.
    virtual void Update_Node_Type_Max_Record(const NodeTypeMaxRow &row) = 0;
};

} // namespace QRVud

namespace VEL_MsgBox {

// The maker's message-box component.
class Busyness_Rules : public Component
{
public:
    static constexpr const char *ProgID = "VEL_MsgBox.Busyness_Rules";
    static QUuid interfaceId() { return QUuid("{DC5E6403-A940-4150-9376-40CD0307B536}"); }

    // Operation 4: shows a message to the user; the answer is not used.
    virtual qint32 Show_Error_Message(qint32 kind, const QString &message, qint32 buttons, qint32 icon,
                                      const QString &title) = 0;
};

} // namespace VEL_MsgBox

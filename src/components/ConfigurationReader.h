// A reader of whole configurations, for tools that work on all of a
// configuration's partitions at once (export and import): two answers in
// place of two reads a partition. It is this project's own component, beside
// the server components; a factory may not offer it, and its users then read
// partition by partition. Reading through it notes, for the session, the
// revision of every partition of the configuration; one missing from the
// answer counts as loaded while it did not exist.
#pragma once

#include "components/Component.h"

#include <QString>
#include <QUuid>

class ConfigurationReader : public Component
{
public:
    static QUuid classId() { return QUuid("{0F6B2C41-7D35-4A8E-9C1B-5E2A7D93F604}"); }

    // Every partition's settings rows, by partition number, in the columns of
    // Get_Partition_Settings_XML.
    virtual QString allPartitionSettingsXml(const QString &configId) = 0;
    // Every partition's node maxima, by partition number and node type, in
    // the columns of Get_Node_Type_Max_XML but the configuration's (the same
    // in every row): PartitionID, NodeType_ID, Max_Number.
    virtual QString allNodeMaximaXml(const QString &configId) = 0;
};

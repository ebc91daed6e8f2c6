// The reference write components: partition insert (QRVins.INSCONFIG) and
// update (QRVud.UDCONFIG), node maximum insert (QRVins.INSNODES) and update
// (QRVud.UDNODES). Each call is one transaction of the store, recorded in its
// change history. Inserting a partition or a node maximum that is there keeps
// the stored row, so that hosts creating the same partition at once all
// succeed; updating a partition or a node maximum that is not there yet stores
// it. An update of a partition that another session saved after this one
// loaded it is refused (kChangedByOthers) and writes nothing. A text that no answer could carry (see
// rowset::uncarriableCharacter) is refused before anything is written.
#pragma once

#include "components/ServerComponents.h"
#include "server/ReferenceStore.h"

#include <memory>

namespace server {

class PartitionInserter : public QRVins::INSCONFIG
{
public:
    explicit PartitionInserter(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}

    void Insert_Partition_Record(const PartitionRecord &partition) override;

private:
    std::shared_ptr<ReferenceStore> m_store;
};

class NodeMaxInserter : public QRVins::INSNODES
{
public:
    explicit NodeMaxInserter(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}

    void Insert_Node_Type_Max_Record(const NodeTypeMaxRow &maximum) override;

private:
    std::shared_ptr<ReferenceStore> m_store;
};

class PartitionUpdater : public QRVud::UDCONFIG
{
public:
    explicit PartitionUpdater(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}

    void Update_Partition_Record(const PartitionRecord &partition) override;
    // Records the partition the dialog shows; answers nothing. (Which revision
    // of it the session loaded, the store noted as the loads read it.)
    void Select_Partition(const QString &partition) override;

private:
    std::shared_ptr<ReferenceStore> m_store;
};

class NodeMaxUpdater : public QRVud::UDNODES
{
public:
    explicit NodeMaxUpdater(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}

    void Update_Node_Type_Max_Record(const NodeTypeMaxRow &maximum) override;

private:
    std::shared_ptr<ReferenceStore> m_store;
};

} // namespace server

// The reference read components: the configuration reader (QRVdb.CONFIG), the
// node type list (QRVdb.SR) and the node-maximum reader. Each answers rowset
// XML built from the store, in the column layouts of AnswerLayouts.h.
#pragma once

#include "components/ServerComponents.h"
#include "components/SingleUseComponents.h"
#include "server/ReferenceStore.h"

#include <memory>

namespace server {

// Source of the node-maximum reader's errors (it has no ProgID of its own).
inline constexpr const char *kNodeTypeMaxReaderSource = "QRVdb.NodeTypeMaxReader";

class ConfigReader : public QRVdb::CONFIG
{
public:
    explicit ConfigReader(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}

    QString Get_Partition_Settings_XML(const QString &configId, const QString &partition) override;
    QString Get_Configuration_XML() override;
    QString Get_Partitions_XML(const QString &configId) override;

private:
    std::shared_ptr<ReferenceStore> m_store;
};

class NodeTypeList : public QRVdb::SR
{
public:
    explicit NodeTypeList(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}

    QString Get_Node_Types_XML() override;

private:
    std::shared_ptr<ReferenceStore> m_store;
};

class NodeMaxReader : public NodeTypeMaxReader
{
public:
    explicit NodeMaxReader(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}

    QString Get_Node_Type_Max_XML(const QString &configId, const QString &partition) override;

private:
    std::shared_ptr<ReferenceStore> m_store;
};

} // namespace server

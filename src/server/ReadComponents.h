// The reference read components: the configuration reader (QRVdb.CONFIG), the
// node type list (QRVdb.SR), the node-maximum reader and the reader of whole
// configurations. Each answers rowset XML built from the store, in the column
// layouts of AnswerLayouts.h.
#pragma once

#include "components/ConfigurationReader.h"
#include "components/ServerComponents.h"
#include "components/SingleUseComponents.h"
#include "server/ReferenceStore.h"

#include <memory>

namespace server {

// Sources of the errors of the readers that have no ProgID of their own.
inline constexpr const char *kNodeTypeMaxReaderSource = "QRVdb.NodeTypeMaxReader";
inline constexpr const char *kConfigurationReaderSource = "QRVdb.ConfigurationReader";

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

class WholeConfigurationReader : public ConfigurationReader
{
public:
    explicit WholeConfigurationReader(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}

    QString allPartitionSettingsXml(const QString &configId) override;
    QString allNodeMaximaXml(const QString &configId) override;

private:
    std::shared_ptr<ReferenceStore> m_store;
};

} // namespace server

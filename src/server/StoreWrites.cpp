// The reference store's writes: partitions and node maxima (in the open unit,
// or in one of their own), and the setup of configurations and node types.
// Every write refuses a text that no answer could carry, so that whatever the
// store holds, its answers can be written.
#include "server/ReferenceStore.h"

#include "rowset/Rowset.h"
#include "server/AnswerLayouts.h"
#include "server/ServerErrors.h"
#include "server/StoreStatements.h"

#include <QSqlRecord>
#include <QStringBuilder>

namespace server {

namespace {

// A text for a NOT NULL column: Qt binds a null QString as SQL NULL, so the
// empty text is bound as a real empty string. A text that holds what no
// answer can carry is refused.
QVariant textValue(const QString &text, const char *what)
{
    const QString character = rowset::uncarriableCharacter(text);
    if (!character.isEmpty())
        throw StoreError(rt::InvalidProcedureCall,
                         QStringLiteral("the %1 holds %2, which no answer can carry").arg(QLatin1String(what), character));
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant optionalValue(const std::optional<qint16> &value)
{
    return value ? QVariant(int(*value)) : QVariant(QMetaType::fromType<int>());
}

// The values of a row in the order of its answer's columns.
QVariantList partitionValues(const PartitionRow &row)
{
    return {int(row.configId),
            int(row.partitionId),
            textValue(row.name, "partition name"),
            textValue(row.accessCode, "access code"),
            textValue(row.remLanguage, "remote language"),
            textValue(row.selectLimit, "selection limit"),
            row.timeLimit,
            textValue(row.command, "command"),
            textValue(row.noMsgRecorded, "action when no message was recorded"),
            row.totalRecTime,
            row.totalTimeOfMessagesRecorded,
            row.timeLeft,
            optionalValue(row.msgNo)};
}

QVariantList nodeMaxValues(const NodeMaxRow &row)
{
    return {int(row.configId), int(row.partitionId), int(row.nodeTypeId), int(row.maxNumber)};
}

// An update binds the values after the key first, then the key.
QVariantList keyLast(const QVariantList &values, int keyColumns)
{
    return values.mid(keyColumns) + values.first(keyColumns);
}

} // namespace

// Stores a new partition; false when another session stored it at this moment.
bool ReferenceStore::insertedPartition(const PartitionRow &row)
{
    return write(storeStatements().insertPartition, partitionValues(row)) > 0;
}

// The values after the key of the stored row that the statement answers; none
// when there is no row.
QVariantList ReferenceStore::storedValues(const QString &sql, const QVariantList &key) const
{
    QSqlQuery &query = prepare(sql);
    run(query, key);
    QVariantList values;
    if (query.next())
        for (int i = int(key.size()); i < query.record().count(); ++i)
            values << query.value(i);
    query.finish();
    return values;
}

void ReferenceStore::writePartitionValues(UnitPartition &partition, const PartitionRow &row, Change &change)
{
    bool &stored = partition.stored;
    requireConfiguration(row.configId);
    const StoreStatements &sql = storeStatements();
    const QVariantList values = partitionValues(row);
    const QVariantList key = values.first(sql.partitionKeyColumns);
    const QVariantList before = stored ? storedValues(sql.partitionSettings, key) : QVariantList();
    const QList<FieldInfo> layout = layouts::partitionSettings();
    for (int i = sql.partitionKeyColumns; i < values.size(); ++i)
        change.compare(layout.at(i).name, before.value(i - sql.partitionKeyColumns), values.at(i));
    if (change.values.isEmpty())
        return;
    if (stored) {
        write(sql.updatePartition, keyLast(values, sql.partitionKeyColumns));
    } else if (insertedPartition(row)) {
        stored = true;
    } else {
        throw StoreError(kChangedByOthers, changedByOthersText(row.partitionId));
    }
}

bool ReferenceStore::insertPartition(const PartitionRow &row, Writer writer)
{
    bool inserted = false;
    changePartition(row.configId, row.partitionId, false, writer, [&](UnitPartition &partition, Change &change) {
        const QVariantList values = partitionValues(row);
        requireConfiguration(row.configId);
        if (partition.stored || !insertedPartition(row))
            return; // kept as stored
        partition.stored = inserted = true;
        const QList<FieldInfo> layout = layouts::partitionSettings();
        for (int i = storeStatements().partitionKeyColumns; i < values.size(); ++i)
            change.compare(layout.at(i).name, QVariant(), values.at(i));
    });
    return inserted;
}

void ReferenceStore::savePartition(const PartitionRow &row, Writer writer)
{
    changePartition(row.configId, row.partitionId, true, writer,
                    [&](UnitPartition &partition, Change &change) { writePartitionValues(partition, row, change); });
}

void ReferenceStore::writeNodeMax(bool present, const NodeMaxRow &row)
{
    const StoreStatements &sql = storeStatements();
    const QVariantList values = nodeMaxValues(row);
    write(present ? sql.updateNodeMax : sql.insertNodeMax, present ? keyLast(values, sql.nodeMaxKeyColumns) : values);
}

// The unit reads the node type list and the partition's maxima once, at the
// first node write that needs them, rather than one query per write: each
// costs a round trip to a database server.
std::optional<qint16> ReferenceStore::storedNodeMax(UnitPartition &partition, const NodeMaxRow &row)
{
    if (!m_unit->nodeTypes) {
        QList<qint16> ids;
        for (RecordSet types = nodeTypes(); !types.isEOF(); types.MoveNext())
            ids << qint16(types.Fields(0).asInteger());
        m_unit->nodeTypes = ids;
    }
    if (!m_unit->nodeTypes->contains(row.nodeTypeId))
        throw StoreError(kRecordMissing, QStringLiteral("node type %1 is not in the node type list").arg(row.nodeTypeId));
    if (!partition.maxima) {
        std::map<qint16, qint16> maxima;
        for (RecordSet rows = nodeMaxima(row.configId, row.partitionId); !rows.isEOF(); rows.MoveNext())
            maxima[qint16(rows.Fields(2).asInteger())] = qint16(rows.Fields(3).asInteger());
        partition.maxima = maxima;
    }
    const auto found = partition.maxima->find(row.nodeTypeId);
    return found == partition.maxima->end() ? std::nullopt : std::optional<qint16>(found->second);
}

// Writes the maximum unless that value is stored already; an insert keeps any
// stored value. True when it wrote.
bool ReferenceStore::changeNodeMax(const NodeMaxRow &row, bool keepStored, Writer writer)
{
    bool written = false;
    changePartition(row.configId, row.partitionId, !keepStored, writer, [&](UnitPartition &partition, Change &change) {
        if (!partition.stored)
            throw StoreError(kRecordMissing, partitionText(row.configId, row.partitionId)
                                                 + QStringLiteral(" does not exist; store the partition first"));
        const std::optional<qint16> before = storedNodeMax(partition, row);
        if (before && (keepStored || *before == row.maxNumber))
            return;
        writeNodeMax(before.has_value(), row);
        (*partition.maxima)[row.nodeTypeId] = row.maxNumber;
        written = true;
        // One name for each node type, shared by the unit's history rows of it.
        QString &item = m_unit->nodeMaximumItems[row.nodeTypeId];
        if (item.isNull())
            item = u"Node type " % QString::number(row.nodeTypeId) % u" maximum";
        change.compare(item, before ? QVariant(int(*before)) : QVariant(), int(row.maxNumber));
    });
    return written;
}

bool ReferenceStore::insertNodeMax(const NodeMaxRow &row, Writer writer) { return changeNodeMax(row, true, writer); }

void ReferenceStore::saveNodeMax(const NodeMaxRow &row, Writer writer) { changeNodeMax(row, false, writer); }

void ReferenceStore::addConfiguration(const ConfigurationRow &row)
{
    const QVariantList values = {textValue(row.name, "configuration name"), int(row.configId),
                                 textValue(row.siteName, "site name"),      row.siteId,
                                 textValue(row.systemName, "system name"),  row.systemId};
    inTransaction([&] {
        beginTransaction();
        QSqlQuery &query = prepare(storeStatements().insertConfiguration);
        run(query, values);
        query.finish();
    });
}

void ReferenceStore::setConfigurationInUse(qint16 configId)
{
    inTransaction([&] {
        beginTransaction();
        requireConfiguration(configId);
        QSqlQuery &query = prepare(storeStatements().markConfigurationInUse);
        run(query, {int(configId)});
        query.finish();
    });
}

void ReferenceStore::addNodeTypeRow(const NodeTypeRow &row)
{
    const QVariantList values = {int(row.id), textValue(row.english, "node type name"),
                                 textValue(row.french, "French node type name")};
    inTransaction([&] {
        beginTransaction();
        m_unit->nodeTypes.reset(); // the unit's list is read again
        QSqlQuery &query = prepare(storeStatements().insertNodeType);
        run(query, values);
        query.finish();
    });
}

} // namespace server

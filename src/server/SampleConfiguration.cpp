// Sample data of a new reference store. Node types below 813 number fewer than
// 20, so the node grid holds them all; 813 and above are listed but never
// shown in the grid. Partitions 2, 4 and 12 of configuration 1 have no maxima
// stored, so opening them exercises the defaults. Every partition passes the
// dialog's rules as it is: the names test the escaping with the characters
// the name check allows (&, <, >, accents, single quotes, never a double
// quote or two single quotes in a row).
#include "server/SampleConfiguration.h"

#include "components/NodeTypeDefaults.h"
#include "server/ReferenceStore.h"

namespace server {

namespace {

const QList<NodeTypeRow> &sampleNodeTypes()
{
    static const QList<NodeTypeRow> types = {
        {0, QStringLiteral("MSG"), QStringLiteral("MSG")},
        {1, QStringLiteral("Trunk Line"), QStringLiteral("Ligne réseau")},
        {2, QStringLiteral("Station"), QStringLiteral("Poste")},
        {3, QStringLiteral("Operator"), QStringLiteral("Opératrice")},
        {4, QStringLiteral("Voice Mail"), QStringLiteral("Messagerie vocale")},
        {5, QStringLiteral("Voice Port"), QStringLiteral("Port vocal")},
        {6, QStringLiteral("Recorder"), QStringLiteral("Enregistreur")},
        {7, QStringLiteral("Announcer"), QStringLiteral("Annonceur")},
        {10, QStringLiteral("System"), QStringLiteral("Système")},
        {14, QStringLiteral("Conference"), QStringLiteral("Conférence")},
        {15, QStringLiteral("Paging Zone"), QStringLiteral("Zone de recherche")},
        {16, QStringLiteral("Intercom"), QStringLiteral("Interphone")},
        {20, QStringLiteral("Fax"), QStringLiteral("Télécopieur")},
        {813, QStringLiteral("Line Monitor"), QStringLiteral("Moniteur de ligne")},
        {900, QStringLiteral("Gateway"), QStringLiteral("Passerelle")},
        {999, QStringLiteral("Administration"), QStringLiteral("Administration")},
    };
    return types;
}

PartitionRow partition(qint16 configId, qint16 id, const QString &name, const QString &code)
{
    PartitionRow row;
    row.configId = configId;
    row.partitionId = id;
    row.name = name;
    row.accessCode = code;
    row.remLanguage = QStringLiteral("ENGLISH");
    row.selectLimit = QStringLiteral("0");
    row.command = QStringLiteral("NOOP");
    row.noMsgRecorded = QStringLiteral("IGNORE");
    row.msgNo = 1;
    return row;
}

QList<PartitionRow> samplePartitions()
{
    PartitionRow byDefault = partition(1, 0, QStringLiteral("Default Partition"), QStringLiteral("6093"));
    byDefault.timeLimit = 120;
    byDefault.totalRecTime = 3600;

    PartitionRow sales = partition(1, 1, QStringLiteral("Sales"), QStringLiteral("1234"));
    sales.remLanguage = QStringLiteral("SPANISH");
    sales.selectLimit = QStringLiteral("5");
    sales.timeLimit = 125;
    sales.command = QStringLiteral("PLAY");
    sales.noMsgRecorded = QStringLiteral("DISCONNECT");
    sales.totalRecTime = 21659; // 360:59, the longest the dialog accepts
    sales.msgNo = 3;

    PartitionRow support = partition(1, 2, QStringLiteral("Support"), QStringLiteral("55501"));
    support.remLanguage = QStringLiteral("GERMAN");
    support.selectLimit = QStringLiteral("25");
    support.timeLimit = 1859; // 30:59, the longest time limit
    support.noMsgRecorded = QStringLiteral("PLAY");
    support.totalRecTime = 59;

    PartitionRow reception = partition(1, 3, QStringLiteral("Réception 'Nord' & <Sud>"), QStringLiteral("0042"));
    reception.remLanguage = QStringLiteral("FRENCH");
    reception.selectLimit = QStringLiteral("12");
    reception.timeLimit = 60;
    reception.totalRecTime = 7260;

    PartitionRow night = partition(1, 4, QStringLiteral("Night"), QStringLiteral("98765"));
    night.remLanguage = QStringLiteral("PORTUGUESE");
    night.command = QStringLiteral("PLAY");
    night.msgNo = 0;

    PartitionRow warehouse = partition(1, 12, QStringLiteral("Warehouse O'Neil"), QStringLiteral("2468"));
    warehouse.totalRecTime = 600;

    PartitionRow training = partition(2, 0, QStringLiteral("Default Partition"), QStringLiteral("6093"));
    PartitionRow classroom = partition(2, 1, QStringLiteral("Classroom"), QStringLiteral("1111"));
    return {byDefault, sales, support, reception, night, warehouse, training, classroom};
}

void storeDefaultMaxima(ReferenceStore &store, qint16 configId, qint16 partitionId)
{
    for (const NodeTypeRow &type : sampleNodeTypes())
        if (nodeTypeDefaults::hasDefaultMaximum(type.id))
            store.insertNodeMax({configId, partitionId, type.id, nodeTypeDefaults::defaultMaximum(type.id)});
}

void storeSalesMaxima(ReferenceStore &store)
{
    // Includes rows for node types 10 and 999, which the dialog never shows.
    const QList<QPair<qint16, qint16>> maxima = {{0, 5},  {1, 40},  {2, 120}, {5, 4},
                                                 {10, 1}, {14, 20}, {16, 99}, {999, 1}};
    for (const auto &[type, maximum] : maxima)
        store.insertNodeMax({1, 1, type, maximum});
}

} // namespace

void seedSampleConfiguration(ReferenceStore &store)
{
    store.inTransaction([&] {
        store.addConfiguration(
            {1, QStringLiteral("Head Office"), QStringLiteral("Montréal"), 101, QStringLiteral("VEL-1"), 5001});
        store.addConfiguration(
            {2, QStringLiteral("Training Lab"), QStringLiteral("Québec"), 102, QStringLiteral("VEL-2"), 5002});
        store.setConfigurationInUse(1);
        for (const NodeTypeRow &type : sampleNodeTypes())
            store.addNodeTypeRow(type);
        for (const PartitionRow &row : samplePartitions())
            store.insertPartition(row);
        storeDefaultMaxima(store, 1, 0);
        storeDefaultMaxima(store, 1, 3);
        storeDefaultMaxima(store, 2, 0);
        storeSalesMaxima(store);
    });
}

} // namespace server

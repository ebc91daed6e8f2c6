// Partitions as files at full size: 32,767 partitions with 20 node maxima
// each, on SQLite. Export (through the components, to JSON) beside the
// yardstick of the same rows read by one plain query each (settings, maxima)
// and written with QJsonDocument; import onto a store holding only the
// configuration and node types beside the yardstick of the same rows
// inserted by plain prepared statements in one transaction. Prints the
// times, the ratios (1 = as fast as the yardstick) and the peak memory.
// Run on demand: build/release/bench/bench_transfer [partitions]
#include "StoreBackend.h"
#include "server/ReferenceComponents.h"
#include "transfer/PartitionTransfer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <sys/resource.h>

namespace {

int kPartitions = 32767; // or the count given
constexpr int kNodeTypes = 20;
using Seeding = server::ReferenceStore::Seeding;

void fillTypes(server::ReferenceStore &store)
{
    store.inTransaction([&] {
        store.addConfiguration({1, "Bench", "Site", 1, "System", 2});
        for (qint16 type = 1; type <= kNodeTypes; ++type)
            store.addNodeTypeRow({type, QStringLiteral("Type %1").arg(type), QStringLiteral("Type %1").arg(type)});
    });
}

// The partitions and maxima with plain statements (the setup, and the
// import's yardstick).
void insertPlainly(QSqlDatabase db)
{
    QSqlQuery(db).exec("BEGIN");
    QSqlQuery partition(db);
    partition.prepare("INSERT INTO Partitions (Config_ID, PartitionID, Name, PartitionAccessCode, REMLanguage, "
                      "SelectLimit, TimeLimit, Command, NoMSGRecorded, TotalRecTime, TotalTimeOfMessagesRecorded, "
                      "TimeLeft, MSGNo) VALUES (1, ?, ?, '6093', 'ENGLISH', '0', ?, 'NOOP', 'IGNORE', 0, 0, 0, 1)");
    QSqlQuery node(db);
    node.prepare("INSERT INTO NodeTypeMaxima (Config_ID, PartitionID, NodeType_ID, Max_Number) VALUES (1, ?, ?, ?)");
    for (int p = 0; p < kPartitions; ++p) {
        partition.addBindValue(p), partition.addBindValue(QStringLiteral("Partition %1").arg(p)),
            partition.addBindValue(p % 600);
        partition.exec();
        for (int type = 1; type <= kNodeTypes; ++type) {
            node.addBindValue(p), node.addBindValue(type), node.addBindValue((p + type) % 1000);
            node.exec();
        }
    }
    QSqlQuery(db).exec("COMMIT");
}

// The export's yardstick: two plain queries and QJsonDocument.
QByteArray exportPlainly(QSqlDatabase db)
{
    QSqlQuery maxima(db);
    maxima.setForwardOnly(true);
    maxima.exec("SELECT PartitionID, NodeType_ID, Max_Number FROM NodeTypeMaxima WHERE Config_ID = 1 "
                "ORDER BY PartitionID, NodeType_ID");
    QHash<int, QJsonObject> byPartition;
    while (maxima.next())
        byPartition[maxima.value(0).toInt()].insert(maxima.value(1).toString(),
                                                    QJsonObject{{"maximum", maxima.value(2).toInt()}});
    QSqlQuery settings(db);
    settings.setForwardOnly(true);
    settings.exec("SELECT PartitionID, Name, PartitionAccessCode, REMLanguage, SelectLimit, TimeLimit, Command, "
                  "NoMSGRecorded, TotalRecTime, TotalTimeOfMessagesRecorded, TimeLeft, MSGNo FROM Partitions "
                  "WHERE Config_ID = 1 ORDER BY PartitionID");
    QJsonArray partitions;
    while (settings.next()) {
        QJsonObject p;
        for (int i = 0; i < 12; ++i)
            p.insert(settings.record().fieldName(i), QJsonValue::fromVariant(settings.value(i)));
        p.insert("NodeMaxima", byPartition.value(settings.value(0).toInt()));
        partitions.append(p);
    }
    return QJsonDocument(QJsonObject{{"partitions", partitions}}).toJson();
}

double seconds(const QElapsedTimer &timer) { return double(timer.nsecsElapsed()) / 1e9; }

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        kPartitions = QCoreApplication::arguments().value(1).toInt();
    QTextStream out(stdout);
    qputenv("PARTITION_SETTINGS_TEST_BACKEND", "sqlite");

    const testing::FreshLocation source;
    const auto from = server::ReferenceStore::open(source.location, Seeding::SchemaOnly);
    fillTypes(*from);
    insertPlainly(source.connection());
    ComponentFactory factory;
    server::registerReferenceComponents(factory, from);

    QElapsedTimer timer;
    timer.start();
    QByteArray json;
    transfer::exportPartitions(factory, 1, std::nullopt, json);
    const double exported = seconds(timer);
    timer.start();
    const QByteArray plainJson = exportPlainly(source.connection());
    const double plainExported = seconds(timer);

    const testing::FreshLocation target;
    const auto to = server::ReferenceStore::open(target.location, Seeding::SchemaOnly);
    fillTypes(*to);
    ComponentFactory targetFactory;
    server::registerReferenceComponents(targetFactory, to);
    timer.start();
    const transfer::Outcome outcome = transfer::importPartitions(targetFactory, json, false);
    const double imported = seconds(timer);
    const testing::FreshLocation plainTarget;
    fillTypes(*server::ReferenceStore::open(plainTarget.location, Seeding::SchemaOnly));
    timer.start();
    insertPlainly(plainTarget.connection());
    const double plainImported = seconds(timer);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    out << QStringLiteral("%1 partitions x %2 node maxima, SQLite; file %3 MB (yardstick's %4 MB)\n")
               .arg(kPartitions).arg(kNodeTypes).arg(json.size() / 1e6, 0, 'f', 1).arg(plainJson.size() / 1e6, 0, 'f', 1)
        << QStringLiteral("           ours, s  yardstick, s  ratio\n")
        << QStringLiteral("export   %1  %2  %3\n").arg(exported, 8, 'f', 2).arg(plainExported, 12, 'f', 2).arg(plainExported / exported, 6, 'f', 2)
        << QStringLiteral("import   %1  %2  %3  (%4)\n")
               .arg(imported, 8, 'f', 2).arg(plainImported, 12, 'f', 2).arg(plainImported / imported, 6, 'f', 2)
               .arg(outcome.status == transfer::Outcome::Status::Done ? "done" : qPrintable(outcome.lines.value(0)))
        << QStringLiteral("peak memory %1 MB\n").arg(usage.ru_maxrss / 1024.0, 0, 'f', 0);
    return 0;
}

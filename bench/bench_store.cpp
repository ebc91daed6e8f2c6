// Saves on each store backend, through the reference components: the median
// time of one Apply's writes (a partition's settings and 20 node rows, every
// value changed, in one unit of work) by one session alone, and the saves per
// second that four sessions in four processes achieve together, each loading
// and saving a partition of its own. Beside each, the yardstick measured in
// the same run: the same 21 updates sent straight through Qt Sql, prepared
// once, one transaction per save; and the ratio (1 = as fast as the
// yardstick). SQLite: a file in a temporary folder. PostgreSQL: a
// schema of its own in the database that PARTITION_SETTINGS_TEST_PG names
// (skipped without it); for a real server's figures start the cluster with
// PG_CLUSTER_DURABLE=1 (scripts/pg-cluster.sh).
// Run on demand: build/release/bench/bench_store [saves per writer]
#include "StoreBackend.h"
#include "server/ReadComponents.h"
#include "server/StoreLocation.h"
#include "server/StoreUnitOfWork.h"
#include "server/WriteComponents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

const QString kConfig = QStringLiteral("7");
constexpr int kApplies = 201;

// Configuration 7, node types 1 to 20, partitions 10 to 13 with every maximum.
void fill(server::ReferenceStore &store)
{
    store.addConfiguration({7, "Bench", "Site", 1, "System", 2});
    store.setConfigurationInUse(7);
    for (qint16 type = 1; type <= 20; ++type)
        store.addNodeTypeRow({type, QStringLiteral("Type %1").arg(type), QStringLiteral("Type %1").arg(type)});
    store.inTransaction([&] {
        for (qint16 partition = 10; partition < 14; ++partition) {
            store.insertPartition(
                {7, partition, "Bench", "4321", "FRENCH", "4", 600, "NOOP", "IGNORE", 0, 0, 0, qint16(1)});
            for (qint16 type = 1; type <= 20; ++type)
                store.insertNodeMax({7, partition, type, 5});
        }
    });
}

// One session saving partition 10 + writer: a load as Get_Data does, then
// the writes of Apply.
struct Session
{
    Session(const QString &location, int writer)
        : store(server::ReferenceStore::open(location)), partition(QString::number(10 + writer))
    {
        load();
    }

    void load()
    {
        reader.Get_Partition_Settings_XML(kConfig, partition);
        maxima.Get_Node_Type_Max_XML(kConfig, partition);
        updater.Select_Partition(partition);
    }

    void apply(int round)
    {
        unit.enter();
        unit.begin(UnitOfWork::Refusal::FailsAlone);
        updater.Update_Partition_Record({kConfig, partition, QStringLiteral("Bench %1").arg(round), "4321", "FRENCH",
                                         "4", "600", "NOOP", "IGNORE", "0", "0", "0", "1"});
        for (int type = 1; type <= 20; ++type)
            nodes.Update_Node_Type_Max_Record(
                {kConfig, partition, QString::number(type), QString::number(round % 2 + type)});
        unit.commit();
        unit.leave();
    }

    std::shared_ptr<server::ReferenceStore> store;
    QString partition;
    server::StoreUnitOfWork unit{store};
    server::ConfigReader reader{store};
    server::NodeMaxReader maxima{store};
    server::PartitionUpdater updater{store};
    server::NodeMaxUpdater nodes{store};
};

// The yardstick: the same updates on a plain connection, one transaction
// per save.
struct PlainSession
{
    PlainSession(const QString &location, int writer) : partition(10 + writer)
    {
        static int connections = 0;
        server::ConnectionSettings settings = server::connectionFor(location);
        if (settings.driver == QLatin1String("QSQLITE"))
            settings.options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000");
        db = server::openDatabase(settings, QStringLiteral("plain_%1").arg(++connections));
        postgres = settings.driver == QLatin1String("QPSQL");
        settingsUpdate = prepared("UPDATE Partitions SET Name = ?, PartitionAccessCode = ?, REMLanguage = ?, "
                                  "SelectLimit = ?, TimeLimit = ?, Command = ?, NoMSGRecorded = ?, TotalRecTime = ?, "
                                  "TotalTimeOfMessagesRecorded = ?, TimeLeft = ?, MSGNo = ?, Revision = Revision + 1 "
                                  "WHERE Config_ID = 7 AND PartitionID = ?");
        nodeUpdate = prepared("UPDATE NodeTypeMaxima SET Max_Number = ? WHERE Config_ID = 7 AND PartitionID = ? "
                              "AND NodeType_ID = ?");
    }

    QSqlQuery prepared(const char *sql)
    {
        QSqlQuery query(db);
        query.prepare(QLatin1String(sql));
        return query;
    }

    static void exec(QSqlQuery &query, const QVariantList &values)
    {
        for (qsizetype i = 0; i < values.size(); ++i)
            query.bindValue(int(i), values.at(i));
        if (!query.exec())
            throw std::runtime_error(query.lastError().text().toStdString());
    }

    void apply(int round)
    {
        QSqlQuery control(db);
        control.exec(QLatin1String(postgres ? "BEGIN" : "BEGIN IMMEDIATE"));
        exec(settingsUpdate, {QStringLiteral("Bench %1").arg(round), "4321", "FRENCH", "4", 600, "NOOP", "IGNORE", 0,
                              0, 0, 1, partition});
        for (int type = 1; type <= 20; ++type)
            exec(nodeUpdate, {round % 2 + type, partition, type});
        if (!control.exec(QStringLiteral("COMMIT")))
            throw std::runtime_error(control.lastError().text().toStdString());
    }

    int partition;
    bool postgres = false;
    QSqlDatabase db;
    QSqlQuery settingsUpdate;
    QSqlQuery nodeUpdate;
};

template <typename Saver> double medianApplyMs(const QString &location)
{
    Saver session(location, 0);
    std::vector<double> times;
    QElapsedTimer timer;
    for (int round = 0; round < kApplies; ++round) {
        timer.start();
        session.apply(round);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double savesPerSecond(const QString &mode, const QString &location, int saves)
{
    std::vector<std::unique_ptr<QProcess>> writers;
    QElapsedTimer timer;
    timer.start();
    for (int w = 0; w < 4; ++w) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->setProcessChannelMode(QProcess::ForwardedChannels);
        writers.back()->start(QCoreApplication::applicationFilePath(),
                              {mode, location, QString::number(w), QString::number(saves)});
    }
    for (const auto &writer : writers)
        if (!writer->waitForFinished(-1) || writer->exitCode() != 0)
            return -1;
    return 4.0 * saves / (double(timer.nsecsElapsed()) / 1e9);
}

void measure(QTextStream &out, const char *backend, int saves)
{
    const testing::FreshLocation fresh;
    fill(*server::ReferenceStore::open(fresh.location, server::ReferenceStore::Seeding::SchemaOnly));
    const double apply = medianApplyMs<Session>(fresh.location);
    const double plainApply = medianApplyMs<PlainSession>(fresh.location);
    const double perSecond = savesPerSecond(QStringLiteral("--writer"), fresh.location, saves);
    const double plainPerSecond = savesPerSecond(QStringLiteral("--plain-writer"), fresh.location, saves);
    out << QStringLiteral("%1  %2 %3 %4   %5 %6 %7\n")
               .arg(QLatin1String(backend), -10)
               .arg(apply, 8, 'f', 2)
               .arg(plainApply, 9, 'f', 2)
               .arg(plainApply / apply, 6, 'f', 2)
               .arg(perSecond, 8, 'f', 0)
               .arg(plainPerSecond, 9, 'f', 0)
               .arg(perSecond / plainPerSecond, 6, 'f', 2);
    out.flush();
}

template <typename Saver> int write(const QStringList &args, bool load)
{
    try {
        Saver session(args.value(2), args.value(3).toInt());
        for (int round = 0, saves = args.value(4).toInt(); round < saves; ++round) {
            if constexpr (std::is_same_v<Saver, Session>) {
                if (load && round > 0)
                    session.load();
            }
            session.apply(round);
        }
        return 0;
    } catch (const std::exception &e) {
        QTextStream(stderr) << "writer: " << e.what() << '\n';
        return 1;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("--writer"))
        return write<Session>(args, true);
    if (args.value(1) == QLatin1String("--plain-writer"))
        return write<PlainSession>(args, false);
    const int saves = args.size() > 1 ? args.value(1).toInt() : 300;
    QTextStream out(stdout);
    out << "            median Apply, ms (21 rows)   4 writers, saves/s\n"
           "backend         ours  yardstick  ratio       ours yardstick  ratio\n";
    qputenv("PARTITION_SETTINGS_TEST_BACKEND", "sqlite");
    measure(out, "SQLite", saves);
    qputenv("PARTITION_SETTINGS_TEST_BACKEND", "postgresql");
    if (qEnvironmentVariableIsSet("PARTITION_SETTINGS_TEST_PG"))
        measure(out, "PostgreSQL", saves);
    else
        out << "PostgreSQL  skipped: set PARTITION_SETTINGS_TEST_PG to a postgresql:// URI\n";
    return 0;
}

// Saves on each store backend, through the reference components: the median
// time of one Apply's writes (a partition's settings and 20 node rows, every
// value changed) by one session alone, and the saves per second that four
// sessions in four processes achieve together, each loading and saving a
// partition of its own. SQLite: a file in a temporary folder. PostgreSQL: a
// schema of its own in the database that PARTITION_SETTINGS_TEST_PG names
// (skipped without it); for a real server's figures start the cluster with
// PG_CLUSTER_DURABLE=1 (scripts/pg-cluster.sh).
// Run on demand: build/release/bench/bench_store [saves per writer]
#include "StoreBackend.h"
#include "server/ReadComponents.h"
#include "server/WriteComponents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
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
    }

    void load()
    {
        reader.Get_Partition_Settings_XML(kConfig, partition);
        maxima.Get_Node_Type_Max_XML(kConfig, partition);
        updater.Select_Partition(partition);
    }

    void apply(int round)
    {
        updater.Update_Partition_Record({kConfig, partition, QStringLiteral("Bench %1").arg(round), "4321", "FRENCH",
                                         "4", "600", "NOOP", "IGNORE", "0", "0", "0", "1"});
        for (int type = 1; type <= 20; ++type)
            nodes.Update_Node_Type_Max_Record(
                {kConfig, partition, QString::number(type), QString::number(round % 2 + type)});
    }

    std::shared_ptr<server::ReferenceStore> store;
    QString partition;
    server::ConfigReader reader{store};
    server::NodeMaxReader maxima{store};
    server::PartitionUpdater updater{store};
    server::NodeMaxUpdater nodes{store};
};

double medianApplyMs(const QString &location)
{
    Session session(location, 0);
    session.load();
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

double savesPerSecond(const QString &location, int saves)
{
    std::vector<std::unique_ptr<QProcess>> writers;
    QElapsedTimer timer;
    timer.start();
    for (int w = 0; w < 4; ++w) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->setProcessChannelMode(QProcess::ForwardedChannels);
        writers.back()->start(QCoreApplication::applicationFilePath(),
                              {"--writer", location, QString::number(w), QString::number(saves)});
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
    const double apply = medianApplyMs(fresh.location);
    const double perSecond = savesPerSecond(fresh.location, saves);
    out << QStringLiteral("%1  %2  %3\n")
               .arg(QLatin1String(backend), -10)
               .arg(apply, 22, 'f', 2)
               .arg(perSecond, 20, 'f', 0);
    out.flush();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("--writer")) {
        try {
            Session session(args.value(2), args.value(3).toInt());
            for (int round = 0, saves = args.value(4).toInt(); round < saves; ++round) {
                session.load();
                session.apply(round);
            }
            return 0;
        } catch (const std::exception &e) {
            QTextStream(stderr) << "writer: " << e.what() << '\n';
            return 1;
        }
    }
    const int saves = args.size() > 1 ? args.value(1).toInt() : 300;
    QTextStream out(stdout);
    out << "backend     median Apply, ms (21 rows)  4 writers, saves/s\n";
    qputenv("PARTITION_SETTINGS_TEST_BACKEND", "sqlite");
    measure(out, "SQLite", saves);
    qputenv("PARTITION_SETTINGS_TEST_BACKEND", "postgresql");
    if (qEnvironmentVariableIsSet("PARTITION_SETTINGS_TEST_PG"))
        measure(out, "PostgreSQL", saves);
    else
        out << "PostgreSQL  skipped: set PARTITION_SETTINGS_TEST_PG to a postgresql:// URI\n";
    return 0;
}

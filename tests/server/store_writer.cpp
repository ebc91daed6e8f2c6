// A session of the reference store in a process of its own, for the tests of
// several sessions at once. It loads and saves partitions of configuration 7
// through the reference components, as the dialog does:
//   store_writer LOCATION save PARTITION NAME
//       loads the partition and saves it under the new name;
//   store_writer LOCATION saves WRITER COUNT
//       COUNT times: saves partition 10 + WRITER, its settings and the maxima
//       of node types 1 to 20 (nobody else writes it: a refusal is a failure),
//       then counts partition 1's total recording time up by one, loading it
//       again after each refusal. Prints "refused <n>", the refusals of
//       partition 1.
// Exit status 0, or 1 after printing the error that stopped it.
#include "core/RuntimeError.h"
#include "data/Rowset.h"
#include "server/ReadComponents.h"
#include "server/ServerErrors.h"
#include "server/WriteComponents.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

const QString kConfig = QStringLiteral("7");

struct Session
{
    explicit Session(const QString &location) : store(server::ReferenceStore::open(location)) {}

    // Loads the partition as Get_Data does; answers its settings.
    RecordSet load(const QString &partition)
    {
        RecordSet settings = rowset::read(reader.Get_Partition_Settings_XML(kConfig, partition));
        maxima.Get_Node_Type_Max_XML(kConfig, partition);
        updater.Select_Partition(partition);
        return settings;
    }

    // Saves the loaded values under a new name (and total recording time).
    void save(const RecordSet &loaded, const QString &name, const QString &totalRecTime)
    {
        QStringList v;
        for (int i = 0; i < 13; ++i)
            v << loaded.Fields(i).toText();
        v[2] = name;
        if (!totalRecTime.isEmpty())
            v[9] = totalRecTime;
        updater.Update_Partition_Record({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12]});
    }

    std::shared_ptr<server::ReferenceStore> store;
    server::ConfigReader reader{store};
    server::NodeMaxReader maxima{store};
    server::PartitionUpdater updater{store};
    server::NodeMaxUpdater nodes{store};
};

int saves(Session &session, int writer, int count)
{
    const QString own = QString::number(10 + writer);
    int refused = 0;
    for (int i = 0; i < count; ++i) {
        session.save(session.load(own), QStringLiteral("Writer %1 save %2").arg(writer).arg(i), QString());
        for (int type = 1; type <= 20; ++type)
            session.nodes.Update_Node_Type_Max_Record(
                {kConfig, own, QString::number(type), QString::number((i * 7 + type) % 1000)});
        for (;;) {
            const RecordSet shared = session.load(QStringLiteral("1"));
            const qint64 total = shared.Fields(9).toText().toLongLong();
            try {
                session.save(shared, shared.Fields(2).toText(), QString::number(total + 1));
                break;
            } catch (const rt::RuntimeError &e) {
                if (e.number() != server::kChangedByOthers)
                    throw;
                ++refused;
            }
        }
    }
    std::printf("refused %d\n", refused);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    try {
        Session session(args.value(1));
        if (args.value(2) == QLatin1String("save")) {
            session.save(session.load(args.value(3)), args.value(4), QString());
            return 0;
        }
        return saves(session, args.value(3).toInt(), args.value(4).toInt());
    } catch (const rt::RuntimeError &e) {
        std::printf("%d %s\n", e.number(), qPrintable(e.description()));
    } catch (const std::exception &e) {
        std::printf("%s\n", e.what());
    }
    return 1;
}

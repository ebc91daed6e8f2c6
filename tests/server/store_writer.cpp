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
#include "rowset/Rowset.h"
#include "server/ReadComponents.h"
#include "server/ServerErrors.h"
#include "server/WriteComponents.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    try {
        const auto store = server::ReferenceStore::open(a.value(1));
        server::ConfigReader reader(store);
        server::NodeMaxReader maxima(store);
        server::PartitionUpdater updater(store);
        server::NodeMaxUpdater nodes(store);
        // Loads the partition as Get_Data does, then saves its values with the
        // name given (and the total recording time one up).
        const auto save = [&](const QString &partition, const QString &name, bool countUp) {
            const RecordSet loaded = rowset::read(reader.Get_Partition_Settings_XML("7", partition));
            maxima.Get_Node_Type_Max_XML("7", partition);
            updater.Select_Partition(partition);
            QStringList v;
            for (int i = 0; i < 13; ++i)
                v << (i == 2 ? name : i == 9 && countUp ? QString::number(loaded.Fields(9).asInteger() + 1) : loaded.Fields(i).toText());
            updater.Update_Partition_Record({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12]});
        };
        if (a.value(2) == "save")
            return save(a.value(3), a.value(4), false), 0;
        const QString own = QString::number(10 + a.value(3).toInt());
        int refused = 0;
        for (int i = 0; i < a.value(4).toInt(); ++i) {
            save(own, QStringLiteral("Writer %1 save %2").arg(a.value(3)).arg(i), false);
            for (int type = 1; type <= 20; ++type)
                nodes.Update_Node_Type_Max_Record({"7", own, QString::number(type), QString::number((i * 7 + type) % 1000)});
            for (bool saved = false; !saved;) {
                try {
                    save("1", "Lab", true);
                    saved = true;
                } catch (const rt::RuntimeError &e) {
                    if (e.number() != server::kChangedByOthers)
                        throw;
                    ++refused;
                }
            }
        }
        std::printf("refused %d\n", refused);
        return 0;
    } catch (const std::exception &e) {
        std::printf("%s\n", e.what());
    }
    return 1;
}

// The Lab configuration of the store tests.
#include "LabStore.h"

namespace testing {

void fillLab(server::ReferenceStore &store, std::initializer_list<qint16> partitions)
{
    store.inTransaction([&] {
        store.addConfiguration({7, "Lab", "North", 1, "Sys", 2});
        store.setConfigurationInUse(7);
        for (qint16 type = 1; type <= 20; ++type)
            store.addNodeTypeRow({type, QString::number(type), QString::number(type)});
        for (qint16 partition : partitions) {
            store.insertPartition({7, partition, "Lab", "4321", "FRENCH", "4", 600, "NOOP", "IGNORE", 0, 0, 0, 1});
            for (qint16 type = 1; type <= 20; ++type)
                store.insertNodeMax({7, partition, type, 999});
        }
    });
}

} // namespace testing

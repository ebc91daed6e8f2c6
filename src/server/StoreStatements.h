// The SQL of the reference store's reads and writes, built once from the
// schema's tables and the answers' layouts: a read selects exactly the
// columns of its answer in their positions, and a write names the columns in
// the order of the values it binds.
#pragma once

#include <QString>

namespace server {

struct StoreStatements
{
    // Reads answered as rowsets, columns in the order of AnswerLayouts.h.
    QString partitionSettings; // ? configuration, partition
    QString partitionList;     // ? configuration
    QString configurations;    // the one in use first
    QString nodeTypes;
    QString nodeMaxima; // ? configuration, partition
    // The same for every partition of a configuration, by partition (and node type).
    QString allPartitionSettings; // ? configuration
    QString allNodeMaxima;        // ? configuration

    // Checks that a row is there.
    QString configurationExists; // ? configuration
    QString revision;            // ? configuration, partition
    QString revisions;           // ? configuration: partition, revision

    // Writes of a whole row bind its values in the order of its answer; an
    // update binds the values after the key first, then the key.
    QString insertPartition; // does nothing when the partition is there
    QString updatePartition;
    QString setRevision; // ? revision, configuration, partition
    int partitionKeyColumns = 0;
    QString insertNodeMax;
    QString updateNodeMax;
    int nodeMaxKeyColumns = 0;
    QString insertConfiguration;
    QString insertNodeType;

    QString markConfigurationInUse; // ? the configuration in use

    QString insertChange; // ? the values of a ChangeRow in order
    QString history;      // the ChangeRow columns of every change; filters and order added by the reader
};

const StoreStatements &storeStatements();

// The insert of that many changes in one statement: insertChange with as
// many rows of values.
QString insertChanges(qsizetype rows);

} // namespace server

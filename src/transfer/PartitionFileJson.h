// A partition file as JSON: written deterministically (keys in a fixed
// order, partitions by number, node maxima by node type), so that two
// exports diff cleanly; read strictly, with every problem of the file named
// by its JSON pointer.
#pragma once

#include "transfer/PartitionFile.h"

#include <QByteArray>

namespace transfer {

struct Problem
{
    QString pointer; // "/partitions/3/TimeLimit"; "" for the whole file
    QString message;

    QString text() const { return (pointer.isEmpty() ? QStringLiteral("(file)") : pointer) + ": " + message; }
};

QByteArray toJson(const PartitionFile &file);

// The file, or (with an empty file) every problem found in it: JSON syntax
// (with line and column), unknown, missing or mistyped fields, numbers out of
// their range, characters that no answer can carry, repeated partitions.
PartitionFile fromJson(const QByteArray &json, QList<Problem> &problems);

} // namespace transfer

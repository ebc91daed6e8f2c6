// A list of partition numbers as a user types it: "3,5-9" (numbers and
// ranges, separated by commas).
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace transfer {

// The numbers in ascending order without repeats, or nothing (with the
// reason) when the text is not such a list of numbers from 0 to 32767.
std::optional<QList<qint16>> parsePartitionSelection(const QString &text, QString &reason);

} // namespace transfer

// A string table for the dialog tests: the built-in table with some ids
// removed or given other texts.
#pragma once

#include "resources/StringTable.h"

#include <QHash>
#include <QSet>

namespace testing {

class EditedStringTable : public resources::StringTable
{
public:
    std::optional<QString> load(qint32 id) const override
    {
        if (removed.contains(id))
            return std::nullopt;
        if (replaced.contains(id))
            return replaced.value(id);
        return resources::BuiltInStringTable().load(id);
    }

    QSet<qint32> removed;
    QHash<qint32, QString> replaced;
};

} // namespace testing

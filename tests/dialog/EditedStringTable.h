// A string table for the dialog tests, in force while it lives: the built-in
// table with some strings given other texts; a null text removes the string.
#pragma once

#include "resources/StringTable.h"

#include <QHash>

namespace testing {

using StringEdits = QHash<qint32, QString>;

class EditedStringTable : public resources::StringTable
{
public:
    explicit EditedStringTable(const StringEdits &edits) : m_edits(edits) {}

    std::optional<QString> load(qint32 id) const override
    {
        if (!m_edits.contains(id))
            return resources::BuiltInStringTable().load(id);
        return m_edits.value(id).isNull() ? std::nullopt : std::optional<QString>(m_edits.value(id));
    }

private:
    StringEdits m_edits;
    resources::ScopedStringTable m_scope{*this};
};

} // namespace testing

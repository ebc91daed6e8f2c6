// The resource string table: captions and fixed list items, an English block
// at ids 0 to 87 and a French block at the same ids plus 100. Lookups go
// through the table in force, which tests can replace (to make an id missing).
#pragma once

#include <QString>
#include <optional>

namespace resources {

class StringTable
{
public:
    virtual ~StringTable() = default;
    // The string with that id, or nothing when the table has no such id.
    virtual std::optional<QString> load(qint32 id) const = 0;
};

// The table compiled into the component.
class BuiltInStringTable : public StringTable
{
public:
    std::optional<QString> load(qint32 id) const override;
};

const StringTable &strings();

class ScopedStringTable
{
public:
    explicit ScopedStringTable(const StringTable &replacement);
    ~ScopedStringTable();
    ScopedStringTable(const ScopedStringTable &) = delete;
    ScopedStringTable &operator=(const ScopedStringTable &) = delete;

private:
    const StringTable *m_previous;
};

} // namespace resources

// The revisions of the partitions one session has loaded, so that its changes
// can be refused when someone else saved the partition after the load. A load
// notes the revision it read before the rows (so rows newer than the note only
// make the check stricter); the settings start a load, the node maxima read
// after them keep the older of the two. The session's own changes move its
// note along once they are committed.
#pragma once

#include <QtGlobal>
#include <map>
#include <optional>
#include <utility>

namespace server {

class LoadedRevisions
{
public:
    void loadedSettings(qint16 configId, qint16 partitionId, qint32 revision)
    {
        m_revisions[{configId, partitionId}] = revision;
    }

    void loadedMaxima(qint16 configId, qint16 partitionId, qint32 revision)
    {
        const auto [entry, added] = m_revisions.try_emplace({configId, partitionId}, revision);
        if (!added && revision < entry->second)
            entry->second = revision;
    }

    // The revision the session last saw; nothing when it never loaded the partition.
    std::optional<qint32> seen(qint16 configId, qint16 partitionId) const
    {
        const auto entry = m_revisions.find({configId, partitionId});
        return entry == m_revisions.end() ? std::nullopt : std::optional<qint32>(entry->second);
    }

    // The session changed the partition from revision `from` to `to`: its
    // note follows when it was current.
    void changed(qint16 configId, qint16 partitionId, qint32 from, qint32 to)
    {
        const auto entry = m_revisions.find({configId, partitionId});
        if (entry != m_revisions.end() && entry->second == from)
            entry->second = to;
    }

private:
    std::map<std::pair<qint16, qint16>, qint32> m_revisions;
};

} // namespace server

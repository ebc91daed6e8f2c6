// The revisions of the partitions one session has loaded, so that its changes
// can be refused when someone else saved the partition after the load. A load
// notes the revision it read before the rows (so rows newer than the note only
// make the check stricter); the settings start a load, the node maxima read
// after them keep the older of the two. A load of a whole configuration notes
// every partition the same way, and one that was not stored as seen at
// revision 0. The session's own changes move its note along once they are
// committed.
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace server {

class LoadedRevisions
{
public:
    void loadedSettings(qint16 configId, qint16 partitionId, qint32 revision)
    {
        m_revisions[{configId, partitionId}] = revision;
    }

    // Keeps the older of this revision and the one seen before, a partition
    // that a whole load did not find counting as seen at 0.
    void loadedMaxima(qint16 configId, qint16 partitionId, qint32 revision)
    {
        const std::optional<qint32> before = seen(configId, partitionId);
        m_revisions[{configId, partitionId}] = before ? std::min(*before, revision) : revision;
    }

    // Every stored partition of the configuration, by number.
    void loadedAllSettings(qint16 configId, const std::map<qint16, qint32> &revisions)
    {
        m_wholeConfigurations.insert(configId);
        for (const auto &[partitionId, revision] : revisions)
            loadedSettings(configId, partitionId, revision);
    }

    void loadedAllMaxima(qint16 configId, const std::map<qint16, qint32> &revisions)
    {
        m_wholeConfigurations.insert(configId);
        for (const auto &[partitionId, revision] : revisions)
            loadedMaxima(configId, partitionId, revision);
    }

    // The revision the session last saw; nothing when it never loaded the partition.
    std::optional<qint32> seen(qint16 configId, qint16 partitionId) const
    {
        const auto entry = m_revisions.find({configId, partitionId});
        if (entry != m_revisions.end())
            return entry->second;
        return m_wholeConfigurations.count(configId) ? std::optional<qint32>(0) : std::nullopt;
    }

    // The session changed the partition from revision `from` to `to`: its
    // note follows when it was current.
    void changed(qint16 configId, qint16 partitionId, qint32 from, qint32 to)
    {
        if (seen(configId, partitionId) == from)
            m_revisions[{configId, partitionId}] = to;
    }

private:
    std::map<std::pair<qint16, qint16>, qint32> m_revisions;
    std::set<qint16> m_wholeConfigurations;
};

} // namespace server

// Appends many entries to a drop-down list in one model operation: a list of
// 32,767 partitions fills in one insertion instead of 32,767. Entries are
// added and given item data as one at a time (the newest entry takes the data
// set after it); they reach the list, selection unchanged, when the batch is
// flushed or ends, also when an error leaves the filling loop early.
#pragma once

#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

class QComboBox;

namespace listControls {

class ListBatch
{
public:
    explicit ListBatch(QComboBox *list) : m_list(list) {}
    ~ListBatch() { flush(); }
    ListBatch(const ListBatch &) = delete;
    ListBatch &operator=(const ListBatch &) = delete;

    void append(const QString &text) { m_entries.emplace_back(text, QVariant()); }
    // Item data of the entry appended last; nothing when there is none yet.
    void setNewestData(const QVariant &data);
    void flush() noexcept;

private:
    QComboBox *m_list;
    std::vector<std::pair<QString, QVariant>> m_entries;
};

} // namespace listControls

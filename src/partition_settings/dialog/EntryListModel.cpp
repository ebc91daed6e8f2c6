// Entries of a drop-down list as one array of text and item data.
#include "partition_settings/dialog/EntryListModel.h"

#include <iterator>

namespace listControls {

// Quietly false for an index of no entry: a list with nothing chosen asks
// about row -1.
bool EntryListModel::holds(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && index.column() == 0 && index.row() < rowCount();
}

int EntryListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_entries.size()); }

QVariant EntryListModel::data(const QModelIndex &index, int role) const
{
    if (!holds(index))
        return {};
    const Entry &entry = m_entries[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return entry.first;
    case Qt::UserRole: return entry.second;
    default: return {};
    }
}

bool EntryListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!holds(index))
        return false;
    Entry &entry = m_entries[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (entry.first == value.toString())
            return true;
        entry.first = value.toString();
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        return true;
    case Qt::UserRole:
        if (entry.second == value && entry.second.typeId() == value.typeId())
            return true;
        entry.second = value;
        emit dataChanged(index, index, {Qt::UserRole});
        return true;
    default: return false;
    }
}

bool EntryListModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    m_entries.insert(m_entries.begin() + row, size_t(count), Entry());
    endInsertRows();
    return true;
}

bool EntryListModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    m_entries.erase(m_entries.begin() + row, m_entries.begin() + row + count);
    endRemoveRows();
    return true;
}

void EntryListModel::append(std::vector<Entry> &&entries)
{
    if (entries.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + int(entries.size()) - 1);
    m_entries.insert(m_entries.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    endInsertRows();
    entries.clear();
}

} // namespace listControls

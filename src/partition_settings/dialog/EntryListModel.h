// The model behind the dialog's drop-down lists: each entry is a text and its
// item data, held side by side in one array. A list of 32,767 partitions is
// filled in one insertion and emptied in one removal, with no item object
// per entry to make and free. It holds nothing else: an icon, a separator
// or any other role given to one of its lists is refused (and the entry
// added with an icon gets neither text nor data); the dialog uses none.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace listControls {

class EntryListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using Entry = std::pair<QString, QVariant>; // text, item data

    explicit EntryListModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override;
    // The text as display and edit role, the item data as Qt::UserRole.
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    bool insertRows(int row, int count, const QModelIndex &parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

    // Puts the entries after the last one, in one insertion.
    void append(std::vector<Entry> &&entries);

private:
    bool holds(const QModelIndex &index) const;

    std::vector<Entry> m_entries;
};

} // namespace listControls

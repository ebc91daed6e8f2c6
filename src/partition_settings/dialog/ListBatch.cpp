// The pending entries become items of the list's own model, all inserted
// under its root at once; a list on a model of another kind takes them one
// by one.
#include "partition_settings/dialog/ListBatch.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace listControls {
namespace {

QStandardItem *itemOf(const QString &text, const QVariant &data)
{
    auto *item = new QStandardItem(text);
    if (data.isValid())
        item->setData(data, Qt::UserRole);
    return item;
}

} // namespace

void ListBatch::setNewestData(const QVariant &data)
{
    if (!m_entries.empty())
        m_entries.back().second = data;
}

// Qt would select the first item put into an empty list: the selection is
// put back without a selection change, as a single append leaves it.
void ListBatch::flush() noexcept
{
    if (m_entries.empty())
        return;
    const int selected = m_list->currentIndex();
    const QSignalBlocker blocker(m_list);
    if (auto *model = qobject_cast<QStandardItemModel *>(m_list->model())) {
        QList<QStandardItem *> items;
        items.reserve(qsizetype(m_entries.size()));
        for (const auto &[text, data] : m_entries)
            items.append(itemOf(text, data));
        model->invisibleRootItem()->appendRows(items);
    } else {
        for (const auto &[text, data] : m_entries)
            m_list->addItem(text, data);
    }
    m_entries.clear();
    if (m_list->currentIndex() != selected)
        m_list->setCurrentIndex(selected);
}

} // namespace listControls

// The pending entries go into the dialog's entry model at once; a list on a
// model of another kind takes them one by one.
#include "partition_settings/dialog/ListBatch.h"

#include "partition_settings/dialog/EntryListModel.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace listControls {

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
    if (auto *model = qobject_cast<EntryListModel *>(m_list->model())) {
        model->append(std::move(m_entries));
    } else {
        for (const auto &[text, data] : m_entries)
            m_list->addItem(text, data);
    }
    m_entries.clear();
    if (m_list->currentIndex() != selected)
        m_list->setCurrentIndex(selected);
}

} // namespace listControls

// A cached map from item data to the first row that carries it. Item data of
// any kind but a whole number (Qt compares, say, the text "7" equal to 7) make
// the index step aside for QComboBox's own search.
#include "partition_settings/dialog/ItemDataIndex.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QHash>
#include <QPointer>
#include <limits>

namespace listControls {
namespace {

bool isWholeNumberType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return true;
    default: return false;
    }
}

class ItemDataIndex : public QObject
{
    Q_OBJECT

public:
    explicit ItemDataIndex(QComboBox *list) : QObject(list), m_list(list) {}

    int firstRow(qint32 number)
    {
        if (m_model != m_list->model())
            watch(m_list->model());
        if (m_stale)
            rebuild();
        if (m_irregular)
            return m_list->findData(number);
        return m_rows.value(number, -1);
    }

private:
    void watch(QAbstractItemModel *model)
    {
        if (m_model)
            m_model->disconnect(this);
        m_model = model;
        m_stale = true;
        const auto stale = [this] { m_stale = true; };
        connect(model, &QAbstractItemModel::rowsInserted, this, stale);
        connect(model, &QAbstractItemModel::rowsRemoved, this, stale);
        connect(model, &QAbstractItemModel::rowsMoved, this, stale);
        connect(model, &QAbstractItemModel::dataChanged, this, stale);
        connect(model, &QAbstractItemModel::modelReset, this, stale);
        connect(model, &QAbstractItemModel::layoutChanged, this, stale);
    }

    // From the last row up, so that the first row of a repeated number wins.
    void rebuild()
    {
        m_rows.clear();
        m_rows.reserve(m_list->count());
        m_irregular = false;
        for (int row = m_list->count() - 1; row >= 0; --row) {
            const QVariant data = m_list->itemData(row);
            if (!data.isValid())
                continue;
            bool inRange = false;
            const qint64 value = data.toLongLong(&inRange);
            if (!isWholeNumberType(data.typeId()) || !inRange) {
                m_irregular = true;
                break;
            }
            if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max())
                m_rows.insert(qint32(value), row);
        }
        m_stale = false;
    }

    QComboBox *m_list;
    QPointer<QAbstractItemModel> m_model;
    QHash<qint32, int> m_rows;
    bool m_stale = true;
    bool m_irregular = false;
};

} // namespace

int firstRowWithData(const QComboBox *list, qint32 number)
{
    auto *owner = const_cast<QComboBox *>(list); // the index is a cache of the list's own items
    auto *index = owner->findChild<ItemDataIndex *>(QString(), Qt::FindDirectChildrenOnly);
    if (!index)
        index = new ItemDataIndex(owner);
    return index->firstRow(number);
}

} // namespace listControls

#include "ItemDataIndex.moc"

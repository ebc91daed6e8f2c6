// Keyed collection of texts.
#include "core/KeyedCollection.h"

#include "core/RuntimeError.h"

void KeyedCollection::Add(const QString &item, const QString &key)
{
    if (m_items.contains(key))
        throw rt::RuntimeError::standard(rt::KeyAlreadyAssociated);
    m_keys.append(key);
    m_items.insert(key, item);
}

const QString &KeyedCollection::Item(const QString &key) const
{
    const auto found = m_items.constFind(key);
    if (found == m_items.constEnd())
        throw rt::RuntimeError::standard(rt::InvalidProcedureCall);
    return *found;
}

const QString &KeyedCollection::Item(int position) const
{
    if (position < 1 || position > Count())
        throw rt::RuntimeError::standard(rt::InvalidProcedureCall);
    return m_items.find(m_keys.at(position - 1)).value();
}

void KeyedCollection::Remove(int position)
{
    if (position < 1 || position > Count())
        throw rt::RuntimeError::standard(rt::InvalidProcedureCall);
    m_items.remove(m_keys.takeAt(position - 1));
}

// An ordered collection of texts keyed by text, with the failures of the
// platform's keyed collection: adding a key that is already there is error 457,
// reading a key or position that is not there is error 5 (positions are 1-based).
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class KeyedCollection
{
public:
    void Add(const QString &item, const QString &key);
    const QString &Item(const QString &key) const;
    const QString &Item(int position) const;
    void Remove(int position);
    int Count() const { return int(m_keys.size()); }
    bool contains(const QString &key) const { return m_items.contains(key); }

private:
    QStringList m_keys; // in the order of adding
    QHash<QString, QString> m_items;
};

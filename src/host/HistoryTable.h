// The change history as the host prints it: one line per changed value,
// newest first, in columns padded to their widest entry.
#pragma once

#include "server/StoreRows.h"

#include <QList>
#include <QString>

QString historyTable(const QList<server::ChangeRow> &changes);

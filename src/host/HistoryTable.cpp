// Printing the change history.
#include "HistoryTable.h"

#include <QStringList>

namespace {

// A value that was not there before (or is not there after) shows as "(none)".
QString shownValue(const QString &value) { return value.isNull() ? QStringLiteral("(none)") : value; }

} // namespace

QString historyTable(const QList<server::ChangeRow> &changes)
{
    if (changes.isEmpty())
        return QStringLiteral("No changes recorded.\n");
    QList<QStringList> lines = {{QStringLiteral("Time (UTC)"), QStringLiteral("User"), QStringLiteral("Host"),
                                 QStringLiteral("Config"), QStringLiteral("Partition"), QStringLiteral("Value"),
                                 QStringLiteral("Old"), QStringLiteral("New")}};
    for (const server::ChangeRow &change : changes)
        lines.append({change.changedAt, change.user, change.host, QString::number(change.configId),
                      QString::number(change.partitionId), change.item, shownValue(change.oldValue),
                      shownValue(change.newValue)});
    QList<qsizetype> widths(lines.constFirst().size(), 0);
    for (const QStringList &line : lines)
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[i] = qMax(widths.at(i), line.at(i).size());
    QString table;
    for (const QStringList &line : lines) {
        QString text;
        for (qsizetype i = 0; i < line.size(); ++i)
            text += i + 1 < line.size() ? line.at(i).leftJustified(widths.at(i) + 2) : line.at(i);
        table += text + u'\n';
    }
    return table;
}

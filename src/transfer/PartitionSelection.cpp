// Partition lists such as "3,5-9".
#include "transfer/PartitionSelection.h"

#include <QRegularExpression>
#include <set>

namespace transfer {

std::optional<QList<qint16>> parsePartitionSelection(const QString &text, QString &reason)
{
    static const QRegularExpression item(QStringLiteral("\\A([0-9]{1,5})(?:-([0-9]{1,5}))?\\z"));
    std::set<qint16> numbers;
    for (const QString &part : text.split(u',')) {
        const QRegularExpressionMatch match = item.match(part.trimmed());
        const int first = match.captured(1).toInt();
        const int last = match.hasCaptured(2) ? match.captured(2).toInt() : first;
        if (!match.hasMatch() || last > 32767 || first > last) {
            reason = QStringLiteral("\"%1\" is not a partition number from 0 to 32767 or a range such as 5-9")
                         .arg(part);
            return std::nullopt;
        }
        for (int number = first; number <= last; ++number)
            numbers.insert(qint16(number));
    }
    return QList<qint16>(numbers.begin(), numbers.end());
}

} // namespace transfer

// Stored values as answer values, and the refusal of a value of another kind.
#include "server/AnswerValues.h"

#include "components/AnswerColumns.h"

namespace server {

ColumnKind columnKind(const FieldInfo &field)
{
    if (field.dataType == QLatin1String("string"))
        return ColumnKind::Text;
    return field.dataType == QLatin1String("i2") ? ColumnKind::Small : ColumnKind::Whole;
}

std::optional<Variant> fieldValue(const QVariant &value, const FieldInfo &field)
{
    if (value.isNull())
        return Variant();
    const ColumnKind kind = columnKind(field);
    if (kind == ColumnKind::Text)
        return Variant::text(value.toString());
    bool whole = false;
    const qlonglong number = value.toLongLong(&whole);
    if (!whole || !fits(number, kind) || (value.typeId() == QMetaType::Double && value.toDouble() != double(number)))
        return std::nullopt;
    return Variant::integer(number);
}

StoreError wrongKind(const QList<FieldInfo> &layout, qsizetype column, qsizetype row,
                     const std::function<QString(int)> &textAt)
{
    const auto position = [&layout](QLatin1String name) {
        for (qsizetype i = 0; i < layout.size(); ++i) {
            if (layout.at(i).name == name)
                return int(i);
        }
        return -1;
    };
    const int config = position(columns::settings::Config_ID.name);
    const int partition = position(columns::settings::PartitionID.name);
    const QString where = partition >= 0 && config >= 0
                              ? QStringLiteral("partition %1 of configuration %2").arg(textAt(partition), textAt(config))
                              : QStringLiteral("row %1").arg(row + 1);
    const FieldInfo &field = layout.at(column);
    return StoreError(rt::TypeMismatch, QStringLiteral("the stored value \"%1\" of column %2 in %3 is not of its type %4")
                                            .arg(textAt(int(column)), field.name, where, field.dataType));
}

} // namespace server

// Helpers of the data tests.
#include "RowsetTesting.h"

#include "core/RuntimeError.h"

namespace testing {

QString rowsetDocument(const QString &columns, const QString &rows)
{
    return QStringLiteral("<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
                          " xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
                          " xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>\n"
                          "<s:Schema id='RowsetSchema'>\n<s:ElementType name='row' content='eltOnly'>\n%1\n"
                          "<s:extends type='rs:rowbase'/>\n</s:ElementType>\n</s:Schema>\n"
                          "<rs:data>\n%2\n</rs:data>\n</xml>\n")
        .arg(columns, rows);
}

QString column(const QString &name, const QString &type, const QString &extra)
{
    return QStringLiteral("<s:AttributeType name='%1'><s:datatype dt:type='%2' %3/></s:AttributeType>")
        .arg(name, type, extra);
}

QString describe(const Variant &value)
{
    static const char *const kinds[] = {"null", "t:", "i:", "f:", "b:", "d:", "x:"};
    if (value.type() == Variant::Type::Date)
        return QStringLiteral("d:") + value.asDate().toString(Qt::ISODateWithMs);
    return QLatin1String(kinds[int(value.type())]) + (value.isNull() ? QString() : value.toText());
}

QString rowsText(const RecordSet &records)
{
    QStringList rows;
    for (const RecordSet::Row &row : records.rows()) {
        QStringList values;
        for (const Variant &value : row)
            values << describe(value);
        rows << values.join(u',');
    }
    return rows.join(u'|');
}

QString fieldsText(const RecordSet &records)
{
    QStringList fields;
    for (const FieldInfo &f : records.fields())
        fields << f.name + u':' + f.dataType + (f.nullable ? QStringLiteral("?") : QString())
                      + (f.maxLength >= 0 ? QStringLiteral("(%1)").arg(f.maxLength) : QString());
    return fields.join(u' ');
}

QString outcome(const std::function<QString()> &call)
{
    try {
        return call();
    } catch (const rt::RuntimeError &error) {
        return QStringLiteral("error %1").arg(error.number());
    }
}

} // namespace testing

// Helpers of the data tests.
#include "RowsetTesting.h"

namespace testing {

QString rowsetDocument(const QString &columns, const QString &rows)
{
    return QStringLiteral("<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
                          " xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
                          " xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>\n"
                          "<s:Schema id='RowsetSchema'>\n"
                          "<s:ElementType name='row' content='eltOnly'>\n%1\n"
                          "<s:extends type='rs:rowbase'/>\n"
                          "</s:ElementType>\n"
                          "</s:Schema>\n"
                          "<rs:data>\n%2\n</rs:data>\n"
                          "</xml>\n")
        .arg(columns, rows);
}

QStringList columnTexts(const RecordSet &records, int column)
{
    QStringList texts;
    for (const RecordSet::Row &row : records.rows())
        texts.append(row.at(column).isNull() ? QStringLiteral("<null>") : row.at(column).toText());
    return texts;
}

} // namespace testing

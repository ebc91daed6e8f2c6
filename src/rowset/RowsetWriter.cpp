// Writes a RecordSet as rowset XML, the form in which our reference server
// answers: single-quoted attributes, tab indentation, CR LF line ends.
#include "rowset/Rowset.h"

#include "core/RuntimeError.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringBuilder>
#include <charconv>
#include <cmath>

namespace rowset {

namespace {

const QLatin1String kNewLine("\r\n");

const QLatin1String kHeader("<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"
                            "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\r\n"
                            "\txmlns:rs='urn:schemas-microsoft-com:rowset'\r\n"
                            "\txmlns:z='#RowsetSchema'>\r\n"
                            "<s:Schema id='RowsetSchema'>\r\n"
                            "\t<s:ElementType name='row' content='eltOnly'>\r\n");

const QLatin1String kSchemaEnd("\t\t<s:extends type='rs:rowbase'/>\r\n"
                               "\t</s:ElementType>\r\n"
                               "</s:Schema>\r\n"
                               "<rs:data>\r\n");

const QLatin1String kFooter("</rs:data>\r\n</xml>\r\n");

// What is written for one column.
struct Column
{
    QString attribute; // name used in the rows
    QString opening;   // " <attribute>='", which starts its value in a row
    QString name;      // real name
    QString type;
    qint32 maxLength = -1;
    bool nullable = true;
};

rt::RuntimeError cannotWrite(const QString &what)
{
    return rt::RuntimeError::own(rt::InvalidProcedureCall,
                                 QStringLiteral("Rowset XML cannot be written: %1").arg(what));
}

// The character reference of a character that is escaped, or nullptr.
const char *reference(char16_t c)
{
    switch (c) {
    case '\'': return "&#x27;";
    case '"': return "&#x22;";
    case '&': return "&#x26;";
    case '<': return "&#x3C;";
    case '>': return "&#x3E;";
    case '\t': return "&#x9;";
    case '\n': return "&#xA;";
    case '\r': return "&#xD;";
    default: return nullptr;
    }
}

// Appends text as an attribute value: markup characters and TAB, CR, LF as
// character references; a character no document can carry is refused.
// where() names the value for the error message.
template <typename Where> void appendEscaped(QString &out, const QString &text, Where where)
{
    const auto *begin = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *end = begin + text.size();
    const char16_t *plain = begin;
    for (const char16_t *p = begin; p != end; ++p) {
        const char16_t c = *p;
        if (c >= 0x3F && c < 0xD800)
            continue;
        if (c >= 0xD800) {
            if (c >= 0xE000 && c < 0xFFFE)
                continue;
            if (QChar::isHighSurrogate(c) && p + 1 != end && QChar::isLowSurrogate(p[1])) {
                ++p;
                continue;
            }
        } else if (c >= 0x20 && c != '\'' && c != '"' && c != '&' && c != '<' && c != '>') {
            continue;
        }
        const char *escaped = reference(c);
        if (!escaped)
            throw cannotWrite(
                QStringLiteral("%1 holds %2.").arg(where(), uncarriableCharacter(QStringView(p, end - p))));
        out.append(QStringView(plain, p));
        out += QLatin1String(escaped);
        plain = p + 1;
    }
    out.append(QStringView(plain, end));
}

bool isPlainName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return plain.match(name).hasMatch();
}

QString generatedName(qsizetype index) { return QStringLiteral("c%1").arg(index); }

// Attribute names for the rows: a plain, unique name is kept; any other is
// replaced by "c" and its 0-based position. A kept name that a replaced one
// would repeat is replaced too.
QStringList attributeNames(const QList<FieldInfo> &fields)
{
    QStringList names;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString &name = fields.at(i).name;
        bool unique = true;
        for (qsizetype j = 0; j < fields.size() && unique; ++j)
            unique = j == i || fields.at(j).name.compare(name, Qt::CaseInsensitive) != 0;
        names.append(unique && isPlainName(name) ? name : generatedName(i));
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (names.at(i) == generatedName(i))
                continue;
            for (qsizetype j = 0; j < names.size(); ++j) {
                if (j != i && names.at(j) == generatedName(j)
                    && names.at(j).compare(names.at(i), Qt::CaseInsensitive) == 0) {
                    names[i] = generatedName(i);
                    changed = true;
                    break;
                }
            }
        }
    }
    return names;
}

// The type of a column declared without one, from its first non-null value;
// none for text, which a column without a type holds.
QString inferredType(const QList<RecordSet::Row> &rows, qsizetype column)
{
    for (const RecordSet::Row &row : rows) {
        const Variant &value = row.at(column);
        switch (value.type()) {
        case Variant::Type::Null: continue;
        case Variant::Type::Integer: return QStringLiteral("i4");
        case Variant::Type::Floating: return QStringLiteral("r8");
        case Variant::Type::Boolean: return QStringLiteral("boolean");
        case Variant::Type::Date: return QStringLiteral("dateTime");
        case Variant::Type::Binary: return QStringLiteral("bin.hex");
        case Variant::Type::Unsigned: return QStringLiteral("ui8");
        case Variant::Type::Text: return {};
        }
    }
    return {};
}

// An inferred i4 that holds a value beyond 32 bits becomes i8.
QString widenedType(const QString &type, const QList<RecordSet::Row> &rows, qsizetype column)
{
    if (type != QLatin1String("i4"))
        return type;
    for (const RecordSet::Row &row : rows) {
        const Variant &value = row.at(column);
        if (value.type() == Variant::Type::Integer
            && (value.asInteger() > std::numeric_limits<qint32>::max()
                || value.asInteger() < std::numeric_limits<qint32>::min()))
            return QStringLiteral("i8");
    }
    return type;
}

bool holdsNull(const QList<RecordSet::Row> &rows, qsizetype column)
{
    return std::any_of(rows.cbegin(), rows.cend(),
                       [column](const RecordSet::Row &row) { return row.at(column).isNull(); });
}

QList<Column> describeColumns(const RecordSet &records)
{
    const QList<FieldInfo> &fields = records.fields();
    const QStringList attributes = attributeNames(fields);
    QList<Column> columns;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const FieldInfo &field = fields.at(i);
        Column column;
        column.attribute = attributes.at(i);
        column.opening = QLatin1Char(' ') + column.attribute + QLatin1String("='");
        column.name = field.name;
        column.type =
            field.dataType.isEmpty() ? widenedType(inferredType(records.rows(), i), records.rows(), i) : field.dataType;
        column.maxLength = field.maxLength;
        column.nullable = field.nullable || holdsNull(records.rows(), i);
        columns.append(column);
    }
    return columns;
}

void appendColumn(QString &out, const Column &column, qsizetype ordinal)
{
    const auto where = [&column] { return QStringLiteral("the column name \"%1\"").arg(column.name); };
    out += QLatin1String("\t\t<s:AttributeType name='");
    appendEscaped(out, column.attribute, where);
    out += QLatin1Char('\'');
    if (column.attribute != column.name) {
        out += QLatin1String(" rs:name='");
        appendEscaped(out, column.name, where);
        out += QLatin1Char('\'');
    }
    out += QStringLiteral(" rs:number='%1'").arg(ordinal);
    if (column.nullable)
        out += QLatin1String(" rs:nullable='true'");
    out += QLatin1String(">\r\n\t\t\t<s:datatype");
    if (!column.type.isEmpty()) {
        out += QLatin1String(" dt:type='");
        appendEscaped(out, column.type, where);
        out += QLatin1Char('\'');
    }
    if (column.maxLength >= 0)
        out += QStringLiteral(" dt:maxLength='%1'").arg(column.maxLength);
    if (!column.nullable)
        out += QLatin1String(" rs:maybenull='false'");
    out += QLatin1String("/>\r\n\t\t</s:AttributeType>\r\n");
}

QString floatingText(double value)
{
    if (!std::isfinite(value))
        return {};
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// "Z" for UTC, "+hh:mm" or "-hh:mm" for a fixed offset, nothing for local time.
QString zoneText(const QDateTime &value)
{
    if (value.timeSpec() == Qt::LocalTime)
        return {};
    if (value.timeSpec() == Qt::UTC)
        return QStringLiteral("Z");
    const int offset = value.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(QChar(offset < 0 ? u'-' : u'+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// A date as the reader takes it back: milliseconds and the zone only when
// the value has them; a date or time column writes only its part when the
// other is empty (midnight, or the day zero of a time alone).
QString dateText(const QDateTime &value, const QString &type)
{
    if (!value.isValid())
        return {};
    const bool local = value.timeSpec() == Qt::LocalTime;
    const QString fraction = value.time().msec() ? QStringLiteral(".zzz") : QString();
    if (type == QLatin1String("date") && local && value.time() == QTime(0, 0))
        return value.toString(QStringLiteral("yyyy-MM-dd"));
    if (type == QLatin1String("time") && local && value.date() == QDate(1899, 12, 30))
        return value.toString(QStringLiteral("HH:mm:ss") + fraction);
    return value.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss") + fraction) + zoneText(value);
}

// Text of a non-null value; empty for a value that has no written form.
QString valueText(const Variant &value, const QString &type)
{
    switch (value.type()) {
    case Variant::Type::Null: return {};
    case Variant::Type::Text: return value.asText();
    case Variant::Type::Integer: return QString::number(value.asInteger());
    case Variant::Type::Floating: return floatingText(value.asFloating());
    case Variant::Type::Boolean: return value.asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case Variant::Type::Date: return dateText(value.asDate(), type);
    case Variant::Type::Binary: return QString::fromLatin1(value.asBinary().toHex());
    case Variant::Type::Unsigned: return QString::number(value.asUnsigned());
    }
    return {};
}

QString cellName(const Column &column, qsizetype row)
{
    return QStringLiteral("the value of column \"%1\" in row %2").arg(column.name).arg(row + 1);
}

// Appends " name='<digits>'" in one go, the digits without a text of their
// own (they need no escaping): a row of numbers is mostly these.
void appendInteger(QString &out, const QString &opening, qint64 value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out += opening % QLatin1String(digits, result.ptr - digits) % QLatin1Char('\'');
}

void appendRow(QString &out, const RecordSet::Row &row, const QList<Column> &columns, qsizetype rowIndex)
{
    out += QLatin1String("\t<z:row");
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const Variant &value = row.at(i);
        if (value.isNull())
            continue;
        const bool integer = value.type() == Variant::Type::Integer;
        const QString text = integer ? QString() : valueText(value, columns.at(i).type);
        if (!integer && text.isEmpty() && value.type() != Variant::Type::Text && value.type() != Variant::Type::Binary)
            throw cannotWrite(QStringLiteral("%1 has no written form.").arg(cellName(columns.at(i), rowIndex)));
        if (integer) {
            appendInteger(out, columns.at(i).opening, value.asInteger());
            continue;
        }
        out += columns.at(i).opening;
        appendEscaped(out, text, [&] { return cellName(columns.at(i), rowIndex); });
        out += QLatin1Char('\'');
    }
    out += QLatin1String("/>\r\n");
}

} // namespace

QString write(const RecordSet &records)
{
    records.requireOpen();
    const QList<Column> columns = describeColumns(records);
    QString out;
    out.reserve(1024 + records.rows().size() * (16 + columns.size() * 24));
    out += kHeader;
    for (qsizetype i = 0; i < columns.size(); ++i)
        appendColumn(out, columns.at(i), i + 1);
    out += kSchemaEnd;
    for (qsizetype r = 0; r < records.rows().size(); ++r)
        appendRow(out, records.rows().at(r), columns, r);
    out += kFooter;
    return out;
}

} // namespace rowset

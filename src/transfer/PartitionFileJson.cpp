// Reading partition files with Qt's JSON classes, every problem of the file
// noted under its JSON pointer.
#include "transfer/PartitionFileJson.h"

#include "rowset/Rowset.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace transfer {

namespace {

constexpr double kLargest16 = 32767;
constexpr double kLargest32 = 2147483647;

// A JSON pointer's reference token: "~" as "~0", "/" as "~1".
QString pointerToken(QString token)
{
    return token.replace(u'~', QStringLiteral("~0")).replace(u'/', QStringLiteral("~1"));
}

// Reads the fields of one object, noting each problem under its pointer. The
// pointer is put together only for a problem: most objects have none.
class FieldReader
{
public:
    // The object at the pointer of its parent (none for the document's)
    // followed by the tokens (none, one or two; an empty one is not written).
    FieldReader(const QJsonObject &object, const FieldReader *parent, std::array<QString, 2> tokens,
                QList<Problem> &problems)
        : m_object(object), m_parent(parent), m_tokens(std::move(tokens)), m_problems(problems)
    {
    }

    // Every field of the object must be one of these, and each of them there.
    void expectFields(const QStringList &names)
    {
        qsizetype present = 0;
        for (const QString &name : names)
            present += m_object.contains(name) ? 1 : 0;
        if (present == names.size() && present == m_object.size())
            return;
        if (present != m_object.size()) { // a key that is none of the names
            for (const QString &key : m_object.keys()) {
                if (!names.contains(key))
                    problem(key, QStringLiteral("unknown field"));
            }
        }
        for (const QString &name : names) {
            if (!m_object.contains(name))
                problem(name, QStringLiteral("missing field"));
        }
    }

    QString text(QLatin1String name)
    {
        const QJsonValue value = m_object.value(name);
        if (value.isUndefined())
            return {};
        if (!value.isString()) {
            problem(name, QStringLiteral("must be a string"));
            return {};
        }
        QString text = value.toString();
        const QString character = rowset::uncarriableCharacter(text);
        if (!character.isEmpty())
            problem(name, QStringLiteral("holds %1, which no answer can carry").arg(character));
        return text;
    }

    // A whole number from lowest to highest.
    qint32 number(QLatin1String name, double lowest, double highest)
    {
        const QJsonValue value = m_object.value(name);
        if (value.isUndefined())
            return 0;
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::trunc(number)) {
            problem(name, QStringLiteral("must be a whole number"));
            return 0;
        }
        if (number < lowest || number > highest) {
            problem(name, QStringLiteral("%1 is out of its range %2 to %3").arg(number).arg(lowest).arg(highest));
            return 0;
        }
        return qint32(number);
    }

    QJsonValue value(QLatin1String name) const { return m_object.value(name); }
    QString pointer() const
    {
        QString pointer = m_parent ? m_parent->pointer() : QString();
        for (const QString &token : m_tokens) {
            if (!token.isEmpty())
                pointer += u'/' + pointerToken(token);
        }
        return pointer;
    }
    QString pointer(const QString &name) const { return pointer() + u'/' + pointerToken(name); }
    void problem(const QString &name, const QString &message) { m_problems.append({pointer(name), message}); }
    void problem(QLatin1String name, const QString &message) { problem(QString(name), message); }

private:
    QJsonObject m_object;
    const FieldReader *m_parent;
    std::array<QString, 2> m_tokens;
    QList<Problem> &m_problems;
};

// A node type id as an export writes it: ASCII digits without a leading zero
// (but "0"), a minus sign before any but zero, from -32768 to 32767.
std::optional<qint16> nodeTypeId(QStringView key)
{
    const bool negative = key.startsWith(u'-');
    const QStringView digits = negative ? key.sliced(1) : key;
    if (digits.isEmpty() || digits.size() > 5 || (digits.front() == u'0' && (digits.size() > 1 || negative)))
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    value = negative ? -value : value;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}

std::map<qint16, NodeMaximum> readMaxima(FieldReader &fields, QList<Problem> &problems)
{
    static const QStringList nodeFields = {QStringLiteral("maximum"), QStringLiteral("name")};
    std::map<qint16, NodeMaximum> maxima;
    const QJsonValue value = fields.value(QLatin1String("NodeMaxima"));
    if (value.isUndefined())
        return maxima;
    if (!value.isObject()) {
        fields.problem(kNodeMaxima, QStringLiteral("must be an object of node types"));
        return maxima;
    }
    const QJsonObject byType = value.toObject();
    // The keys come in the order of their texts ("10" before "2"): the maxima
    // are put in order of their ids first, then into the map at its end.
    std::vector<std::pair<qint16, NodeMaximum>> inOrder;
    inOrder.reserve(std::size_t(byType.size()));
    for (auto entry = byType.begin(); entry != byType.end(); ++entry) {
        const QString key = entry.key();
        const auto refuse = [&](const QString &message) {
            problems.append({fields.pointer(kNodeMaxima) + u'/' + pointerToken(key), message});
        };
        const std::optional<qint16> type = nodeTypeId(key);
        if (!type) {
            refuse(QStringLiteral("a node type id must be a whole number from -32768 to 32767"));
            continue;
        }
        if (!entry.value().isObject()) {
            refuse(QStringLiteral("must be an object with the maximum and the name"));
            continue;
        }
        FieldReader node(entry.value().toObject(), &fields, {kNodeMaxima, key}, problems);
        node.expectFields(nodeFields);
        inOrder.emplace_back(*type, NodeMaximum{qint16(node.number(QLatin1String("maximum"), 0, kLargest16)),
                                                node.text(QLatin1String("name"))});
    }
    std::sort(inOrder.begin(), inOrder.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (auto &[type, maximum] : inOrder)
        maxima.emplace_hint(maxima.end(), type, std::move(maximum));
    return maxima;
}

PartitionSettings readPartition(const QJsonValue &value, const FieldReader &root, qsizetype index,
                                QList<Problem> &problems)
{
    static const QStringList partitionFields = QStringList{"PartitionID"} + settingNames() + QStringList{kNodeMaxima};
    PartitionSettings p;
    FieldReader fields(value.toObject(), &root, {QStringLiteral("partitions"), QString::number(index)}, problems);
    if (!value.isObject()) {
        problems.append({fields.pointer(), QStringLiteral("must be an object")});
        return p;
    }
    fields.expectFields(partitionFields);
    p.number = qint16(fields.number(QLatin1String("PartitionID"), 0, kLargest16));
    p.Name = fields.text(QLatin1String("Name"));
    p.PartitionAccessCode = fields.text(QLatin1String("PartitionAccessCode"));
    p.REMLanguage = fields.text(QLatin1String("REMLanguage"));
    p.SelectLimit = fields.text(QLatin1String("SelectLimit"));
    p.TimeLimit = fields.number(QLatin1String("TimeLimit"), 0, kLargest32);
    p.Command = fields.text(QLatin1String("Command"));
    p.NoMSGRecorded = fields.text(QLatin1String("NoMSGRecorded"));
    p.TotalRecTime = fields.number(QLatin1String("TotalRecTime"), 0, kLargest32);
    p.TotalTimeOfMessagesRecorded = fields.number(QLatin1String("TotalTimeOfMessagesRecorded"), 0, kLargest32);
    p.TimeLeft = fields.number(QLatin1String("TimeLeft"), 0, kLargest32);
    if (!fields.value(QLatin1String("MSGNo")).isNull())
        p.MSGNo = qint16(fields.number(QLatin1String("MSGNo"), 0, kLargest16));
    p.maxima = readMaxima(fields, problems);
    return p;
}

// Line and column (from 1) of a character offset into the text.
QString position(const QByteArray &json, int offset)
{
    const QByteArray before = json.left(offset);
    const int line = int(before.count('\n')) + 1;
    const int column = int(QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1)).size()) + 1;
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

} // namespace

PartitionFile fromJson(const QByteArray &json, QList<Problem> &problems)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        problems.append({QString(), QStringLiteral("%1 at %2").arg(error.errorString(), position(json, error.offset))});
        return {};
    }
    if (!document.isObject()) {
        problems.append({QString(), QStringLiteral("must be a JSON object")});
        return {};
    }
    FieldReader root(document.object(), nullptr, {}, problems);
    root.expectFields({"format", "configuration", "partitions"});
    PartitionFile file;
    const QLatin1String format("format"), partitionList("partitions");
    if (root.value(format).isString() && root.value(format).toString() != kFormat)
        root.problem(format, QStringLiteral("must be \"%1\"").arg(kFormat));
    else
        root.text(format);
    file.configuration = qint16(root.number(QLatin1String("configuration"), -32768, kLargest16));
    if (!root.value(partitionList).isArray()) {
        if (!root.value(partitionList).isUndefined())
            root.problem(partitionList, QStringLiteral("must be an array"));
        return {};
    }
    const QJsonArray partitions = root.value(partitionList).toArray();
    QSet<qint16> numbers;
    for (qsizetype i = 0; i < partitions.size(); ++i) {
        file.partitions.append(readPartition(partitions.at(i), root, i, problems));
        const qint16 number = file.partitions.last().number;
        if (partitions.at(i).toObject().contains(QLatin1String("PartitionID")) && numbers.contains(number))
            problems.append({QStringLiteral("/partitions/%1/PartitionID").arg(i),
                             QStringLiteral("partition %1 is in the file twice").arg(number)});
        numbers.insert(number);
    }
    return problems.isEmpty() ? file : PartitionFile{};
}

} // namespace transfer

// Reading partition files with Qt's JSON classes, every problem of the file
// noted under its JSON pointer.
#include "transfer/PartitionFileJson.h"

#include "rowset/Rowset.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

namespace transfer {

namespace {

constexpr double kLargest16 = 32767;
constexpr double kLargest32 = 2147483647;

// Reads the fields of one object, noting each problem under its pointer.
class FieldReader
{
public:
    FieldReader(const QJsonObject &object, QString pointer, QList<Problem> &problems)
        : m_object(object), m_pointer(std::move(pointer)), m_problems(problems)
    {
    }

    // Every field of the object must be one of these, and each of them there.
    void expectFields(const QStringList &names)
    {
        for (const QString &key : m_object.keys()) {
            if (!names.contains(key))
                problem(key, QStringLiteral("unknown field"));
        }
        for (const QString &name : names) {
            if (!m_object.contains(name))
                problem(name, QStringLiteral("missing field"));
        }
    }

    QString text(const QString &name)
    {
        const QJsonValue value = m_object.value(name);
        if (value.isUndefined())
            return {};
        if (!value.isString()) {
            problem(name, QStringLiteral("must be a string"));
            return {};
        }
        const QString character = rowset::uncarriableCharacter(value.toString());
        if (!character.isEmpty())
            problem(name, QStringLiteral("holds %1, which no answer can carry").arg(character));
        return value.toString();
    }

    // A whole number from lowest to highest.
    qint32 number(const QString &name, double lowest, double highest)
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

    QJsonValue value(const QString &name) const { return m_object.value(name); }
    QString pointer(const QString &name) const { return m_pointer + u'/' + escaped(name); }
    void problem(const QString &name, const QString &message) { m_problems.append({pointer(name), message}); }

private:
    // A pointer's reference token: "~" as "~0", "/" as "~1".
    static QString escaped(QString token)
    {
        return token.replace(u'~', QStringLiteral("~0")).replace(u'/', QStringLiteral("~1"));
    }

    QJsonObject m_object;
    QString m_pointer;
    QList<Problem> &m_problems;
};

std::map<qint16, NodeMaximum> readMaxima(FieldReader &fields, QList<Problem> &problems)
{
    std::map<qint16, NodeMaximum> maxima;
    const QJsonValue value = fields.value(kNodeMaxima);
    if (value.isUndefined())
        return maxima;
    if (!value.isObject()) {
        fields.problem(kNodeMaxima, QStringLiteral("must be an object of node types"));
        return maxima;
    }
    const QJsonObject byType = value.toObject();
    for (auto entry = byType.begin(); entry != byType.end(); ++entry) {
        const QString pointer = fields.pointer(kNodeMaxima) + u'/' + entry.key();
        bool whole = false;
        const int type = entry.key().toInt(&whole);
        if (!whole || type < -32768 || type > 32767 || QString::number(type) != entry.key()) {
            problems.append({pointer, QStringLiteral("a node type id must be a whole number from -32768 to 32767")});
            continue;
        }
        if (!entry.value().isObject()) {
            problems.append({pointer, QStringLiteral("must be an object with the maximum and the name")});
            continue;
        }
        FieldReader node(entry.value().toObject(), pointer, problems);
        node.expectFields({"maximum", "name"});
        maxima[qint16(type)] = {qint16(node.number("maximum", 0, kLargest16)), node.text("name")};
    }
    return maxima;
}

PartitionSettings readPartition(const QJsonValue &value, const QString &pointer, QList<Problem> &problems)
{
    PartitionSettings p;
    if (!value.isObject()) {
        problems.append({pointer, QStringLiteral("must be an object")});
        return p;
    }
    FieldReader fields(value.toObject(), pointer, problems);
    fields.expectFields(QStringList{"PartitionID"} + settingNames() + QStringList{kNodeMaxima});
    p.number = qint16(fields.number("PartitionID", 0, kLargest16));
    p.Name = fields.text("Name");
    p.PartitionAccessCode = fields.text("PartitionAccessCode");
    p.REMLanguage = fields.text("REMLanguage");
    p.SelectLimit = fields.text("SelectLimit");
    p.TimeLimit = fields.number("TimeLimit", 0, kLargest32);
    p.Command = fields.text("Command");
    p.NoMSGRecorded = fields.text("NoMSGRecorded");
    p.TotalRecTime = fields.number("TotalRecTime", 0, kLargest32);
    p.TotalTimeOfMessagesRecorded = fields.number("TotalTimeOfMessagesRecorded", 0, kLargest32);
    p.TimeLeft = fields.number("TimeLeft", 0, kLargest32);
    if (!fields.value("MSGNo").isNull())
        p.MSGNo = qint16(fields.number("MSGNo", 0, kLargest16));
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
    FieldReader root(document.object(), QString(), problems);
    root.expectFields({"format", "configuration", "partitions"});
    PartitionFile file;
    if (root.value("format").isString() && root.value("format").toString() != kFormat)
        root.problem("format", QStringLiteral("must be \"%1\"").arg(kFormat));
    else
        root.text("format");
    file.configuration = qint16(root.number("configuration", -32768, kLargest16));
    if (!root.value("partitions").isArray()) {
        if (!root.value("partitions").isUndefined())
            root.problem("partitions", QStringLiteral("must be an array"));
        return {};
    }
    const QJsonArray partitions = root.value("partitions").toArray();
    QSet<qint16> numbers;
    for (qsizetype i = 0; i < partitions.size(); ++i) {
        const QString pointer = QStringLiteral("/partitions/%1").arg(i);
        file.partitions.append(readPartition(partitions.at(i), pointer, problems));
        const qint16 number = file.partitions.last().number;
        if (partitions.at(i).toObject().contains("PartitionID") && numbers.contains(number))
            problems.append({pointer + "/PartitionID", QStringLiteral("partition %1 is in the file twice").arg(number)});
        numbers.insert(number);
    }
    return problems.isEmpty() ? file : PartitionFile{};
}

} // namespace transfer

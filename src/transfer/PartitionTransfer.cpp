// Export, import and copy: read what is stored, work out what changes, and
// write it in one unit of work.
#include "transfer/PartitionTransfer.h"

#include "components/ServerComponents.h"
#include "components/SingleUseComponents.h"
#include "core/RuntimeError.h"
#include "transfer/PartitionFileJson.h"
#include "transfer/StoredPartitions.h"

#include <QStringBuilder>

namespace transfer {

namespace {

using Status = Outcome::Status;

// The failure of a component as one line.
Outcome failed(const QString &doing)
{
    const rt::RuntimeError error = rt::currentError();
    return {Status::Failed, {QStringLiteral("%1 failed: %2 (%3, error %4)")
                                 .arg(doing, error.description(), error.source())
                                 .arg(error.number())}};
}

// The stored maximum of the node type, when the partition and it are stored.
std::optional<qint16> storedMaximum(const std::optional<PartitionSettings> &stored, qint16 type)
{
    if (!stored)
        return std::nullopt;
    const auto found = stored->maxima.find(type);
    return found == stored->maxima.end() ? std::nullopt : std::optional<qint16>(found->second.maximum);
}

// The lines of what a write would change: one per value.
QStringList changes(const PartitionSettings &wanted, const std::optional<PartitionSettings> &stored)
{
    QStringList lines;
    const QString partition = QStringLiteral("partition %1: ").arg(wanted.number);
    for (const QString &name : settingNames()) {
        const QString before = stored ? stored->field(name) : QStringLiteral("(none)");
        if (before != wanted.field(name))
            lines << partition + QStringLiteral("%1: %2 → %3").arg(name, before, wanted.field(name));
    }
    for (const auto &[type, maximum] : wanted.maxima) {
        const std::optional<qint16> was = storedMaximum(stored, type);
        if (was != maximum.maximum) // a million of them in a big import: put together at once
            lines << QString(partition % u"node type " % QString::number(type) % u" maximum: "
                             % (was ? QString::number(*was) : QStringLiteral("(none)")) % u" → "
                             % QString::number(maximum.maximum));
    }
    return lines;
}

PartitionRecord recordOf(qint16 configId, const PartitionSettings &p)
{
    return {QString::number(configId),
            QString::number(p.number),
            p.Name,
            p.PartitionAccessCode,
            p.REMLanguage,
            p.SelectLimit,
            QString::number(p.TimeLimit),
            p.Command,
            p.NoMSGRecorded,
            QString::number(p.TotalRecTime),
            QString::number(p.TotalTimeOfMessagesRecorded),
            QString::number(p.TimeLeft),
            p.MSGNo ? QString::number(*p.MSGNo) : QString()};
}

// One partition to write: what it should hold and what is stored.
struct Planned
{
    PartitionSettings wanted;
    std::optional<PartitionSettings> stored;
};

// Sends the changed settings and maxima through the write components.
void send(const ComponentFactory &factory, qint16 configId, const QList<const Planned *> &plan)
{
    const auto settings = factory.createByProgId<QRVud::UDCONFIG>(QString::fromLatin1(QRVud::UDCONFIG::ProgID));
    const auto nodes = factory.createByProgId<QRVud::UDNODES>(QString::fromLatin1(QRVud::UDNODES::ProgID));
    const auto names = factory.createByClassId<NameValidator>(NameValidator::classId());
    for (const Planned *planned : plan) {
        const Planned &p = *planned;
        PartitionRecord record = recordOf(configId, p.wanted);
        record.Name = names->ConvertName(p.wanted.Name);
        if (!p.stored || recordOf(configId, *p.stored) != record)
            settings->Update_Partition_Record(record);
        for (const auto &[type, maximum] : p.wanted.maxima) {
            if (storedMaximum(p.stored, type) != maximum.maximum)
                nodes->Update_Node_Type_Max_Record({QString::number(configId), QString::number(p.wanted.number),
                                                    QString::number(type), QString::number(maximum.maximum)});
        }
    }
}

// The session the whole operation reads and writes in, so that a partition
// saved by someone else after it was read here is refused.
class Session
{
public:
    explicit Session(const ComponentFactory &factory) : m_unit(factory.createUnitOfWork())
    {
        if (!m_unit)
            throw rt::RuntimeError(rt::CannotCreateObject, QString::fromLatin1(UnitOfWork::Source),
                                   QStringLiteral("the components offer no units of work, so nothing is written"));
        m_unit->enter();
    }
    ~Session() { m_unit->leave(); }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    UnitOfWork &unit() { return *m_unit; }

private:
    std::unique_ptr<UnitOfWork> m_unit;
};

// Writes the plan in one unit, or in a dry run only lists it.
Outcome write(const ComponentFactory &factory, Session &session, qint16 configId, const QList<Planned> &plan,
              const QString &note, bool dryRun)
{
    QStringList lines;
    QList<const Planned *> changed;
    for (const Planned &p : plan) {
        const QStringList these = changes(p.wanted, p.stored);
        if (!these.isEmpty())
            changed << &p;
        lines += these;
    }
    if (lines.isEmpty())
        return {Status::NothingToChange, {QStringLiteral("nothing to change")}};
    if (dryRun)
        return {Status::Done, lines};
    UnitOfWork &unit = session.unit();
    try {
        unit.begin(UnitOfWork::Refusal::EndsUnit);
        unit.note(note);
        send(factory, configId, changed);
        unit.commit();
    } catch (...) {
        unit.rollback();
        return failed(QStringLiteral("writing"));
    }
    return {Status::Done, lines};
}

// The checks of a valid file against the store: the configuration, the
// name check and the node types.
QList<Problem> storeProblems(const ComponentFactory &factory, StoredPartitions &stored, const PartitionFile &file)
{
    QList<Problem> problems;
    if (!stored.hasConfiguration(file.configuration))
        problems.append({"/configuration", QStringLiteral("configuration %1 does not exist").arg(file.configuration)});
    const auto names = factory.createByClassId<NameValidator>(NameValidator::classId());
    const std::map<qint16, QString> &types = stored.nodeTypeNames();
    for (qsizetype i = 0; i < file.partitions.size(); ++i) {
        const PartitionSettings &p = file.partitions.at(i);
        const QString pointer = QStringLiteral("/partitions/%1/").arg(i);
        if (!names->CheckName(p.Name))
            problems.append({pointer + "Name", QStringLiteral("the name check refuses \"%1\"").arg(p.Name)});
        for (const auto &[type, maximum] : p.maxima) {
            if (!types.count(type))
                problems.append({pointer + kNodeMaxima + u'/' + QString::number(type),
                                 QStringLiteral("node type %1 is not in the node type list").arg(type)});
        }
    }
    return problems;
}

Outcome refused(const QList<Problem> &problems)
{
    QStringList lines;
    for (const Problem &problem : problems)
        lines << problem.text();
    return {Status::Refused, lines};
}

} // namespace

Outcome exportPartitions(const ComponentFactory &factory, qint16 configId, const std::optional<QList<qint16>> &only,
                         QByteArray &json)
{
    try {
        StoredPartitions stored(factory);
        if (!stored.hasConfiguration(configId))
            return {Status::Refused, {QStringLiteral("configuration %1 does not exist").arg(configId)}};
        const std::optional<QSet<qint16>> wanted =
            only ? std::optional<QSet<qint16>>(QSet<qint16>(only->begin(), only->end())) : std::nullopt;
        PartitionFile file{configId, {}};
        for (auto &[number, p] : stored.partitions(configId, wanted))
            file.partitions.append(std::move(p));
        json = toJson(file);
        return {Status::Done, {}};
    } catch (...) {
        return failed(QStringLiteral("reading"));
    }
}

Outcome importPartitions(const ComponentFactory &factory, const QByteArray &json, bool dryRun)
{
    QList<Problem> problems;
    PartitionFile file = fromJson(json, problems);
    if (!problems.isEmpty())
        return refused(problems);
    try {
        Session session(factory);
        StoredPartitions stored(factory);
        problems = storeProblems(factory, stored, file);
        if (!problems.isEmpty())
            return refused(problems);
        QSet<qint16> numbers;
        for (const PartitionSettings &p : file.partitions)
            numbers.insert(p.number);
        std::map<qint16, PartitionSettings> all = stored.partitions(file.configuration, numbers);
        QList<Planned> plan;
        plan.reserve(file.partitions.size());
        for (PartitionSettings &p : file.partitions) {
            const auto found = all.find(p.number);
            plan.append({std::move(p), found == all.end() ? std::nullopt
                                                          : std::optional<PartitionSettings>(std::move(found->second))});
        }
        std::sort(plan.begin(), plan.end(),
                  [](const Planned &a, const Planned &b) { return a.wanted.number < b.wanted.number; });
        return write(factory, session, file.configuration, plan, QStringLiteral("imported"), dryRun);
    } catch (...) {
        return failed(QStringLiteral("reading"));
    }
}

Outcome copySettings(const ComponentFactory &factory, qint16 configId, qint16 from, const QList<qint16> &to,
                     const QStringList &fields, bool dryRun)
{
    const QStringList known = settingNames() + QStringList{kNodeMaxima};
    for (const QString &field : fields) {
        if (!known.contains(field))
            return {Status::Refused, {QStringLiteral("\"%1\" is not a field; the fields are %2")
                                          .arg(field, known.join(QStringLiteral(", ")))}};
    }
    try {
        Session session(factory);
        StoredPartitions stored(factory);
        const std::optional<PartitionSettings> source = stored.partition(configId, from);
        if (!source)
            return {Status::Refused,
                    {QStringLiteral("partition %1 of configuration %2 does not exist").arg(from).arg(configId)}};
        QList<Planned> plan;
        for (const qint16 number : to) {
            Planned p{*source, stored.partition(configId, number)};
            if (p.stored && !fields.isEmpty()) {
                p.wanted = *p.stored;
                for (const QString &field : fields)
                    p.wanted.copyField(field, *source);
            }
            p.wanted.number = number;
            plan.append(p);
        }
        return write(factory, session, configId, plan, QStringLiteral("copied from partition %1").arg(from), dryRun);
    } catch (...) {
        return failed(QStringLiteral("reading"));
    }
}

} // namespace transfer

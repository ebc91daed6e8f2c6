// The settings of a partition file by name.
#include "transfer/PartitionFile.h"

namespace transfer {

const QStringList &settingNames()
{
    static const QStringList names = {"Name",          "PartitionAccessCode", "REMLanguage",
                                      "SelectLimit",   "TimeLimit",           "Command",
                                      "NoMSGRecorded", "TotalRecTime",        "TotalTimeOfMessagesRecorded",
                                      "TimeLeft",      "MSGNo"};
    return names;
}

namespace {

// Calls visit with the named field of p (a PartitionSettings, const or not).
template <typename Partition, typename Visit> void visitField(Partition &p, const QString &name, Visit visit)
{
    if (name == QLatin1String("Name")) visit(p.Name);
    else if (name == QLatin1String("PartitionAccessCode")) visit(p.PartitionAccessCode);
    else if (name == QLatin1String("REMLanguage")) visit(p.REMLanguage);
    else if (name == QLatin1String("SelectLimit")) visit(p.SelectLimit);
    else if (name == QLatin1String("TimeLimit")) visit(p.TimeLimit);
    else if (name == QLatin1String("Command")) visit(p.Command);
    else if (name == QLatin1String("NoMSGRecorded")) visit(p.NoMSGRecorded);
    else if (name == QLatin1String("TotalRecTime")) visit(p.TotalRecTime);
    else if (name == QLatin1String("TotalTimeOfMessagesRecorded")) visit(p.TotalTimeOfMessagesRecorded);
    else if (name == QLatin1String("TimeLeft")) visit(p.TimeLeft);
    else if (name == QLatin1String("MSGNo")) visit(p.MSGNo);
    else if (name == kNodeMaxima) visit(p.maxima);
}

QString shown(const QString &text) { return u'"' + text + u'"'; }
QString shown(qint32 number) { return QString::number(number); }
QString shown(const std::optional<qint16> &number) { return number ? QString::number(*number) : QStringLiteral("null"); }
QString shown(const std::map<qint16, NodeMaximum> &maxima)
{
    QStringList parts;
    for (const auto &[type, maximum] : maxima)
        parts << QStringLiteral("%1=%2").arg(type).arg(maximum.maximum);
    return parts.join(u' ');
}

} // namespace

QString PartitionSettings::field(const QString &name) const
{
    QString text;
    visitField(*this, name, [&](const auto &value) { text = shown(value); });
    return text;
}

void PartitionSettings::copyField(const QString &name, const PartitionSettings &from)
{
    visitField(*this, name, [&](auto &target) {
        visitField(from, name, [&](const auto &value) {
            if constexpr (std::is_same_v<std::decay_t<decltype(target)>, std::decay_t<decltype(value)>>)
                target = value;
        });
    });
}

} // namespace transfer

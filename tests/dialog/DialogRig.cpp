// The small configuration of the dialog tests, its boxes and its stored values.
#include "DialogRig.h"

#include "partition_settings/rules/Busyness_Rules.h"

#include <QHash>

namespace testing {
namespace {

// Configuration, number, name, code, language, selection limit, time limit,
// command, no-message action, total recording time, two zeros, message number.
const server::PartitionRow kPartitions[] = {
    {3, 0, "Template", "5555", "ENGLISH", "5", 300, "NOOP", "IGNORE", 600, 0, 0, 1},
    {3, 1, "Alpha", "1111", "ENGLISH", "2", 90, "PLAY", "IGNORE", 120, 0, 0, 2},
    {3, 4, "Bravo", "4444", "ENGLISH", "3", 45, "NOOP", "IGNORE", 61, 0, 0, 1},
    {3, 12, "Charlie", "1212", "ENGLISH", "7", 0, "NOOP", "IGNORE", 0, 0, 0, 1},
    {4, 7, "Solo", "7777", "ENGLISH", "1", 30, "NOOP", "IGNORE", 30, 0, 0, 1},
};

} // namespace

DialogRig::DialogRig() : Rig(server::ReferenceStore::Seeding::SchemaOnly)
{
    store->addConfiguration({3, "Harbour", "Site", 1, "System", 1});
    store->addConfiguration({4, "Lighthouse", "Site", 1, "System", 1});
    store->addNodeTypeRow({0, "Message", "Message"});
    store->addNodeTypeRow({100, "Port", "Port"});
    store->addNodeTypeRow({101, "Line", "Ligne"});
    for (const server::PartitionRow &p : kPartitions) {
        store->insertPartition(p);
        for (const qint16 type : {0, 100, 101})
            store->saveNodeMax({p.configId, p.partitionId, type, qint16(type / 10 + p.partitionId + 3)});
    }
    intercept.partitions = [this](const QString &) { return ++listReads, QString(); };
}

bool DialogRig::show(qint16 config, qint16 partition, const QString &menuOption,
                     const std::function<void(GUI &)> &script)
{
    Busyness_Rules rules(factory);
    ui.runner.script = [&](QDialog &) { script(*GUI::instance()); };
    return rules.Shown(config, partition, menuOption).asBoolean();
}

QStringList DialogRig::expect(const QStringList &names)
{
    const QHash<QString, QString> messages{
        {"few", "Information: Too few Digits (OK, Information)"},
        {"quotes", "Information: Double quotes and continuous single quotes are not allowed in the Partition Name "
                   "field (OK, Information)"},
        {"end", "(default): No more record (OK, None)"},
        {"begin", "(default): Begin record (OK, None)"}};
    const QHash<QString, ui::Answer> answers{
        {"Yes", ui::Answer::Yes}, {"No", ui::Answer::No}, {"Cancel", ui::Answer::Cancel}};
    QStringList boxes;
    for (const QString &name : names) {
        boxes << messages.value(name, QStringLiteral("Confirmation: Do you want to save changes? (YesNo%1, Question)")
                                          .arg(name.startsWith(QLatin1String("close")) ? "Cancel" : ""));
        ui.boxes.expect(answers.value(name.section(QLatin1Char(' '), -1), ui::Answer::OK));
    }
    return boxes;
}

QString DialogRig::stored(qint16 partition, const char *field) const
{
    RecordSet settings = store->partitionSettings(3, partition);
    return settings.isEOF() ? QString() : settings.Fields(QString::fromLatin1(field)).toText();
}

QStringList DialogRig::boxes() const
{
    static const char *const buttons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel"};
    static const char *const icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    QStringList lines;
    for (const ui::ShownBox &box : ui.boxes.shown())
        lines << QStringLiteral("%1: %2 (%3, %4)")
                     .arg(box.title.isNull() ? QStringLiteral("(default)") : box.title, box.text,
                          QLatin1String(buttons[int(box.buttons)]), QLatin1String(icons[int(box.icon)]));
    return lines;
}

} // namespace testing

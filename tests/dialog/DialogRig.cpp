// The small configuration of the dialog tests and their readings.
#include "DialogRig.h"

#include "dialog/GUI.h"
#include "rules/Busyness_Rules.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace testing {
namespace {

struct Partition
{
    qint16 config;
    qint16 id;
    const char *name;
    const char *code;
    const char *selectLimit;
    qint32 timeLimit;
    const char *command;
    qint32 totalRecTime;
    qint16 msgNo;
};

const Partition kPartitions[] = {
    {3, 0, "Template", "5555", "5", 300, "NOOP", 600, 1},  {3, 1, "Alpha", "1111", "2", 90, "PLAY", 120, 2},
    {3, 4, "Bravo", "4444", "3", 45, "NOOP", 61, 1},       {3, 12, "Charlie", "1212", "7", 0, "NOOP", 0, 1},
    {4, 7, "Solo", "7777", "1", 30, "NOOP", 30, 1},
};

const QString kButtons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel"};
const QString kIcons[] = {"None", "Critical", "Question", "Exclamation", "Information"};

} // namespace

DialogRig::DialogRig() : Rig(DataFolder::Present, server::ReferenceStore::Seeding::SchemaOnly)
{
    store->addConfiguration({3, "Harbour", "Site", 1, "System", 1});
    store->addConfiguration({4, "Lighthouse", "Site", 1, "System", 1});
    store->addNodeTypeRow({0, "Message", "Message"});
    store->addNodeTypeRow({100, "Port", "Port"});
    store->addNodeTypeRow({101, "Line", "Ligne"});
    for (const Partition &p : kPartitions) {
        store->insertPartition({p.config, p.id, p.name, p.code, "ENGLISH", p.selectLimit, p.timeLimit, p.command,
                                "IGNORE", p.totalRecTime, 0, 0, p.msgNo});
        for (const qint16 type : {0, 100, 101})
            store->saveNodeMax({p.config, p.id, type, qint16(type / 10 + p.id + 3)});
    }
    intercept.partitionSettings = [this](const QString &, const QString &) { return ++settingsReads, QString(); };
    intercept.partitions = [this](const QString &) { return ++listReads, QString(); };
}

bool DialogRig::show(qint16 config, qint16 partition, const QString &menuOption,
                     const std::function<void(GUI &)> &script)
{
    Busyness_Rules rules(factory);
    ui.runner.script = [&](QDialog &) { script(*GUI::instance()); };
    return rules.Shown(config, partition, menuOption).asBoolean();
}

void DialogRig::answer(const QStringList &expectedBoxes, const QStringList &answers)
{
    qsizetype question = 0;
    for (const QString &box : expectedBoxes) {
        const bool asked = box.startsWith(QLatin1String("Confirmation")) && question < answers.size();
        const QString reply = asked ? answers.at(question++) : QStringLiteral("OK");
        ui.boxes.expect(reply == "Yes" ? ui::Answer::Yes : reply == "No" ? ui::Answer::No
                        : reply == "Cancel"                            ? ui::Answer::Cancel
                                                                       : ui::Answer::OK);
    }
}

QString DialogRig::stored(qint16 partition, const char *field) const
{
    RecordSet settings = store->partitionSettings(3, partition);
    return settings.isEOF() ? QString() : settings.Fields(QString::fromLatin1(field)).toText();
}

int DialogRig::storedMaximum(qint16 partition, int nodeType) const
{
    for (RecordSet maxima = store->nodeMaxima(3, partition); !maxima.isEOF(); maxima.MoveNext())
        if (maxima.Fields(2).asInteger() == nodeType)
            return int(maxima.Fields(3).asInteger());
    return -1;
}

QStringList DialogRig::boxes() const
{
    QStringList lines;
    for (const ui::ShownBox &box : ui.boxes.shown())
        lines << QStringLiteral("%1: %2 (%3, %4)")
                     .arg(box.title.isNull() ? QStringLiteral("(default)") : box.title, box.text,
                          kButtons[int(box.buttons)], kIcons[int(box.icon)]);
    return lines;
}

bool ownEnabled(const QWidget *widget) { return !widget->testAttribute(Qt::WA_Disabled); }

QString navigationStates(const GUI &form)
{
    QString states;
    for (const QPushButton *button :
         {form.cmdFirst, form.cmdPrevious, form.cmdNext, form.cmdLast, form.cmdViewPartitionDefault})
        states += ownEnabled(button) ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

void typeInto(QLineEdit *box, const QString &text)
{
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

} // namespace testing

// The small configuration of the dialog tests, the user's actions and the readings.
#include "DialogRig.h"

#include "partition_settings/rules/Busyness_Rules.h"

#include <QApplication>
#include <QHash>
#include <QRegularExpression>
#include <QWheelEvent>

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

DialogRig::DialogRig() : Rig(DataFolder::Present, server::ReferenceStore::Seeding::SchemaOnly)
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
    const QHash<QString, ui::Answer> byName{
        {"Yes", ui::Answer::Yes}, {"No", ui::Answer::No}, {"Cancel", ui::Answer::Cancel}};
    auto next = answers.begin();
    for (const QString &box : expectedBoxes)
        ui.boxes.expect(box.startsWith(QLatin1String("Confirmation")) && next != answers.end()
                            ? byName.value((next++)->section(QLatin1Char(' '), -1), ui::Answer::OK)
                            : ui::Answer::OK);
}

QStringList DialogRig::expect(const QStringList &names)
{
    const QHash<QString, QString> messages{
        {"few", "Information: Too few Digits (OK, Information)"},
        {"quotes", "Information: Double quotes and continuous single quotes are not allowed in the Partition Name "
                   "field (OK, Information)"},
        {"end", "(default): No more record (OK, None)"},
        {"begin", "(default): Begin record (OK, None)"}};
    QStringList boxes;
    for (const QString &name : names)
        boxes << messages.value(name, QStringLiteral("Confirmation: Do you want to save changes? (YesNo%1, Question)")
                                          .arg(name.startsWith(QLatin1String("close")) ? "Cancel" : ""));
    answer(boxes, names.filter(QRegularExpression(QStringLiteral("(Yes|No|Cancel)$"))));
    return boxes;
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
    static const char *const buttons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel"};
    static const char *const icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    QStringList lines;
    for (const ui::ShownBox &box : ui.boxes.shown())
        lines << QStringLiteral("%1: %2 (%3, %4)")
                     .arg(box.title.isNull() ? QStringLiteral("(default)") : box.title, box.text,
                          QLatin1String(buttons[int(box.buttons)]), QLatin1String(icons[int(box.icon)]));
    return lines;
}

bool ownEnabled(const QWidget *widget) { return !widget->testAttribute(Qt::WA_Disabled); }

QString navigationStates(const GUI &form)
{
    return shown(form, QStringLiteral("cmdFirst cmdPrevious cmdNext cmdLast cmdViewPartitionDefault")).remove('|');
}

void typeInto(QLineEdit *box, const QString &text)
{
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void act(GUI &form, const QString &steps)
{
    for (const QString &step : steps.split(QStringLiteral(", "))) {
        const QString name = step.section(QLatin1Char('='), 0, 0), text = step.section(QLatin1Char('='), 1);
        if (auto *button = form.findChild<QPushButton *>(step)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (auto *box = form.findChild<QLineEdit *>(name); box && name != step) {
            typeInto(box, text);
        } else if (auto *list = form.findChild<QComboBox *>(name); list && name != step) {
            list->setCurrentIndex(text.toInt());
        } else if (step.startsWith(QLatin1String("wheel "))) {
            QWheelEvent notch(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(form.findChild<QWidget *>(step.mid(6)), &notch);
        } else if (step == QLatin1String("close")) {
            form.close();
        } else {
            QTest::keySequence(form.txtPartitionName, QKeySequence(step));
        }
    }
}

QString shown(const GUI &form, const QString &names)
{
    QStringList texts;
    for (const QString &name : names.split(QLatin1Char(' '))) {
        const QWidget *control = form.findChild<QWidget *>(name);
        if (auto *box = qobject_cast<const QLineEdit *>(control))
            texts << box->text();
        else if (auto *list = qobject_cast<const QComboBox *>(control))
            texts << list->currentText();
        else
            texts << QString::number(control ? ownEnabled(control) : form.isVisible());
    }
    return texts.join(QLatin1Char('|'));
}

} // namespace testing

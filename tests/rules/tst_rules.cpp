// The rules object through the entry Shown, against a store that holds only
// this file's configurations: what the dialog shows when it opens, in each
// access mode and with the optional arguments; every failure on the way with
// its messages, the result and the user log line; the loads in the open
// dialog (default view, another partition, the selector's reload, the node
// grid's size); the writes of a new partition, an update and the maxima.
//
// Configuration 5 "Quay" (site 31, system 47, in use): partitions 0 Template,
// 2 Pier (PLAY, at most 0 messages) and 6 Shed (no maxima stored).
// Configuration 6: 3 Solo, and 8 with an empty name and the language KLINGON.
// Node types 0 Memo, 3 Trunk, 5 Port, 10 Core, 14 Bell, 15 Pager, 16 Horn,
// 812 Edge, 813 Probe, 999 Admin.
#include "FormActions.h"
#include "Rig.h"
#include "StoreHooks.h"

#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/Twips.h"
#include "partition_settings/rules/Busyness_Rules.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>

namespace {

// Configuration, number, name, code, language, selection limit, time limit,
// command, no-message action, total recording time, two zeros, message number.
const server::PartitionRow kPartitions[] = {
    {5, 0, "Template", "7070", "FRENCH", "4", 600, "NOOP", "IGNORE", 0, 0, 0, 1},
    {5, 2, "Pier", "2468", "SPANISH", "12", 125, "PLAY", "DISCONNECT", 7260, 0, 0, 3},
    {5, 6, "Shed", "6000", "ENGLISH", "0", 1859, "NOOP", "IGNORE", 21659, 0, 0, 1},
    {6, 3, "Solo", "3333", "GERMAN", "1", 59, "NOOP", "PLAY", 60, 0, 0, 1},
    {6, 8, "", "8888", "KLINGON", "2", 0, "NOOP", "IGNORE", 0, 0, 0, 1},
};
const server::NodeTypeRow kNodeTypes[] = {{0, "Memo", "Note"},    {3, "Trunk", "Ligne"},  {5, "Port", "Porte"},
                                          {10, "Core", "Noyau"},  {14, "Bell", "Cloche"}, {15, "Pager", "Bip"},
                                          {16, "Horn", "Cor"},    {812, "Edge", "Bord"},  {813, "Probe", "Sonde"},
                                          {999, "Admin", "Admin"}};
// Configuration, partition, node type, maximum.
const qint16 kMaxima[][4] = {{5, 0, 0, 2},  {5, 0, 3, 6},   {5, 0, 5, 1},   {5, 2, 0, 0}, {5, 2, 3, 8},
                             {5, 2, 10, 2}, {5, 2, 15, 60}, {5, 2, 999, 1}, {6, 3, 3, 1}, {6, 8, 3, 2}};

// number|name|code|language|rec min|rec sec|no message|limit|limit min|limit
// sec|command|message|message list|selector|place, then the message list's
// count and which message controls are on show ("list", "box").
QString fields(const GUI &form)
{
    return testing::shown(form, "txtPartitionNumber txtPartitionName txtAccessCode cboRemoteLanguage txtRecTimeMin "
                                "txtRecTimeSec cboNoMSGRecorded cboSelectionLimit txtTimeLimitMin txtTimeLimitSec "
                                "cboCommand txtMSGCmd cboMSGCmd cboPartitionNumber txtIDFraction")
           + QStringLiteral(" %1%2%3")
                 .arg(form.cboMSGCmd->count())
                 .arg(form.cboMSGCmd->isHidden() ? "" : " list")
                 .arg(form.txtMSGCmd->isHidden() ? "" : " box");
}

// "name=maximum" of each node row on show, in order.
QString grid(const GUI &form)
{
    QStringList rows;
    for (int row = 0; row < nodeGrid::Rows; ++row)
        if (!form.lblNode[row]->isHidden() || !form.txtNode[row]->isHidden())
            rows << form.lblNode[row]->text() + (form.txtNode[row]->isHidden() ? "" : "=" + form.txtNode[row]->text());
    return rows.join(' ');
}

// The fields and node rows (or only the selector and the first node's name),
// then the buttons First, Previous, Next, Last, Defaults and the settings and
// node panels ("1" enabled, "0" disabled, "-" hidden), the access frame and
// the dialog's client height (its outer height less a title bar and borders).
QString opened(const GUI &form, bool whole)
{
    QString states = whole ? fields(form) + " ; " + grid(form) + " ; "
                           : form.cboPartitionNumber->currentText() + " " + form.lblNode[0]->text() + " ";
    for (const QWidget *control :
         std::initializer_list<const QWidget *>{form.cmdFirst, form.cmdPrevious, form.cmdNext, form.cmdLast,
                                                form.cmdViewPartitionDefault, form.PicDetail, form.picNode})
        states += control->isHidden() ? '-' : control->isEnabled() ? '1' : '0';
    // Denied means in view: over the settings, above OK so that the dialog can be closed.
    const int top = twips::top(form.frmAccessDenied);
    const bool denied = !form.frmAccessDenied->isHidden() && top <= twips::top(form.PicDetail)
                        && top + twips::height(form.frmAccessDenied) <= twips::top(form.cmdOK);
    // Cut: the whole navigation row below the client area, out of reach.
    bool cut = true;
    for (const QWidget *control : std::initializer_list<const QWidget *>{
             form.cmdFirst, form.cmdPrevious, form.cboPartitionNumber, form.txtIDFraction, form.cmdNext, form.cmdLast})
        cut = cut && control->geometry().top() >= form.height();
    return states + (denied ? " denied " : " ") + QString::number(twips::height(&form)) + (cut ? " cut" : "");
}

struct Fixture : testing::Rig
{
    explicit Fixture(bool filled) : Rig(server::ReferenceStore::Seeding::SchemaOnly)
    {
        for (int i = 0; i < 3; ++i)
            ui.boxes.expect(ui::Answer::OK);
        if (!filled)
            return;
        store->addConfiguration({5, "Quay", "Dock", 31, "Crane", 47});
        store->addConfiguration({6, "Annex", "Yard", 1, "Mast", 2});
        store->setConfigurationInUse(5);
        for (const server::NodeTypeRow &row : kNodeTypes)
            store->addNodeTypeRow(row);
        for (const server::PartitionRow &row : kPartitions)
            store->insertPartition(row);
        for (const auto &[config, partition, type, maximum] : kMaxima)
            store->saveNodeMax({config, partition, type, maximum});
    }

    // The settings row, then "type=maximum" of each stored node maximum.
    QString stored(qint16 config, qint16 partition) const
    {
        QStringList values;
        for (RecordSet row = store->partitionSettings(config, partition); !row.isEOF(); row.MoveNext())
            for (int column = 0; column < 13; ++column)
                values << row.Fields(column).toText();
        for (RecordSet maxima = store->nodeMaxima(config, partition); !maxima.isEOF(); maxima.MoveNext())
            values << maxima.Fields(2).toText() + "=" + maxima.Fields(3).toText();
        return values.join('|');
    }

    // Sets up the fault, makes the calls of Shown ("<config> <partition>
    // [<menu option, _ for none> [<language> <silent> <partition enabled>]]",
    // separated by "; "; none: no showing) and runs the action on each open
    // dialog. The outcome: what the action read last ("closed" if none),
    // " => False" when Shown answered False, each message box as "<title's
    // capitals><icon: ! critical, i information>: <text>" (line breaks as
    // "|"), the log (its line count and last line, the date as "now") and the
    // count of node type names when they are not the ten of the store.
    QString run(const QString &fault, const QString &calls, const std::function<QString(Busyness_Rules &)> &action)
    {
        const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
        ComponentFactory partial = factory;
        int reads = 0;
        intercept.partitionSettings = [&](const QString &, const QString &) -> QString {
            if (!fault.startsWith("settings") || ++reads != fault.right(1).toInt())
                return {};
            if (fault.contains("malformed"))
                return QStringLiteral("<xml><rs:data><z:row ID='1'></xml>");
            throw rt::RuntimeError(5, "Server", "down");
        };
        if (fault == "list")
            intercept.partitions = [](const QString &) -> QString { throw rt::RuntimeError(5, "Server", "down"); };
        if (fault == "repeated node type")
            testing::addRepeatedNodeType(*store, {5, "Again", "Encore"});
        if (fault.startsWith("no "))
            partial.unregisterProgId(fault.mid(3));
        Busyness_Rules rules(partial);
        QString outcome = QStringLiteral("closed");
        const bool afterShown = fault == "after Shown"; // the action runs once Shown has returned
        ui.runner.script = [&](QDialog &) {
            if (!afterShown)
                outcome = action(rules);
            GUI::instance()->cmdApply->setEnabled(false); // the action's changes are no edits to ask about
        };
        bool result = true;
        for (const QString &call : calls.split("; ", Qt::SkipEmptyParts)) {
            const QStringList args = call.split(' ');
            const auto arg = [&](int i) { return qint16(args.value(i).toInt()); };
            const QString menu = args.value(2).remove('_');
            result = (args.size() > 3 ? rules.Shown(arg(0), arg(1), menu, arg(3), arg(4), arg(5))
                                      : rules.Shown(arg(0), arg(1), menu))
                         .asBoolean();
        }
        if (afterShown)
            outcome = action(rules);
        outcome += result ? "" : " => False";
        for (const ui::ShownBox &box : ui.boxes.shown())
            outcome += QStringLiteral(" ; %1%2: %3")
                           .arg(QString(box.title).remove(QRegularExpression("[^A-Z]")))
                           .arg("?!??i"[int(box.icon)]) // critical !, information i
                           .arg(QString(box.text).replace("\r\n", "|"));
        QFile file(userLogPath());
        const QStringList log =
            file.open(QIODevice::ReadOnly) ? QString(file.readAll()).split("\r\n", Qt::SkipEmptyParts) : QStringList();
        if (!log.isEmpty()) {
            QStringList line = log.last().split('\t');
            if (line.size() > 1 && QDateTime::fromString(line[1]) >= start)
                line[1] = "now";
            outcome += QStringLiteral(" ; log %1: %2").arg(log.size()).arg(line.join(' '));
        }
        if (rules.NodeTypeNames().Count() != 10)
            outcome += QStringLiteral(" ; names %1").arg(rules.NodeTypeNames().Count());
        return outcome;
    }
};

// Table rows: the fault, the calls and the action, then the outcome.
void columns()
{
    for (const char *column : {"fault", "calls", "action", "outcome"})
        QTest::addColumn<QString>(column);
}
void row(const char *name, const char *fault, const char *calls, const char *action, const char *outcome)
{
    QTest::newRow(name) << QString(fault) << QString(calls) << QString(action) << QString(outcome);
}
void check(Fixture &rig, const std::function<QString(Busyness_Rules &)> &action)
{
    QFETCH(QString, fault);
    QFETCH(QString, calls);
    QFETCH(QString, outcome);
    QCOMPARE(rig.run(fault, calls, action), outcome);
    QVERIFY(!GUI::instance()); // released with the rules object that loaded it
}

} // namespace

class RulesTest : public QObject
{
    Q_OBJECT

private slots:
    void shown_data()
    {
        columns();
        row("PLAY, in the middle", "", "5 2", "",
            "2|Pier|2468|SPANISH|121|00|DISCONNECT|12|02|05|PLAY|3|Memo 3|2 - Pier|2 of 3 1 box ; Memo=0 Trunk=8 "
            "Pager=60 ; 1111111 5820");
        row("no maxima stored: defaults, last", "", "5 6", "",
            "6|Shed|6000|ENGLISH|360|59|IGNORE|0|30|59|NOOP|1|cboMSGCmd|6 - Shed|3 of 3 0 ; Memo=999 Trunk=999 Port=9 "
            "Bell=99 Pager=99 Horn=99 Edge=999 ; 1100111 5820");
        row("missing: created from the template", "", "5 20", "",
            "20|Template|7070|FRENCH|00|00|IGNORE|4|10|00|NOOP|1|cboMSGCmd|20 - Template|4 of 4 0 ; Memo=2 Trunk=6 "
            "Port=1 ; 1100111 5820");
        row("one listed, one counted", "", "6 3", "",
            "3|Solo|3333|GERMAN|01|00|PLAY|1|00|59|NOOP|1|cboMSGCmd|3 - Solo|1 of 1 0 ; Trunk=1 ; 0000111 5820");
        row("read only", "", "5 2 r", "frame", "2 - Pier Memo 1111000 5820");
        row("capital X: full access", "", "5 2 X", "frame", "2 - Pier Memo 1111111 5820");
        row("no access, after a full showing", "", "5 2; 5 2 x", "frame", " Memo 0000000 denied 5820 first load");
        row("French names, no Defaults button", "", "5 2 _ 2 0 0", "frame", "2 - Pier Note 1111-11 5300 cut");
        row("language below the range, twice: the log appends", "", "5 2 _ -324 0 1; 5 2 _ -324 0 1", "",
            "closed => False ; IE!: Location:     [VEL_PART_SET][Business_Rules]Shown|Code:          6|Description: "
            "Overflow ; IE!: Location:     [VEL_PART_SET][Business_Rules]Shown|Code:          6|Description: Overflow "
            "; log 2: Internal Error now 5 47 31 6 Overflow [VEL_PART_SET][Business_Rules]Shown ; names 0");
        row("language in the range names no column", "", "5 2 _ 325 0 1", "",
            "closed => False ; IE!: Location:     [VEL_PART_SET][Business_Rules]Obtain_All_Node_Type_Name|Code:        "
            "  3265|Description: Item cannot be found in the collection corresponding to the requested name or "
            "ordinal. ; log 1: Internal Error now 5 47 31 3265 Item cannot be found in the collection corresponding to "
            "the requested name or ordinal. [VEL_PART_SET][Business_Rules]Obtain_All_Node_Type_Name ; names 0");
        row("no configuration: zeros in the log", "empty store", "5 2 _ 326 0 1", "",
            "closed => False ; IE!: Location:     [VEL_PART_SET][Business_Rules]Shown|Code:          6|Description: "
            "Overflow ; log 1: Internal Error now 0 0 0 6 Overflow [VEL_PART_SET][Business_Rules]Shown ; names 0");
        row("repeated node type, silent: the names before it stay", "repeated node type", "5 2 _ 1 1 1", "",
            "closed => False ; log 1: Internal Error now 5 47 31 457 This key is already associated with an element of "
            "this collection [VEL_PART_SET][Business_Rules]Obtain_All_Node_Type_Name ; names 3");
        row("existence check: recorded, nothing shown", "settings 1", "5 2", "shown",
            "closed => False ; IE!: Location:     [Server][Business_Rules]Shown|Code:          5|Description: down ; "
            "log 1: Internal Error now 5 47 31 5 down [Server][Business_Rules]Shown");
        row("malformed settings", "settings malformed 2", "5 2", "frame",
            "2 - Pier Memo 1111111 5820 ; EBR!: VEL_PART_SET:XMLToRS:Rowset XML cannot be read: the XML is not well "
            "formed at line 1, column 31: Start-end tags mismatch.|Partition Settings ; EBR!: "
            "VEL_PART_SET:Get_Partition_Settings |Object variable or With block variable not set|Inactive Business "
            "Rules");
        row("partition list", "list", "5 2", "shown",
            "shown ; EBR!: Server:Get_Partitions |down|Inactive Business Rules");
        row("a value no list has, one counted but not listed", "", "6 8", "",
            "closed ; EBR!: VEL_PART_SET:Get_Partition_Settings |'Text' property is read-only|Inactive Business Rules "
            "; EBR!: VEL_PART_SET:Get_Data |Invalid property array index|Inactive Business Rules");
        row("no message component: a plain box, no log line", "no VEL_MsgBox.Busyness_Rules", "", "",
            "closed ; IE!: Location:     [VEL_PART_SET][Business_Rules]Class_Initialize|Code:          "
            "429|Description: ActiveX component can't create object (VEL_MsgBox.Busyness_Rules) ; names 0");
        row("default view keeps the place", "", "5 2", "default view",
            "2|Template|7070|FRENCH|00|00|IGNORE|4|10|00|NOOP|1|Memo 3|2 - Pier|2 of 3 1 ; Memo=0 Trunk=8 Pager=60 ; "
            "1111111 5820");
        row("a NOOP partition keeps the message list", "", "5 2", "partition 6 stored",
            "6|Shed|6000|ENGLISH|360|59|IGNORE|0|30|59|NOOP|1|Memo 3|6 - Shed|3 of 3 1 ; Memo=999 Trunk=999 Port=9 "
            "Bell=99 Pager=99 Horn=99 Edge=999 ; 1111111 5820 ; selected 6 ; stored "
            "5|6|Shed|6000|ENGLISH|0|1859|NOOP|IGNORE|21659|0|0|1 ; partition 0 0=2|3=6|5=1|14=99|15=99|16=99|812=999");
        row("fewer rows hide the rest", "", "5 6", "partition 2",
            "2|Pier|2468|SPANISH|121|00|DISCONNECT|12|02|05|PLAY|3|Memo 3|2 - Pier|2 of 3 1 box ; Memo=0 Trunk=8 "
            "Pager=60 ; 1100111 5820");
        row("a missing partition: defaults shown and stored", "", "5 2", "partition 20 stored",
            "2|Default Partition|6093|ENGLISH|00|00|IGNORE|0|00|00|NOOP|1|Memo 3|2 - Pier|2 of 3 1 ; Memo=999 "
            "Trunk=999 Port=9 Bell=99 Pager=99 Horn=99 Edge=999 ; 1111111 5820 ; selected 20 ; stored 5|20|Default "
            "Partition|6093|ENGLISH|0|0|NOOP|IGNORE|0|0|0|1 ; partition 0 0=2|3=6|5=1|14=99|15=99|16=99|812=999");
        row("reloading the selector selects the number on screen", "", "5 2", "reload 6",
            "6|Pier|2468|SPANISH|121|00|DISCONNECT|12|02|05|PLAY|3|Memo 3|6 - Shed|2 of 3 1 box ; Memo=0 Trunk=8 "
            "Pager=60 ; 1111111 5820");
        row("reloading without a number", "", "5 2", "reload",
            "|Pier|2468|SPANISH|121|00|DISCONNECT|12|02|05|PLAY|3|Memo 3||2 of 3 1 box ; Memo=0 Trunk=8 Pager=60 ; "
            "1111111 5820 ; EBR!: VEL_PART_SET:ReloadPartitionCombo |Type mismatch|Inactive Business Rules");
        row("Initial", "", "5 2", "Initial",
            "2|Pier||SPANISH|121|00|DISCONNECT|12|02|05|PLAY|3|Memo 3|2 - Pier|2 of 3 1 box ;  ; 1111111 5820");
        row("9 rows fit", "", "5 2", "rows 9", "9 rows 3500 high, to -115 off ; names 16");
        row("10 rows scroll", "", "5 2", "rows 10", "10 rows 3860 high, to 245 ; names 17");
        row("21 rows: too many for the grid", "", "5 2", "rows 21",
            "20 rows 1340 high, to -2275 off ; EBR!: VEL_PART_SET:Get_Node_Type_Max |Subscript out of range|Inactive "
            "Business Rules ; names 28");
    }
    void shown()
    {
        QFETCH(QString, fault);
        QFETCH(QString, action);
        Fixture rig(fault != "empty store");
        check(rig, [&](Busyness_Rules &rules) -> QString {
            if (action == "shown")
                return action;
            GUI &form = *GUI::instance();
            const QStringList words = action.split(' ');
            if (words[0] == "rows") { // the first n node types in partition 2
                for (qint16 id = 100; id < 97 + words[1].toInt(); ++id) {
                    rig.store->addNodeTypeRow({id, "T", "T"});
                    rig.store->saveNodeMax({5, 2, id, 1});
                }
                rules.Obtain_All_Node_Type_Name(1);
                rules.Get_Node_Type_Max(5, 2);
                return QStringLiteral("%1 rows %2 high, to %3%4")
                    .arg(grid(form).split(' ', Qt::SkipEmptyParts).size())
                    .arg(twips::height(form.picNode))
                    .arg(form.VScroll1->maximum())
                    .arg(form.VScroll1->testAttribute(Qt::WA_Disabled) ? " off" : "");
            }
            if (words[0] == "partition") {
                const QSignalBlocker loaderAlone(form.cboPartitionNumber); // its handler would load again
                rules.Partition_ID(words[1].toShort());
                rules.Get_Data();
            } else if (words[0] == "reload") {
                form.txtPartitionNumber->setText(words.value(1));
                rules.ReloadPartitionCombo();
            } else if (action == "Initial") {
                rules.Initial();
            } else if (action == "default view") {
                rules.Get_Partition_Settings(5, 0, true);
            }
            QString seen = opened(form, action != "frame") + (rules.FirstLoad() ? " first load" : "");
            if (words.value(2) == "stored")
                seen += QStringLiteral(" ; selected %1 ; stored %2 ; partition 0 %3")
                            .arg(rig.store->selectedPartition().value_or(-1))
                            .arg(rig.stored(5, words[1].toShort()), rig.stored(5, 0).section('|', 13));
            return seen;
        });
    }

    void saves_data()
    {
        columns();
        // A host's Update_Partition after Shown has returned, when no form is
        // loaded: an empty name still becomes the default name, in the store
        // and in the form that the call loads (hidden) to show it.
        row("after Shown: an empty name becomes the default name", "after Shown", "5 2", "update||125",
            "1 hidden Partition 7 ; 5|7|Partition 7|1234|ENGLISH|3|125|NOOP|IGNORE|600|0|0|1");
        row("after Shown: a name of its own", "after Shown", "5 2", "update|Yard|125",
            "1 none ; 5|7|Yard|1234|ENGLISH|3|125|NOOP|IGNORE|600|0|0|1");
        row("update: a double quote is refused", "", "5 2", "update|Pier \"East\"|125",
            "0 Pier ;  ; Ii: Double quotes and continuous single quotes are not allowed in the Partition Name field");
        row("update: one single quote and markup are taken", "", "5 2", "update|O'Neil <&>|125",
            "1 Pier ; 5|7|O'Neil <&>|1234|ENGLISH|3|125|NOOP|IGNORE|600|0|0|1");
        row("update: the server refuses", "", "5 2", "update|Pier|2:05",
            "0 Pier ;  ; EBR!: QRVud.UDCONFIG:Update_Partition:Update_Partition_Record: the time limit \"2:05\" is not "
            "a whole decimal number|Partition Settings");
        row("insert: empty boxes are 0", "", "5 2", "insert||||",
            "0|0|0|0|Quay \"30\"|0 ; 5|30|Quay \"30\"|2468|SPANISH|12|0|PLAY|DISCONNECT|0|0|0|1|0=0|3=0|15=60");
        row("insert: minutes and seconds as seconds", "", "5 2", "insert|10|0|2|05",
            "10|0|2|05|Quay \"30\"|0 ; 5|30|Quay \"30\"|2468|SPANISH|12|125|PLAY|DISCONNECT|600|0|0|1|0=0|3=0|15=60");
        row("insert: beyond 16 bits nothing is sent", "", "5 2", "insert|546|8|0|0",
            "546|8|0|0|Quay \"30\"| ;  ; EBR!: VEL_PART_SET:Insert_Partition:Overflow|Partition Settings");
        row("node maxima: an empty box is 0", "", "5 2", "nodes|8||9",
            "8|0|9 ; 5|2|Pier|2468|SPANISH|12|125|PLAY|DISCONNECT|7260|0|0|3|0=8|3=0|10=2|15=9|999=1");
        row("node maxima: a failing row stops the writes", "", "5 2", "nodes|8|x|9",
            "8|x|9 ; 5|2|Pier|2468|SPANISH|12|125|PLAY|DISCONNECT|7260|0|0|3|0=8|3=8|10=2|15=60|999=1 ; EBR!: "
            "VEL_PART_SET:Update_Node_Type_MAX:Type mismatch|Partition Settings");
    }
    void saves()
    {
        QFETCH(QString, action);
        Fixture rig(true);
        check(rig, [&](Busyness_Rules &rules) -> QString {
            const QStringList values = action.split('|');
            if (values[0] == "update") { // the form as it stands after the call: hidden, shown or none
                rules.Partition_ID(7);
                const bool saved = rules.Update_Partition(values[1], "1234", "ENGLISH", "3", values[2], "NOOP",
                                                          "IGNORE", "600", "0", "0", "1");
                const GUI *form = GUI::instance();
                return QStringLiteral("%1 %2 ; %3")
                    .arg(saved)
                    .arg(form ? (form->isHidden() ? "hidden " : "") + form->txtPartitionName->text() : "none",
                         rig.stored(5, 7));
            }
            GUI &form = *GUI::instance();
            QList<QLineEdit *> boxes; // the boxes the action fills, past their own rules
            if (values[0] == "insert")
                boxes = {form.txtRecTimeMin,   form.txtRecTimeSec,    form.txtTimeLimitMin,
                         form.txtTimeLimitSec, form.txtPartitionName, form.txtNode[1]};
            else if (values[0] == "nodes")
                boxes = {form.txtNode[0], form.txtNode[1], form.txtNode[2]};
            for (int i = 0; i < boxes.size(); ++i) {
                const QSignalBlocker pastTheRules(boxes[i]);
                boxes[i]->setText(i == 4 ? "Quay \"30\"" : values.value(i + 1));
            }
            if (values[0] == "insert")
                rules.Partition_ID(30), rules.Insert_Partition();
            else
                rules.Update_Node_Type_MAX(form.lblNodeTypeID, form.txtNode);
            QStringList texts;
            for (const QLineEdit *box : boxes)
                texts << box->text();
            return texts.join('|') + " ; " + rig.stored(5, values[0] == "insert" ? 30 : 2);
        });
    }
};

QTEST_MAIN(RulesTest)
#include "tst_rules.moc"

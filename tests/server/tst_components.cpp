// The reference server components on a store of the tests' own: each
// answer's columns (names, types and positions are the loaders' contract)
// and rows, the write rules for rows that are there or missing, strict
// arguments, values bound as they are, one transaction per operation, errors
// with the component's ProgID as source; the name checker, the message
// component, and the sample only a new store gets. Runs on SQLite, and on
// PostgreSQL when the test environment names a server (StoreBackend.h).
#include "StoreBackend.h"
#include "TestSupport.h"
#include "components/ServerComponents.h"
#include "components/SingleUseComponents.h"
#include "rowset/Rowset.h"
#include "server/ReferenceComponents.h"
#include "server/ServerErrors.h"
#include "ui/MessageBoxComponent.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace testing;

namespace {

enum Call { Settings, List, Configs, Types, Maxima, InsertP, UpdateP, InsertMax, UpdateMax, Select };

// The answer's columns as "name:type", then its rows ("|"-separated, values
// ","-separated, "null" for a null).
QString answerText(const RecordSet &records)
{
    QStringList columns, rows;
    for (const FieldInfo &field : records.fields())
        columns << field.name + u':' + field.dataType;
    for (const RecordSet::Row &row : records.rows()) {
        QStringList values;
        for (const Variant &value : row)
            values << (value.isNull() ? QStringLiteral("null") : value.toText());
        rows << values.join(u',');
    }
    return columns.join(u' ') + QStringLiteral(" / ") + rows.join(u'|');
}

// A store in a temporary folder with every reference component registered
// in a factory of its own. Unless the sample is asked for, it holds the
// tests' own data: configurations 7 (in use) and 3, node types 9 and 4,
// partitions 5 and 2 (without a message number) of configuration 7, maxima of
// both node types in partition 5; each added out of order, so that the order
// of an answer is the store's.
struct TempStore
{
    explicit TempStore(server::ReferenceStore::Seeding seeding = server::ReferenceStore::Seeding::SchemaOnly)
        : store(server::ReferenceStore::open(fresh.location, seeding))
    {
        server::registerReferenceComponents(factory, store);
        ui::registerMessageBoxComponent(factory);
        if (seeding == server::ReferenceStore::Seeding::SampleConfiguration)
            return;
        store->addConfiguration({7, "Lab A", "North", 31, "Sys N", 41});
        store->addConfiguration({3, "Lab B", "South", 32, "Sys S", 42});
        store->setConfigurationInUse(7);
        store->addNodeTypeRow({9, "Fax", "Télécopieur"});
        store->addNodeTypeRow({4, "Tape", "Bande"});
        store->insertPartition({7, 5, "Lab", "4321", "FRENCH", "7", 125, "PLAY", "DISCONNECT", 600, 1, 2, 8});
        store->insertPartition({7, 2, "Store O'Neil", "0042", "GERMAN", "25", 1859, "NOOP", "PLAY", 59, 10, 20, {}});
        store->insertNodeMax({7, 5, 9, 12});
        store->insertNodeMax({7, 5, 4, 30});
    }

    template <typename Interface> std::unique_ptr<Interface> create() const
    {
        return factory.createByProgId<Interface>(QString::fromLatin1(Interface::ProgID));
    }

    // What a call with ","-separated arguments gives: its answer as
    // answerText() writes it, nothing for a write, or "error <number>
    // <source> <description>" with the store's path as $DB. The node type
    // list is made by its ProgID in lower case: ProgIDs ignore case.
    QString call(int what, const QString &arguments) const
    {
        const QStringList a = arguments.split(u',');
        const PartitionRecord p{a.value(0), a.value(1), a.value(2), a.value(3),  a.value(4),  a.value(5), a.value(6),
                                a.value(7), a.value(8), a.value(9), a.value(10), a.value(11), a.value(12)};
        const NodeTypeMaxRow m{a.value(0), a.value(1), a.value(2), a.value(3)};
        const auto maxima = [&] { return factory.createByClassId<NodeTypeMaxReader>(NodeTypeMaxReader::classId()); };
        QString answer;
        const auto error = errorOf([&] {
            switch (what) {
            case Settings: answer = create<QRVdb::CONFIG>()->Get_Partition_Settings_XML(a.value(0), a.value(1)); break;
            case List: answer = create<QRVdb::CONFIG>()->Get_Partitions_XML(a.value(0)); break;
            case Configs: answer = create<QRVdb::CONFIG>()->Get_Configuration_XML(); break;
            case Types: answer = factory.createByProgId<QRVdb::SR>("qrvdb.sr")->Get_Node_Types_XML(); break;
            case Maxima: answer = maxima()->Get_Node_Type_Max_XML(a.value(0), a.value(1)); break;
            case InsertP: create<QRVins::INSCONFIG>()->Insert_Partition_Record(p); break;
            case UpdateP: create<QRVud::UDCONFIG>()->Update_Partition_Record(p); break;
            case InsertMax: create<QRVins::INSNODES>()->Insert_Node_Type_Max_Record(m); break;
            case UpdateMax: create<QRVud::UDNODES>()->Update_Node_Type_Max_Record(m); break;
            default: create<QRVud::UDCONFIG>()->Select_Partition(a.value(0));
            }
        });
        if (error)
            return QStringLiteral("error %1 %2 %3")
                .arg(QString::number(error->number()), error->source(), error->description())
                .replace(fresh.databaseName, QStringLiteral("$DB"));
        return answer.isEmpty() ? answer : answerText(rowset::read(answer));
    }

    FreshLocation fresh;
    std::shared_ptr<server::ReferenceStore> store;
    ComponentFactory factory;
};

const QString kSettings = QStringLiteral(
    "Config_ID:i2 PartitionID:i2 Name:string PartitionAccessCode:string REMLanguage:string SelectLimit:string "
    "TimeLimit:i4 Command:string NoMSGRecorded:string TotalRecTime:i4 TotalTimeOfMessagesRecorded:i4 TimeLeft:i4 "
    "MSGNo:i2 / ");
const QString kNew = QStringLiteral("New,1,ENGLISH,0,0,NOOP,IGNORE,0,0,0,1");
const char *const kMaxima5 = "7,5,4,30|7,5,9,12";

} // namespace

class ComponentsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { skipWithoutServer(); }

    // What each read answers; after a fault, what each call raises: on a
    // store whose connection is closed, a database failure with the call's
    // source and context; with a stored value of another kind than its
    // answer's column (an UPDATE, which PostgreSQL's typed columns refuse),
    // an error that names the value, the column and the partition (or row);
    // without the table it reads, the database's own words.
    // After an UPDATE, values at the edges of what a column holds read back.
    void answers_data()
    {
        QTest::addColumn<QString>("fault"); // "close", an UPDATE, or none
        QTest::addColumn<int>("read");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, Call read, const QString &arguments, const QString &expected) {
            QTest::newRow(name) << QString() << int(read) << arguments << expected;
        };
        const auto closed = [](Call call, const QString &arguments, const char *context) {
            QTest::newRow(context) << "close" << int(call) << arguments
                                   << "error -2147220991 " + QString(context)
                                          + ": the connection to the database \"$DB\" is closed";
        };
        const auto kind = [](const char *name, const char *update, Call read, const QString &expected) {
            QTest::newRow(name) << "UPDATE " + QString(update) << int(read) << "7,5" << "error 13 " + expected;
        };
        const auto stored = [](const char *name, const QString &update, Call read, const QString &expected) {
            QTest::newRow(name) << "UPDATE " + update << int(read) << "7,5" << expected;
        };
        const QString list = QStringLiteral("Config_ID:i2 PartitionID:i2 Name:string / 7,2,Store O'Neil|7,5,");
        row("settings", Settings, "7,2", kSettings + "7,2,Store O'Neil,0042,GERMAN,25,1859,NOOP,PLAY,59,10,20,null");
        row("settings of a missing partition", Settings, "3,5", kSettings);
        row("partitions by number", List, "7", "Config_ID:i2 PartitionID:i2 Name:string / 7,2,Store O'Neil|7,5,Lab");
        row("configuration in use first", Configs, "",
            "Config_Name:string Config_ID:i2 Site_Name:string Site_ID:i4 System_Name:string System_ID:i4 / "
            "Lab A,7,North,31,Sys N,41|Lab B,3,South,32,Sys S,42");
        row("node types by id", Types, "", "ID:i2 Name:string Name_French:string / 4,Tape,Bande|9,Fax,Télécopieur");
        row("node maxima by node type", Maxima, "7,5",
            "Config_ID:i2 PartitionID:i2 NodeType_ID:i2 Max_Number:i2 / " + QString(kMaxima5));
        closed(Settings, "7,5", "QRVdb.CONFIG Get_Partition_Settings_XML for partition 5 of configuration 7");
        closed(List, "7", "QRVdb.CONFIG Get_Partitions_XML for configuration 7");
        closed(Configs, "", "QRVdb.CONFIG Get_Configuration_XML");
        closed(Types, "", "QRVdb.SR Get_Node_Types_XML");
        closed(Maxima, "7,5", "QRVdb.NodeTypeMaxReader Get_Node_Type_Max_XML for partition 5 of configuration 7");
        closed(InsertP, "7,5," + kNew, "QRVins.INSCONFIG Insert_Partition_Record for partition 5 of configuration 7");
        closed(UpdateP, "7,5," + kNew, "QRVud.UDCONFIG Update_Partition_Record for partition 5 of configuration 7");
        closed(Select, "5", "QRVud.UDCONFIG Select_Partition for partition 5");
        closed(InsertMax, "7,5,4,5",
               "QRVins.INSNODES Insert_Node_Type_Max_Record for node type 4 in partition 5 of configuration 7");
        closed(UpdateMax, "7,5,4,5",
               "QRVud.UDNODES Update_Node_Type_Max_Record for node type 4 in partition 5 of configuration 7");
        kind("text in an integer column", "Partitions SET TimeLimit = 'abc' WHERE PartitionID = 5", Settings,
             "QRVdb.CONFIG Get_Partition_Settings_XML for partition 5 of configuration 7: the stored value \"abc\" of "
             "column TimeLimit in partition 5 of configuration 7 is not of its type i4");
        kind("fraction", "NodeTypeMaxima SET Max_Number = 1.5 WHERE NodeType_ID = 9", Maxima,
             "QRVdb.NodeTypeMaxReader Get_Node_Type_Max_XML for partition 5 of configuration 7: the stored value "
             "\"1.5\" of column Max_Number in partition 5 of configuration 7 is not of its type i2");
        kind("beyond the type, no partitions", "Configurations SET Config_ID = 32768 WHERE Config_ID = 3", Configs,
             "QRVdb.CONFIG Get_Configuration_XML: the stored value \"32768\" of column Config_ID in row 2 is not of "
             "its type i2");
        kind("below the type", "NodeTypeMaxima SET Max_Number = -32769 WHERE NodeType_ID = 9", Maxima,
             "QRVdb.NodeTypeMaxReader Get_Node_Type_Max_XML for partition 5 of configuration 7: the stored value "
             "\"-32769\" of column Max_Number in partition 5 of configuration 7 is not of its type i2");
        kind("beyond 32 bits", "Partitions SET TimeLeft = 2147483648 WHERE PartitionID = 5", Settings,
             "QRVdb.CONFIG Get_Partition_Settings_XML for partition 5 of configuration 7: the stored value "
             "\"2147483648\" of column TimeLeft in partition 5 of configuration 7 is not of its type i4");
        stored("lowest of the type", "NodeTypeMaxima SET Max_Number = -32768 WHERE NodeType_ID = 9", Maxima,
               "Config_ID:i2 PartitionID:i2 NodeType_ID:i2 Max_Number:i2 / 7,5,4,30|7,5,9,-32768");
        stored("text beyond the BMP", QStringLiteral("Partitions SET Name = 'L\U0001D11Eb\U0001F600' WHERE PartitionID = 5"),
               List, list + QStringLiteral("L\U0001D11Eb\U0001F600"));
        // Text that is not UTF-8 reads as SQLite decodes it, a blob as Qt does.
        stored("text not UTF-8", "Partitions SET Name = CAST(X'4C61C1BF62' AS TEXT) WHERE PartitionID = 5", List,
               list + QStringLiteral("La\uFFFDb"));
        stored("blob in a text column", "Partitions SET Name = X'4C61C1BF62' WHERE PartitionID = 5", List,
               list + QStringLiteral("La\uFFFD\uFFFDb"));
        stored("NUL inside a text", "Partitions SET Name = 'L' || char(0) || 'b' WHERE PartitionID = 5", List,
               "error -2147220991 QRVdb.CONFIG Get_Partitions_XML for configuration 7: Rowset XML cannot be written: "
               "the value of column \"Name\" in row 2 holds the control character U+0000.");
        QTest::newRow("missing table") << "DROP TABLE NodeTypeMaxima" << int(Maxima) << "7,5"
                                       << "error -2147220991 QRVdb.NodeTypeMaxReader Get_Node_Type_Max_XML for "
                                          "partition 5 of configuration 7: the database \"$DB\" could not "
                                          "carry out the statement: no such table: NodeTypeMaxima";
    }
    void answers()
    {
        QFETCH(QString, fault);
        QFETCH(int, read);
        QFETCH(QString, arguments);
        QFETCH(QString, expected);
        if (!fault.isEmpty() && fault != "close" && testing::onPostgres())
            QSKIP("PostgreSQL's typed columns cannot hold a value of another kind, and its messages differ");
        const TempStore fixture;
#ifndef Q_OS_WIN
        // These rows stand for both read paths: the SQLite one is the direct one.
        QCOMPARE(fixture.store->throughSqliteLibrary(), !testing::onPostgres());
#endif
        QSqlQuery query(fixture.store->database());
        if (fault == "close")
            fixture.store->close();
        else
            QVERIFY2(fault.isEmpty() || query.exec(fault), qPrintable(query.lastError().text()));
        QCOMPARE(fixture.call(read, arguments), expected);
    }

    // A write, its error ("<number> <source>|<part of the description>";
    // none when it succeeds), then the rows of the settings or the maxima of
    // the partition written.
    void writes_data()
    {
        QTest::addColumn<int>("write");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("stored");
        const auto row = [](const char *name, Call write, const QString &arguments, const char *error,
                            const QString &stored) {
            QTest::newRow(name) << int(write) << arguments << QString(error) << stored;
        };
        const QString name = "7,8,<\"&'>\t\r\n x'); DROP TABLE Partitions; --,1,ENGLISH,0,0,NOOP,IGNORE,0,0,0,1";
        row("insert", InsertP, "7,8," + kNew, "", "7,8," + kNew);
        row("insert of an existing partition keeps it", InsertP, "7,5," + kNew, "",
            "7,5,Lab,4321,FRENCH,7,125,PLAY,DISCONNECT,600,1,2,8");
        row("update without message number", UpdateP, "7,5," + kNew.chopped(1), "", "7,5," + kNew.chopped(1) + "null");
        row("update of a missing partition stores it", UpdateP, "7,9," + kNew, "", "7,9," + kNew);
        row("values bound as they are", InsertP, name, "", name);
        row("no config", InsertP, "4,8," + kNew, "-2147220989 QRVins.INSCONFIG|configuration 4 does not exist", "");
        row("time in minutes", UpdateP, "7,9,New,1,ENGLISH,0,2:05,NOOP,IGNORE,0,0,0,1",
            "13 QRVud.UDCONFIG|time limit \"2:05\" is not a whole", "");
        row("negative time", UpdateP, "7,9,New,1,ENGLISH,0,0,NOOP,IGNORE,-1,0,0,1",
            "6 QRVud.UDCONFIG|total recording time -1 is outside", "");
        row("message number beyond 16 bits", UpdateP, "7,9," + kNew.chopped(1) + "32768",
            "6 QRVud.UDCONFIG|message number 32768 is outside", "");
        const QString kept5 = "7,5,Lab,4321,FRENCH,7,125,PLAY,DISCONNECT,600,1,2,8";
        row("name no answer can carry", InsertP, "7,8,A\x01," + kNew.section(u',', 1),
            "5 QRVins.INSCONFIG|Insert_Partition_Record: the partition name holds the control character U+0001, which "
            "no answer can carry", "");
        row("NUL in the access code", UpdateP, QString("7,5,New,") + QChar(0) + kNew.section(u',', 1),
            "5 QRVud.UDCONFIG|the access code holds the control character U+0000", kept5);
        row("lone surrogate in the command", UpdateP, "7,5,N,1,E,0,0,NO" + QString(QChar(0xD800)) + "OP,I,0,0,0,1",
            "5 QRVud.UDCONFIG|the command holds the lone surrogate U+D800", kept5);
        row("noncharacter in the action", UpdateP, "7,5,N,1,E,0,0,NOOP,I" + QString(QChar(0xFFFF)) + ",0,0,0,1",
            "5 QRVud.UDCONFIG|the action when no message was recorded holds the noncharacter U+FFFF", kept5);
        row("insert of a maximum", InsertMax, "7,2,4,77", "", "7,2,4,77");
        row("insert of an existing maximum keeps it", InsertMax, "7,5,4,77", "", kMaxima5);
        row("update of a maximum", UpdateMax, "7,5,4,77", "", "7,5,4,77|7,5,9,12");
        row("update of a missing maximum stores it", UpdateMax, "7,2,9,77", "", "7,2,9,77");
        row("maximum into a missing partition", InsertMax, "7,88,4,5",
            "-2147220989 QRVins.INSNODES|partition 88 of configuration 7 does not exist", "");
        row("maximum in a missing partition", UpdateMax, "7,88,4,5",
            "-2147220989 QRVud.UDNODES|partition 88 of configuration 7 does not exist", "");
        // A number is an optional minus sign and ASCII digits, nothing else.
        for (const QString &maximum : {QString("+77"), QString(" 77"), QString("77 "), QString("-"), QString(""),
                                       QString("--7"), QString("7-7"), QString::fromUtf8("\u0667\u0667")})
            row(qPrintable("maximum \"" + maximum + "\""), UpdateMax, "7,5,4," + maximum,
                qPrintable("13 QRVud.UDNODES|the maximum \"" + maximum + "\" is not a whole decimal number"), kMaxima5);
        row("negative maximum", UpdateMax, "7,5,4,-7", "6 QRVud.UDNODES|the maximum -7 is outside the range 0 to 32767",
            kMaxima5);
        row("unknown node type", UpdateMax, "7,5,77,5",
            "-2147220989 QRVud.UDNODES|node type 77 is not in the node type list", kMaxima5);
    }
    void writes()
    {
        QFETCH(int, write);
        QFETCH(QString, arguments);
        QFETCH(QString, error);
        QFETCH(QString, stored);
        const TempStore fixture;
        const QString given = fixture.call(write, arguments);
        const QString source = "error " + error.section(u'|', 0, 0) + u' ', part = error.section(u'|', 1);
        QVERIFY2(error.isEmpty() ? given.isEmpty() : given.startsWith(source) && given.contains(part),
                 qPrintable(given));
        const int read = write == InsertMax || write == UpdateMax ? Maxima : Settings;
        QCOMPARE(fixture.call(read, arguments.section(u',', 0, 1)).section(QStringLiteral(" / "), 1), stored);
    }

    void checkName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "Lab" << true;
        QTest::newRow("one single quote") << "O'Neil" << true;
        QTest::newRow("single quotes apart") << "'a'b'" << true;
        QTest::newRow("typographic quotes") << "“Nord”" << true;
        QTest::newRow("double quote") << "Nord \"A\"" << false;
        QTest::newRow("two single quotes") << "Nord ''A" << false;
    }
    // CheckName accepts or refuses; ConvertName keeps every name as it is.
    void checkName()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        std::unique_ptr<NameValidator> validator;
        QCOMPARE(errorNumberOf(
                     [&] { validator = TempStore().factory.createByClassId<NameValidator>(NameValidator::classId()); }),
                 0);
        QCOMPARE(validator->CheckName(name), accepted);
        QCOMPARE(validator->ConvertName(name), name);
    }

    // Show_Error_Message with icons 0 to 4: "title|text|buttons|icon" of each box.
    void messageComponentShowsBox()
    {
        ScriptedUi scripted;
        std::unique_ptr<VEL_MsgBox::Busyness_Rules> box;
        QCOMPARE(errorNumberOf([&] { box = TempStore().create<VEL_MsgBox::Busyness_Rules>(); }), 0);
        QStringList seen;
        for (int icon = 0; icon <= 4; ++icon) {
            scripted.boxes.expect(ui::Answer::OK);
            QCOMPARE(box->Show_Error_Message(1, "Location: x", 3, icon, "Internal Error"), qint32(ui::Answer::OK));
            const ui::ShownBox &shown = scripted.boxes.shown().constLast();
            seen << QStringLiteral("%1|%2|%3|%4")
                        .arg(shown.title, shown.text)
                        .arg(int(shown.buttons))
                        .arg(int(shown.icon));
        }
        const auto icon = [](ui::Icon i) {
            return QStringLiteral("Internal Error|Location: x|%1|%2").arg(int(ui::Buttons::OK)).arg(int(i));
        };
        QCOMPARE(seen, QStringList({icon(ui::Icon::None), icon(ui::Icon::Critical), icon(ui::Icon::Exclamation),
                                    icon(ui::Icon::Information), icon(ui::Icon::Question)}));
    }

    // The sample's partitions, beside a store of the tests' own that stays
    // apart (and keeps its node type ids unique); reopening keeps what was
    // written and seeds nothing again.
    void sampleOnlyInNewFile()
    {
        TempStore sample(server::ReferenceStore::Seeding::SampleConfiguration);
        const TempStore own;
        const QString partitions = QStringLiteral("1,0,Default Partition|1,1,Sales|1,2,Support|"
                                                  "1,3,Réception 'Nord' & <Sud>|1,4,Night|1,12,Warehouse O'Neil");
        QCOMPARE(sample.call(List, "1").section(QStringLiteral(" / "), 1), partitions);
        QCOMPARE(sample.call(UpdateP, "1,77,Kept,1,ENGLISH,0,0,NOOP,IGNORE,0,0,0,1") + sample.call(Select, "4"),
                 QString());
        QCOMPARE(own.call(List, "1"), QStringLiteral("Config_ID:i2 PartitionID:i2 Name:string / "));
        QVERIFY_THROWS_EXCEPTION(server::StoreError, own.store->addNodeTypeRow({9, "Fax", "Fax"}));
        sample.store.reset();
        std::shared_ptr<server::ReferenceStore> reopened;
        QVERIFY_THROWS_NO_EXCEPTION(reopened = server::ReferenceStore::open(sample.fresh.location));
        QCOMPARE(answerText(reopened->partitions(1)).section(QStringLiteral(" / "), 1), partitions + "|1,77,Kept");
        QCOMPARE(reopened->selectedPartition(), std::optional<qint16>()); // a selection is never stored
    }
};

QTEST_MAIN(ComponentsTest)
#include "tst_components.moc"

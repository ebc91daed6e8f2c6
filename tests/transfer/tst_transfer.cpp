// Partitions as files through the reference components, on SQLite and on
// PostgreSQL: a round trip is byte-exact (the sample, and 32,767 generated
// partitions); each kind of faulty file is refused with its JSON pointer and
// writes nothing; an import that meets a conflict halfway leaves the store
// as it was; imports and copies are recorded in the history as such.
#include "StoreBackend.h"
#include "StoreHooks.h"

#include "server/ReadComponents.h"
#include "server/ReferenceComponents.h"
#include "server/ServerErrors.h"
#include "server/StoreSchema.h"
#include "server/WriteComponents.h"
#include "transfer/PartitionFileJson.h"
#include "transfer/PartitionTransfer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <utility>

using namespace testing;
using transfer::Outcome;
using Seeding = server::ReferenceStore::Seeding;

namespace {

// The store at the location; with tablesWithRowIds (SQLite) made first with
// the tables of stores made before partitions and maxima were kept in key
// order: the same tables with row ids.
std::shared_ptr<server::ReferenceStore> openAt(const FreshLocation &at, Seeding seeding, bool tablesWithRowIds)
{
    QSqlQuery query(at.connection());
    for (QString statement : tablesWithRowIds ? server::schema::createStatements(false) : QStringList()) {
        if (!query.exec(statement.remove(QStringLiteral(" WITHOUT ROWID"))))
            qFatal("the tables with row ids were not made: %s", qPrintable(query.lastError().text()));
    }
    return server::ReferenceStore::open(at.location, seeding);
}

// A store and the reference components on it.
struct World
{
    explicit World(Seeding seeding, bool tablesWithRowIds = false)
        : store(openAt(fresh, seeding, tablesWithRowIds))
    {
        server::registerReferenceComponents(factory, store);
    }

    QByteArray exported(qint16 config = 1)
    {
        QByteArray json;
        const Outcome outcome = transfer::exportPartitions(factory, config, std::nullopt, json);
        return outcome.status == Outcome::Status::Done ? json : outcome.lines.join('\n').toUtf8();
    }

    FreshLocation fresh;
    std::shared_ptr<server::ReferenceStore> store;
    ComponentFactory factory;
};

// Configuration 1 with the sample's configurations and node types, no partitions.
void addConfigurationAndTypes(const World &from, server::ReferenceStore &to)
{
    to.inTransaction([&] {
        for (RecordSet c = from.store->configurations(); !c.isEOF(); c.MoveNext())
            to.addConfiguration({qint16(c.Fields(1).asInteger()), c.Fields(0).toText(), c.Fields(2).toText(),
                                 qint32(c.Fields(3).asInteger()), c.Fields(4).toText(), qint32(c.Fields(5).asInteger())});
        for (RecordSet t = from.store->nodeTypes(); !t.isEOF(); t.MoveNext())
            to.addNodeTypeRow({qint16(t.Fields(0).asInteger()), t.Fields(1).toText(), t.Fields(2).toText()});
    });
}

// One partition file of configuration 1, partition 0 with node type 3's maximum.
QByteArray onePartition(const QString &partition = "\"PartitionID\": 0, \"Name\": \"Lab\"", const QString &maxima = "{\"3\": {\"maximum\": 8, \"name\": \"x\"}}",
                        const QString &configuration = "1")
{
    return QStringLiteral("{\"format\": \"partition-settings/1\", \"configuration\": %3, \"partitions\": [{%1, "
                          "\"PartitionAccessCode\": \"6093\", \"REMLanguage\": \"ENGLISH\", \"SelectLimit\": \"0\", "
                          "\"TimeLimit\": 120, \"Command\": \"NOOP\", \"NoMSGRecorded\": \"IGNORE\", "
                          "\"TotalRecTime\": 3600, \"TotalTimeOfMessagesRecorded\": 0, \"TimeLeft\": 0, \"MSGNo\": 1, "
                          "\"NodeMaxima\": %2}]}")
        .arg(partition, maxima, configuration)
        .toUtf8();
}

} // namespace

class TransferTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { skipWithoutServer(); }

    void roundTrip_data()
    {
        QTest::addColumn<int>("partitions");
        QTest::addColumn<bool>("tablesWithRowIds");
        QTest::newRow("the sample configuration") << 0 << false;
        QTest::newRow("32,767 generated partitions") << 32767 << false;
        QTest::newRow("onto a store made with row ids") << 3000 << true;
    }
    // Export, import onto a store holding only the configuration and node
    // types, export again: the same bytes.
    void roundTrip()
    {
        QFETCH(int, partitions);
        QFETCH(bool, tablesWithRowIds);
        if (tablesWithRowIds && onPostgres())
            QSKIP("only SQLite stores were made with row ids");
        World from(Seeding::SampleConfiguration);
        if (partitions > 0)
            seedPartitions(*from.store, 1, partitions);
        const QByteArray first = from.exported();
        World to(Seeding::SchemaOnly, tablesWithRowIds);
        if (tablesWithRowIds) // the store keeps the tables it was made with
            QVERIFY(QSqlQuery(to.fresh.connection()).exec("SELECT Partitions.rowid, NodeTypeMaxima.rowid FROM Partitions, NodeTypeMaxima"));
        addConfigurationAndTypes(from, *to.store);
        const Outcome imported = transfer::importPartitions(to.factory, first, false);
        QCOMPARE(imported.status, Outcome::Status::Done);
        QCOMPARE(to.exported(), first);
        QCOMPARE(transfer::importPartitions(to.factory, first, false).lines, QStringList{"nothing to change"});
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        QTest::newRow("JSON syntax") << QByteArray("{\"format\": \"partition-settings/1\",\n  \"partitions\": [,]}")
                                     << "(file): illegal value at line 2, column 19";
        QTest::newRow("unknown field") << onePartition("\"PartitionID\": 0, \"Name\": \"Lab\", \"Colour\": 1")
                                       << "/partitions/0/Colour: unknown field";
        QTest::newRow("missing field") << onePartition("\"PartitionID\": 0") << "/partitions/0/Name: missing field";
        QTest::newRow("wrong type") << onePartition("\"PartitionID\": \"0\", \"Name\": \"Lab\"")
                                    << "/partitions/0/PartitionID: must be a whole number";
        QTest::newRow("beyond 16 bits") << onePartition("\"PartitionID\": 0, \"Name\": \"Lab\"", "{\"3\": {\"maximum\": 32768, \"name\": \"x\"}}")
                                        << "/partitions/0/NodeMaxima/3/maximum: 32768 is out of its range 0 to 32767";
        QTest::newRow("name check") << onePartition("\"PartitionID\": 0, \"Name\": \"Pier \\\"East\\\"\"")
                                    << "/partitions/0/Name: the name check refuses \"Pier \"East\"\"";
        QTest::newRow("node type not a number") << onePartition("\"PartitionID\": 0, \"Name\": \"Lab\"", "{\"a/b\": {\"maximum\": 1, \"name\": \"x\"}}")
                                                << "/partitions/0/NodeMaxima/a~1b: a node type id must be a whole number from -32768 to 32767";
        // Keys as the file has them, and as their pointer names them.
        const QList<std::pair<QString, QString>> badKeys = {
            {"007", "007"}, {"+7", "+7"},   {"-0", "-0"},   {"32768", "32768"}, {"-32769", "-32769"},
            {" 7", " 7"},   {"", ""},       {"7.0", "7.0"}, {"1e3", "1e3"},     {"\\u0667", QString(QChar(0x667))}};
        for (const auto &[key, token] : badKeys)
            QTest::newRow(qPrintable("node type \"" + key + "\""))
                << onePartition("\"PartitionID\": 0, \"Name\": \"Lab\"", "{\"" + key + "\": {\"maximum\": 1, \"name\": \"x\"}}")
                << "/partitions/0/NodeMaxima/" + token + ": a node type id must be a whole number from -32768 to 32767";
        QTest::newRow("unknown negative node type")
            << onePartition("\"PartitionID\": 0, \"Name\": \"Lab\"", "{\"-32768\": {\"maximum\": 1, \"name\": \"x\"}}")
            << "/partitions/0/NodeMaxima/-32768: node type -32768 is not in the node type list";
        QTest::newRow("unknown node type") << onePartition("\"PartitionID\": 0, \"Name\": \"Lab\"", "{\"8\": {\"maximum\": 1, \"name\": \"x\"}}")
                                           << "/partitions/0/NodeMaxima/8: node type 8 is not in the node type list";
        QTest::newRow("uncarriable character") << onePartition("\"PartitionID\": 0, \"Name\": \"Lab\\u0001\"")
                                               << "/partitions/0/Name: holds the control character U+0001, which no answer can carry";
        QTest::newRow("no such configuration") << onePartition("\"PartitionID\": 0, \"Name\": \"Lab\"", "{}", "9")
                                               << "/configuration: configuration 9 does not exist";
    }
    void refusals()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        World world(Seeding::SampleConfiguration);
        const QByteArray before = world.exported();
        const Outcome outcome = transfer::importPartitions(world.factory, file, false);
        QCOMPARE(outcome.status, Outcome::Status::Refused);
        QVERIFY2(outcome.lines.contains(problem), qPrintable(outcome.lines.join('\n')));
        QCOMPARE(world.exported(), before);
        QVERIFY(world.store->history(std::nullopt, std::nullopt).isEmpty());
    }

    void conflictHalfwayWritesNothing_data()
    {
        QTest::addColumn<QStringList>("except");
        QTest::addColumn<int>("theirs");
        QTest::addColumn<bool>("betweenAnswers"); // theirs between the settings and the maxima, not before the writes
        for (const bool whole : {true, false}) {
            const QStringList except = whole ? QStringList() : QStringList{"ConfigurationReader"};
            const char *read = whole ? "whole configuration" : "partition by partition";
            QTest::addRow("%s, a stored partition", read) << except << 99 << false;
            QTest::addRow("%s, a partition the import adds", read) << except << 150 << false;
        }
        QTest::newRow("whole configuration, a partition added between its two answers") << QStringList() << 150 << true;
    }
    // Another administrator saves a partition after the import of 200 onto
    // a store of 100 read them, before its first write (or between the two
    // answers of a whole read): the import fails at that partition, naming
    // it, and of all the writes only the other one is stored, whether the
    // partition was stored before or is one the import adds.
    void conflictHalfwayWritesNothing()
    {
        QFETCH(QStringList, except);
        QFETCH(int, theirs);
        QFETCH(bool, betweenAnswers);
        World source(Seeding::SchemaOnly);
        seedPartitions(*source.store, 1, 200);
        const QByteArray file = source.exported().replace("\"TimeLimit\": 0", "\"TimeLimit\": 7");
        World world(Seeding::SchemaOnly);
        seedPartitions(*world.store, 1, 100);
        world.factory.clear();
        server::registerReferenceComponents(world.factory, world.store, except);
        bool saved = false;
        const auto saveTheirs = [&] {
            if (!std::exchange(saved, true))
                server::ReferenceStore::open(world.fresh.location, Seeding::Existing)
                    ->savePartition({1, qint16(theirs), "Theirs", "1", "ENGLISH", "0", 0, "NOOP", "IGNORE", 0, 0, 0, 1});
        };
        if (betweenAnswers) {
            world.factory.registerClassId(ConfigurationReader::classId(), [&, store = world.store] {
                struct Interrupted : server::WholeConfigurationReader
                {
                    using WholeConfigurationReader::WholeConfigurationReader;
                    QString allNodeMaximaXml(const QString &configId) override
                    {
                        before();
                        return WholeConfigurationReader::allNodeMaximaXml(configId);
                    }
                    std::function<void()> before;
                };
                auto reader = std::make_unique<Interrupted>(store);
                reader->before = saveTheirs;
                return reader;
            });
        } else {
            world.factory.registerProgId(QRVud::UDCONFIG::ProgID, [&, store = world.store] {
                struct Interrupted : server::PartitionUpdater
                {
                    using PartitionUpdater::PartitionUpdater;
                    void Update_Partition_Record(const PartitionRecord &partition) override
                    {
                        before();
                        PartitionUpdater::Update_Partition_Record(partition);
                    }
                    std::function<void()> before;
                };
                auto updater = std::make_unique<Interrupted>(store);
                updater->before = saveTheirs;
                return updater;
            });
        }
        const Outcome outcome = transfer::importPartitions(world.factory, file, false);
        QCOMPARE(outcome.status, Outcome::Status::Failed);
        QVERIFY2(outcome.lines.constFirst().contains(QStringLiteral("Partition %1 was changed by another user").arg(theirs)),
                 qPrintable(outcome.lines.constFirst()));
        QCOMPARE(world.store->history(1, std::nullopt).size(), 0);
        QCOMPARE(world.store->partitionSettings(1, 98).Fields(6).toText(), QStringLiteral("0"));
        QVERIFY(world.store->partitionSettings(1, 120).isEOF());
        QCOMPARE(world.store->partitionSettings(1, qint16(theirs)).Fields(2).toText(), QStringLiteral("Theirs"));
    }

    // Reading the configuration whole or partition by partition exports the same file.
    void wholeReadExportsAsOneByOne()
    {
        World world(Seeding::SampleConfiguration);
        seedPartitions(*world.store, 1, 40);
        const QByteArray whole = world.exported();
        world.factory.clear();
        server::registerReferenceComponents(world.factory, world.store, {"ConfigurationReader"});
        QCOMPARE(world.exported(), whole);
        QVERIFY(whole.contains("\"NodeMaxima\": {\n                \""));
    }

    void writtenAsQtWritesIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withMaxima");
        QTest::newRow("plain, no maxima") << "Lab" << false;
        QTest::newRow("quote and backslash") << "a\"b\\c" << true;
        QTest::newRow("control characters") << QString::fromUtf16(u"\b\f\n\r\t\x01\x1f\x7f") << true;
        QTest::newRow("beyond ASCII") << QString::fromUtf16(u"é€\u2028 \U0001D11E") << true;
        QTest::newRow("lone surrogates") << QString::fromUtf16(u"\xD800x\xDC00") << true;
        QTest::newRow("a high surrogate last") << QString::fromUtf16(u"ab\xD834") << true;
        QTest::newRow("empty") << "" << true;
    }
    // The writer's text is the indented form Qt's JSON writer gives the same
    // document, and Qt's reader finds in it the values written.
    void writtenAsQtWritesIt()
    {
        QFETCH(QString, name);
        QFETCH(bool, withMaxima);
        transfer::PartitionSettings p;
        p.number = 7, p.Name = name, p.Command = "PLAY", p.TimeLimit = 2147483647, p.TotalRecTime = -5;
        if (withMaxima)
            p.maxima = {{-3, {0, "minus"}}, {2, {32767, name}}, {10, {5, "ten"}}};
        transfer::PartitionSettings second = p;
        second.number = 8, second.MSGNo = -32768;
        const QByteArray ours = transfer::toJson({-2, {p, second}});
        const QJsonDocument read = QJsonDocument::fromJson(ours);
        QCOMPARE(read.toJson(QJsonDocument::Indented), ours);
        const QJsonObject first = read["partitions"][0].toObject();
        const QJsonObject expected{{"PartitionID", 7},          {"Name", name},         {"PartitionAccessCode", ""},
                                   {"REMLanguage", ""},         {"SelectLimit", ""},    {"TimeLimit", 2147483647},
                                   {"Command", "PLAY"},         {"NoMSGRecorded", ""},  {"TotalRecTime", -5},
                                   {"TotalTimeOfMessagesRecorded", 0}, {"TimeLeft", 0}, {"MSGNo", QJsonValue::Null}};
        for (auto field = expected.begin(); field != expected.end(); ++field)
            QCOMPARE(first[field.key()], field.value());
        QCOMPARE(read["partitions"][1]["MSGNo"].toInt(), -32768);
        QCOMPARE(first["NodeMaxima"].toObject().keys(), withMaxima ? QStringList({"-3", "10", "2"}) : QStringList());
    }

    // A copy of three fields to partitions 40 down to 2, its dry run first:
    // the dry run lists and writes nothing; the copy's 117 history rows (a
    // statement's worth of 64 ends inside partition 23, and the rows are
    // written out of partition order) each say which value, from what to
    // what, by whom and where from.
    void copyAndItsHistory()
    {
        World world(Seeding::SchemaOnly);
        seedPartitions(*world.store, 1, 41);
        world.store->savePartition({1, 1, "Source", "1111", "FRENCH", "2", 90, "NOOP", "IGNORE", 30, 0, 0, 1});
        QList<qint16> targets;
        QSet<QString> expected;
        for (qint16 partition = 40; partition >= 2; --partition) {
            targets << partition;
            expected << QStringLiteral("partition %1: TimeLimit: 0 → 90").arg(partition)
                     << QStringLiteral("partition %1: REMLanguage: \"ENGLISH\" → \"FRENCH\"").arg(partition)
                     << QStringLiteral("partition %1: TotalRecTime: 0 → 30").arg(partition);
        }
        const QStringList fields = {"TimeLimit", "REMLanguage", "TotalRecTime"};
        for (const bool dryRun : {true, false}) {
            const Outcome outcome = transfer::copySettings(world.factory, 1, 1, targets, fields, dryRun);
            QCOMPARE(outcome.status, Outcome::Status::Done);
            QCOMPARE(QSet<QString>(outcome.lines.begin(), outcome.lines.end()), expected);
            QCOMPARE(world.store->history(1, 2).size(), dryRun ? 0 : 3);
        }
        const server::ChangeRow first = world.store->history(1, 2).constFirst();
        QVERIFY(!first.changedAt.isEmpty() && !first.user.isEmpty() && !first.host.isEmpty());
        for (const qint16 partition : targets) {
            QStringList rows; // newest first
            for (const server::ChangeRow &row : world.store->history(1, partition)) {
                QCOMPARE(row.changedAt + row.user + row.host, first.changedAt + first.user + first.host);
                rows << row.item + ": " + row.oldValue + " " + row.newValue;
            }
            QCOMPARE(rows, QStringList({"TotalRecTime (copied from partition 1): 0 30",
                                        "TimeLimit (copied from partition 1): 0 90",
                                        "REMLanguage (copied from partition 1): ENGLISH FRENCH"}));
        }
        QCOMPARE(world.store->history(1, 41).size(), 0);
        QCOMPARE(world.store->partitionSettings(1, 4).Fields(2).toText(), QStringLiteral("Partition 4"));
    }
};

QTEST_MAIN(TransferTest)
#include "tst_transfer.moc"

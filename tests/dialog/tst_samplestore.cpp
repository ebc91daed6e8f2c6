// The sample configuration a new store ships with passes every rule of the
// dialog: each of its partitions opens, takes a new access code and saves
// with OK, no box refusing it, and its name comes back as it was.
#include "DialogRig.h"

#include "partition_settings/rules/Busyness_Rules.h"

using namespace testing;

class SampleStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void everyPartitionSaves()
    {
        Rig rig; // a store seeded with the sample configuration
        int saved = 0;
        for (RecordSet configs = rig.store->configurations(); !configs.isEOF(); configs.MoveNext()) {
            const qint16 config = configs.Fields("Config_ID").asInteger();
            for (RecordSet list = rig.store->partitions(config); !list.isEOF(); list.MoveNext()) {
                const qint16 partition = list.Fields("PartitionID").asInteger();
                const QString name = list.Fields("Name").toText();
                Busyness_Rules rules(rig.factory);
                bool closed = false;
                rig.ui.runner.script = [&](QDialog &dialog) {
                    act(*GUI::instance(), "txtAccessCode=97531, cmdOK"); // any box fails the test
                    closed = !dialog.isVisible();
                };
                QVERIFY(rules.Shown(config, partition, QString()).asBoolean());
                const RecordSet stored = rig.store->partitionSettings(config, partition);
                const QByteArray which = QStringLiteral("%1 of %2: %3").arg(partition).arg(config).arg(name).toUtf8();
                QVERIFY2(closed, which.constData());
                QCOMPARE(stored.Fields("Name").toText() + '|' + stored.Fields("PartitionAccessCode").toText(),
                         name + "|97531");
                ++saved;
            }
        }
        QVERIFY(saved > 1);
    }
};

QTEST_MAIN(SampleStoreTest)
#include "tst_samplestore.moc"

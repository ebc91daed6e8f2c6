// A process that registers no components of its own, as a plain C host is:
// the component finds the server components and the message component
// through the registry, in the server library (QRV_SERVER), and its saves
// and their refusals cross that boundary; the server library's objects
// taken through the runtime, a unit of work among them; and the error a
// registry without a component's keys gives.
#include "LoadedLibrary.h"
#include "Rig.h"
#include "StoreHooks.h"

#include "platform/RegistryWriter.h"
#include "servercom/QRV_SERVER.h"

#include <QTest>

class RegisteredTest : public QObject, testing::LoadedLibrary
{
    Q_OBJECT

    std::optional<testing::Rig> m_rig;
    QLibrary m_server{QStringLiteral(QRV_SERVER_LIBRARY)};

    // Update_Partition through Invoke with these eleven texts, the last one first.
    QString updateLateBound(_Busyness_Rules *rules, const QStringList &texts)
    {
        std::vector<VARIANT> arguments(texts.size());
        for (qsizetype each = 0; each < texts.size(); ++each) {
            VARIANT &argument = arguments[texts.size() - 1 - each];
            argument.vt = VT_BSTR;
            argument.bstrVal = allocString(reinterpret_cast<const OLECHAR *>(texts[each].utf16()),
                                           UINT(texts[each].size()));
        }
        DISPPARAMS params{arguments.data(), nullptr, UINT(arguments.size()), 0};
        VARIANT result;
        result.vt = VT_EMPTY;
        const HRESULT answer = rules->Invoke(14, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
        for (VARIANT &each : arguments)
            clearVariant(&each);
        return QStringLiteral("%1 %2:%3").arg(answer).arg(result.vt).arg(result.boolVal);
    }

    QString storedPartition(qint16 partition) const
    {
        const RecordSet rows = m_rig->store->partitionSettings(4, partition);
        return rows.Fields("Name").toText() + "|" + rows.Fields("TimeLimit").toText();
    }

    template <class Interface> Interface *serverObject(const GUID &classId, const GUID &interfaceId)
    {
        void *object = nullptr;
        return CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, &object) == S_OK
                   ? static_cast<Interface *>(object)
                   : nullptr;
    }

    // The answer in hex, and the thread's error object's source and description.
    QString failure(HRESULT answer)
    {
        IErrorInfo *error = nullptr;
        QString line = QString::number(quint32(answer), 16);
        if (GetErrorInfo(0, &error) == S_OK) {
            BSTR source = nullptr, description = nullptr;
            error->GetSource(&source);
            error->GetDescription(&description);
            line += " " + take(source) + ": " + take(description);
            error->Release();
        }
        return line;
    }

    BSTR text(const QString &value) const
    {
        return allocString(reinterpret_cast<const OLECHAR *>(value.utf16()), UINT(value.size()));
    }

    // Update_Partition_Record of partition 1 with this time limit; the
    // answer and the error object.
    QString updateRecord(QRVud_UDCONFIG *updater, const QString &timeLimit, const QString &config = "4")
    {
        const QStringList values{config, "1", "Unit", "6093", "ENGLISH", "0", timeLimit, "NOOP", "IGNORE",
                                 "0", "0", "0", "1"};
        std::vector<BSTR> texts;
        for (const QString &value : values)
            texts.push_back(text(value));
        const HRESULT answer = updater->Update_Partition_Record(texts[0], texts[1], texts[2], texts[3], texts[4],
                                                                texts[5], texts[6], texts[7], texts[8], texts[9],
                                                                texts[10], texts[11], texts[12]);
        for (BSTR each : texts)
            freeString(each);
        return answer == S_OK ? QStringLiteral("0") : failure(answer);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(load(), qPrintable(library.errorString()));
        QVERIFY2(m_server.load(), qPrintable(m_server.errorString()));
    }
    // Configuration 4 with partitions 0 to 2 in a store of this test's own,
    // which the server library opens; nothing registered in the process.
    void init()
    {
        m_rig.emplace(server::ReferenceStore::Seeding::SchemaOnly);
        testing::seedPartitions(*m_rig->store, 4, 3);
        qputenv("QRV_SERVER_STORE", QFile::encodeName(qEnvironmentVariable("VELANTIS_COMMON_APPDATA") + "/store.sqlite"));
        const auto registerServer = reinterpret_cast<VEL_DllEntry>(m_server.resolve("DllRegisterServer"));
        QVERIFY(registerServer && registerServer() == S_OK);
    }
    void cleanup()
    {
        m_rig.reset();
        qunsetenv("QRV_SERVER_STORE");
    }

    // The dialog loads through the registered components; a late-bound
    // Update_Partition saves through them, in a unit of their library, with
    // its history; a value the store refuses comes back as the store's error.
    void showsAndSavesThroughTheRegistry()
    {
        _Busyness_Rules *rules = create();
        QVERIFY(rules);
        QCOMPARE(shown(rules, 4, 1), "0 11:-1 0  ");
        const QStringList settings{"Remote", "6093", "ENGLISH", "0", "125", "NOOP", "IGNORE", "0", "0", "0", "1"};
        QCOMPARE(updateLateBound(rules, settings), "0 11:-1");
        QCOMPARE(storedPartition(1), "Remote|125");
        QVERIFY(!m_rig->store->history(4, 1).isEmpty());
        QStringList refused = settings;
        refused[4] = "2 minutes";
        m_rig->ui.boxes.expect(ui::Answer::OK);
        QCOMPARE(updateLateBound(rules, refused), "0 11:0");
        QCOMPARE(m_rig->ui.boxes.shown().size(), 1);
        QCOMPARE(m_rig->ui.boxes.shown().first().text.split("\r\n").first(),
                 "QRVud.UDCONFIG:Update_Partition:Update_Partition_Record: the time limit \"2 minutes\" is not a "
                 "whole decimal number");
        QCOMPARE(storedPartition(1), "Remote|125");
        rules->Release();
    }

    // Inside one unit, a refused call fails alone with the component's
    // error; Rollback leaves the store as it was, and a second unit commits.
    void unitOfWorkAcrossTheBoundary()
    {
        auto *unit = serverObject<QRV_UnitOfWork>(CLSID_QRV_UnitOfWork, IID_QRV_UnitOfWork);
        auto *updater = serverObject<QRVud_UDCONFIG>(CLSID_QRVud_UDCONFIG, IID_QRVud_UDCONFIG);
        QVERIFY(unit && updater);
        const QString before = storedPartition(1);
        QStringList steps;
        steps << QString::number(unit->Enter()) << failure(unit->Begin()) << updateRecord(updater, "90")
              << updateRecord(updater, "2 minutes");
        steps << storedPartition(1);
        unit->Rollback();
        steps << storedPartition(1);
        steps << QString::number(unit->Begin()) << updateRecord(updater, "95") << QString::number(unit->Commit());
        unit->Leave();
        steps << storedPartition(1) << failure(unit->Commit());
        unit->Enter();
        steps << failure(unit->BeginWholeOrNothing()) << updateRecord(updater, "96", "9")
              << updateRecord(updater, "97") << failure(unit->Commit());
        unit->Leave();
        steps << storedPartition(1);
        const QString refusal = "800a000d QRVud.UDCONFIG: Update_Partition_Record: the time limit \"2 minutes\" is "
                                "not a whole decimal number";
        QCOMPARE(steps, QStringList({"0", "0", "0", refusal, before, before, "0", "0", "0", "Unit|95",
                                     "800a0201 UnitOfWork: commit: no unit of work is open", "0",
                                     "800a0203 QRVud.UDCONFIG: Update_Partition_Record for partition 1 of configuration "
                                     "9: configuration 9 does not exist",
                                     "800a0201 QRVud.UDCONFIG: Update_Partition_Record for partition 1 of configuration "
                                     "4: a write of this unit of work failed, so it can only be rolled back",
                                     "800a0201 UnitOfWork: commit: a write of this unit of work failed, so it was rolled "
                                     "back whole",
                                     "Unit|95"}));
        updater->Release();
        unit->Release();
    }

    // A registry without a component's class keys: the object records
    // error 429 naming that component, and the components after it in the
    // start's order are not made.
    void missingKeys_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::newRow("configuration reads") << "QRVdb.CONFIG";
        QTest::newRow("node types") << "QRVdb.SR";
        QTest::newRow("node maximum updates") << "QRVud.UDNODES";
    }
    void missingKeys()
    {
        QFETCH(QString, removed);
        QVERIFY(platform::removeRegistryKey(platform::RootKey::ClassesRoot, removed + "\\CLSID"));
        m_rig->ui.boxes.expect(ui::Answer::OK);
        _Busyness_Rules *rules = create();
        QVERIFY(rules);
        const QString description = "ActiveX component can't create object (" + removed + ")";
        QCOMPARE(errorInfo(rules), "429 [VEL_PART_SET][Business_Rules]Class_Initialize " + description);
        QCOMPARE(m_rig->ui.boxes.shown().size(), 1);
        QVERIFY(m_rig->ui.boxes.shown().first().text.endsWith("Description: " + description));
        rules->Release();
    }
};

QTEST_MAIN(RegisteredTest)
#include "tst_registered.moc"

// The component library loaded with QLibrary, as a host loads it: what the
// class object and the objects answer for each interface, when the library
// may be unloaded, the keys its registration writes and removes, and Shown
// through the interface against the C++ object, one ErrorInfo per object;
// and, in a process of its own, a host without a Qt application.
#include "LoadedLibrary.h"
#include "Rig.h"
#include "StoreHooks.h"

#include "platform/FileRegistry.h"
#include "platform/Registry.h"
#include "partition_settings/rules/Busyness_Rules.h"
#include "server/ReferenceComponents.h"
#include "ui/MessageBoxComponent.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using platform::RootKey;

class InprocTest : public QObject, testing::LoadedLibrary
{
    Q_OBJECT

    std::optional<testing::Rig> m_rig;

    // The answer of one call in hex, then " alive" if anything of the library
    // is left alive once the test has released what it holds; "no object"
    // when the class object or the object cannot be had.
    QString call(const QString &name)
    {
        IClassFactory *maker = factory();
        IUnknown *unknown = nullptr;
        _Busyness_Rules *rules = nullptr;
        if (!maker || maker->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void **>(&unknown)) != S_OK
            || unknown->QueryInterface(IID__Busyness_Rules, reinterpret_cast<void **>(&rules)) != S_OK)
            return QStringLiteral("no object");
        void *object = nullptr;
        UINT count = 7;
        OLECHAR *names[1] = {nullptr};
        DISPID id = 0;
        const QHash<QString, std::function<HRESULT()>> calls{
            {"other class", [&] { return getClassObject(IID__Busyness_Rules, IID_IClassFactory, &object); }},
            {"factory as _Busyness_Rules",
             [&] { return getClassObject(CLSID_Busyness_Rules, IID__Busyness_Rules, &object); }},
            {"no out-pointer", [&] { return getClassObject(CLSID_Busyness_Rules, IID_IClassFactory, nullptr); }},
            {"object as factory", [&] { return maker->CreateInstance(nullptr, IID_IClassFactory, &object); }},
            {"inside an outer object", [&] { return maker->CreateInstance(unknown, IID_IUnknown, &object); }},
            {"object asked for factory", [&] { return unknown->QueryInterface(IID_IClassFactory, &object); }},
            {"type infos", [&] { return rules->GetTypeInfoCount(&count) + HRESULT(count); }},
            {"names", [&] { return rules->GetIDsOfNames(IID_IUnknown, names, 1, 0, &id); }},
            {"invoke", [&] { return rules->Invoke(0, IID_IUnknown, 0, 1, nullptr, nullptr, nullptr, nullptr); }},
        };
        const HRESULT answer = calls.value(name, [] { return HRESULT(-1); })();
        rules->Release();
        unknown->Release();
        maker->Release();
        if (object)
            static_cast<IUnknown *>(object)->Release();
        return QString::number(quint32(answer), 16) + (canUnloadNow() == S_OK ? "" : " alive");
    }

    QStringList storedKeys()
    {
        QFile file(QString::fromLocal8Bit(qgetenv("VELANTIS_REGISTRY_FILE")));
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object().keys() : QStringList();
    }

private slots:
    void initTestCase() { QVERIFY2(load(), qPrintable(library.errorString())); }
    // A store of this file's own: configuration 4 with partitions 0 to 2.
    void init()
    {
        m_rig.emplace(server::ReferenceStore::Seeding::SchemaOnly);
        testing::seedPartitions(*m_rig->store, 4, 3);
        server::registerReferenceComponents(ComponentFactory::global(), m_rig->store);
        ui::registerMessageBoxComponent(ComponentFactory::global());
    }
    void cleanup()
    {
        ComponentFactory::global().clear();
        m_rig.reset();
    }

    // Each row's name is the call made; the count of type infos is 0, and
    // names and invoke answer that there is no late binding.
    void answers_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::newRow("other class") << "80040111";
        QTest::newRow("factory as _Busyness_Rules") << "80004002";
        QTest::newRow("no out-pointer") << "80004003";
        QTest::newRow("object as factory") << "80004002";
        QTest::newRow("inside an outer object") << "80040110";
        QTest::newRow("object asked for factory") << "80004002";
        QTest::newRow("type infos") << "0";
        QTest::newRow("names") << "80004001";
        QTest::newRow("invoke") << "80004001";
    }
    void answers()
    {
        QFETCH(QString, expected);
        QCOMPARE(call(QString::fromLatin1(QTest::currentDataTag())), expected);
    }

    // S_OK (0) or S_FALSE (1) after each step.
    void unloadNow()
    {
        QString answers = QString::number(canUnloadNow());
        IClassFactory *maker = factory();
        answers += QString::number(canUnloadNow());
        _Busyness_Rules *rules = create();
        QVERIFY(maker && rules);
        maker->LockServer(1);
        maker->Release();
        answers += QString::number(canUnloadNow());
        rules->AddRef();
        rules->Release();
        answers += QString::number(canUnloadNow());
        rules->Release();
        answers += QString::number(canUnloadNow());
        maker = factory();
        QVERIFY(maker);
        maker->LockServer(0);
        answers += QString::number(canUnloadNow());
        maker->Release();
        answers += QString::number(canUnloadNow());
        QCOMPARE(answers, QStringLiteral("0111110"));
    }

    // An unrelated class's key, a value of another root and a value of
    // another's on the ProgID's key stay.
    void registration()
    {
        const QString file = QString::fromLocal8Bit(qgetenv("VELANTIS_REGISTRY_FILE"));
        const QString other = QStringLiteral("CLSID\\{00000000-0000-0000-0000-0000000000AA}\\InprocServer32");
        QVERIFY(platform::FileRegistry::writeValue(file, RootKey::ClassesRoot, other, {}, {1, "x"}));
        QVERIFY(platform::FileRegistry::writeValue(file, RootKey::LocalMachine, "SOFTWARE", "v", {1, "y"}));
        QVERIFY(platform::FileRegistry::writeValue(file, RootKey::ClassesRoot, VEL_PART_SET_PROGID, {}, {1, "z"}));
        const QStringList before = storedKeys();
        QCOMPARE(registerServer(), S_OK);
        const QString id = QStringLiteral("CLSID\\{E1188022-2112-48E7-ABD7-B83E9D329DFC}");
        QStringList values;
        for (const auto &[key, name] : {std::pair{id, ""}, {id + "\\InprocServer32", ""},
                                        {id + "\\InprocServer32", "ThreadingModel"}, {id + "\\ProgID", ""},
                                        {QString("VEL_PART_SET.Busyness_Rules\\CLSID"), ""}})
            values << platform::registryValue(RootKey::ClassesRoot, key, name).toText();
        QCOMPARE(values, QStringList({"Busyness_Rules", VEL_PART_SET_LIBRARY, "Apartment",
                                      "VEL_PART_SET.Busyness_Rules", "{E1188022-2112-48E7-ABD7-B83E9D329DFC}"}));
        QCOMPARE(storedKeys().size(), before.size() + 4);
        QCOMPARE(unregisterServer(), S_OK);
        QCOMPARE(storedKeys(), before);
    }

    // Fields and strings round the interface.
    void fieldsRoundTheInterface()
    {
        _Busyness_Rules *rules = create();
        QVERIFY(rules);
        const OLECHAR title[] = u"Tüm ✓";
        BSTR text = allocString(title, 5);
        rules->put_Err_Title(text);
        freeString(text);
        rules->put_LanguageID(-2);
        short language = 0;
        rules->get_LanguageID(&language);
        rules->get_Err_Title(&text);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(language).arg(SysStringLen(text)).arg(take(text)), "-2 5 Tüm ✓");
        rules->Release();
    }

    // Shown silent through the interface records what the C++ call records
    // (language 326 overflows). A showing without error clears only its own
    // object's error, and an error recorded by one object leaves the other's
    // ErrorInfo empty.
    void separateErrorInfo()
    {
        Busyness_Rules direct;
        direct.Shown(4, 1, QString(), 326, true);
        const QString error =
            QStringLiteral("%1 %2 %3").arg(direct.ErrCode()).arg(direct.ErrLocation(), direct.ErrDescription());
        QCOMPARE(error, "6 [VEL_PART_SET][Business_Rules]Shown Overflow");
        _Busyness_Rules *first = create(), *second = create();
        QVERIFY(first && second);
        QStringList steps{shown(first, 4, 326)};
        steps << shown(second, 4, 1); // separate statements: one after the other
        steps << errorInfo(first);
        steps << shown(first, 4, -324);
        steps << errorInfo(second);
        QCOMPARE(steps, QStringList({"0 11:0 " + error, "0 11:-1 0  ", error, "0 11:0 " + error, "0  "}));
        first->Release();
        second->Release();
        QCOMPARE(canUnloadNow(), S_OK);
    }

    // inproc_host, a host without a Qt application, run without a display
    // but for the one variable given: its exit ("crashed" when it ends
    // abnormally) and its lines; its standard error holds the warning.
    void hostWithoutApplication_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("warning");
        const QString failed = "0: 80004005 ; 80004005 ; 80004005 ; may unload ; 80004005";
        QTest::newRow("no display: E_FAIL")
            << "" << failed
            << "VEL_PART_SET: there is no display: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are not set; "
               "CreateInstance answers E_FAIL";
        QTest::newRow("an X display that does not answer: E_FAIL")
            << "DISPLAY=:97" << failed << "VEL_PART_SET: the X display :97 cannot be reached";
        QTest::newRow("the host's platform: one application for all rounds")
            << "QT_QPA_PLATFORM=offscreen" << "0: 0 11:-1 0   ; 0 11:-1 0   ; 0 11:-1 0   ; may unload ; 0 11:-1 0  " << "";
    }
    void hostWithoutApplication()
    {
        QFETCH(QString, variable);
        QFETCH(QString, expected);
        QFETCH(QString, warning);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
            environment.remove(name);
        if (!variable.isEmpty())
            environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
        QProcess host;
        host.setProcessEnvironment(environment);
        host.start(QStringLiteral(INPROC_HOST));
        QVERIFY(host.waitForFinished(-1));
        const QString exit = host.exitStatus() == QProcess::NormalExit ? QString::number(host.exitCode()) : "crashed";
        const QStringList lines = QString::fromLocal8Bit(host.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(exit + ": " + lines.join(" ; "), expected);
        QVERIFY(QString::fromLocal8Bit(host.readAllStandardError()).contains(warning));
    }
};

QTEST_MAIN(InprocTest)
#include "tst_inproc.moc"

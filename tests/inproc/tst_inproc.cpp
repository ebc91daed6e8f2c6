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
        const QHash<QString, std::function<HRESULT()>> calls{
            {"other class", [&] { return getClassObject(IID__Busyness_Rules, IID_IClassFactory, &object); }},
            {"factory as _Busyness_Rules",
             [&] { return getClassObject(CLSID_Busyness_Rules, IID__Busyness_Rules, &object); }},
            {"no out-pointer", [&] { return getClassObject(CLSID_Busyness_Rules, IID_IClassFactory, nullptr); }},
            {"object as factory", [&] { return maker->CreateInstance(nullptr, IID_IClassFactory, &object); }},
            {"inside an outer object", [&] { return maker->CreateInstance(unknown, IID_IUnknown, &object); }},
            {"object asked for factory", [&] { return unknown->QueryInterface(IID_IClassFactory, &object); }},
            {"type infos", [&] { return rules->GetTypeInfoCount(&count) + HRESULT(count); }},
            {"object as IDispatch", [&] { return unknown->QueryInterface(IID_IDispatch, &object); }},
        };
        const HRESULT answer = calls.value(name, [] { return HRESULT(-1); })();
        rules->Release();
        unknown->Release();
        maker->Release();
        if (object)
            static_cast<IUnknown *>(object)->Release();
        return QString::number(quint32(answer), 16) + (canUnloadNow() == S_OK ? "" : " alive");
    }

    // Invoke on a fresh object with arguments in declaration order, which it
    // passes last first: i2:N i4:N s:TEXT b:N, "&" before one for by
    // reference, e (left out: VT_ERROR DISP_E_PARAMNOTFOUND), n (VT_EMPTY),
    // null (VT_NULL), name:N (the arguments' one name), - (no result). Its
    // answer in hex, the result's "type:value" unless it is empty, and "@<argument error>"; a
    // put is followed by " | " and the property's get.
    QString invoke(_Busyness_Rules *rules, DISPID id, WORD flags, const QString &arguments)
    {
        QStringList words = arguments.split(' ', Qt::SkipEmptyParts);
        DISPID name = 0;
        bool wantResult = !words.removeAll("-");
        if (!words.isEmpty() && words.first().startsWith("name:"))
            name = words.takeFirst().mid(5).toInt();
        std::vector<VARIANT> values(words.size()), targets(words.size());
        for (qsizetype each = 0; each < words.size(); ++each) {
            VARIANT &value = values[words.size() - 1 - each];
            const bool reference = words[each].startsWith('&');
            const QString type = words[each].mid(reference).section(':', 0, 0), text = words[each].section(':', 1);
            VARIANT &target = reference ? targets[each] : value;
            target.vt = type == "i2" ? VT_I2 : type == "i4" ? VT_I4 : type == "s" ? VT_BSTR : type == "b" ? VT_BOOL
                        : type == "e" ? VT_ERROR : type == "null" ? VT_NULL : VT_EMPTY;
            target.llVal = type == "e" ? DISP_E_PARAMNOTFOUND : text.toInt();
            if (type == "s")
                target.bstrVal = allocString(reinterpret_cast<const OLECHAR *>(text.utf16()), UINT(text.size()));
            if (reference) {
                value.vt = VT_BYREF | target.vt;
                value.byref = &target.llVal;
            }
        }
        DISPPARAMS params{values.data(), &name, UINT(values.size()), UINT(name != 0)};
        VARIANT result;
        result.vt = VT_EMPTY;
        UINT argumentError = 99;
        const HRESULT answer = rules->Invoke(id, IID_NULL, 0, flags, &params, wantResult ? &result : nullptr,
                                             nullptr, &argumentError);
        for (VARIANT &each : values)
            clearVariant(&each);
        for (VARIANT &each : targets)
            clearVariant(&each);
        QString line = QString::number(quint32(answer), 16);
        if (answer == S_OK && wantResult && result.vt != VT_EMPTY) {
            line += QStringLiteral(" %1:").arg(result.vt);
            line += result.vt == VT_BSTR ? take(result.bstrVal)
                                         : QString::number(result.vt == VT_I4 ? result.lVal : result.iVal);
        }
        if (argumentError != 99)
            line += QStringLiteral(" @%1").arg(argumentError);
        return flags == DISPATCH_PROPERTYPUT ? line + " | " + invoke(rules, id, DISPATCH_PROPERTYGET, "") : line;
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

    // Each row's name is the call made; the count of type infos is 0.
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
        QTest::newRow("object as IDispatch") << "0";
    }
    void answers()
    {
        QFETCH(QString, expected);
        QCOMPARE(call(QString::fromLatin1(QTest::currentDataTag())), expected);
    }

    // Every member's name, in any case, has its number in the interface's
    // order; another name has none.
    void idsOfNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const char *names[] = {"languageid", "USERID", "Err_title", "err_desc", "ERRLOCATION", "errCode",
                               "ErrDescription", "config_ID", "PARTITION_ID", "firstload", "MaxPartition", "shown",
                               "INSERT_PARTITION", "Update_partition"};
        for (int each = 0; each < 14; ++each)
            QTest::newRow(names[each]) << names[each] << QString("0 %1").arg(each + 1);
        QTest::newRow("unknown") << "Shows" << "80020006 -1";
    }
    void idsOfNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        _Busyness_Rules *rules = create();
        QVERIFY(rules);
        OLECHAR *names[] = {reinterpret_cast<OLECHAR *>(const_cast<ushort *>(name.utf16()))};
        DISPID id = 0;
        const HRESULT answer = rules->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
        rules->Release();
        QCOMPARE(QStringLiteral("%1 %2").arg(quint32(answer), 0, 16).arg(id), expected);
    }

    // Property gets and puts and method calls by DISPID, with VARIANT
    // arguments converted as automation converts them.
    void lateBound_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("expected");
        const int get = DISPATCH_PROPERTYGET, put = DISPATCH_PROPERTYPUT, method = DISPATCH_METHOD;
        QTest::newRow("LanguageID put") << 1 << put << "name:-3 i2:-2" << "0 | 0 2:-2";
        QTest::newRow("UserID put from a text") << 2 << put << "name:-3 s:12" << "0 | 0 2:12";
        QTest::newRow("UserID put 2.5, half to even") << 2 << put << "name:-3 s:2.5" << "0 | 0 2:2";
        QTest::newRow("UserID put 3.5, half to even") << 2 << put << "name:-3 s:3.5" << "0 | 0 2:4";
        QTest::newRow("Err_Title put by reference") << 3 << put << "name:-3 &s:Tüm" << "0 | 0 8:Tüm";
        QTest::newRow("Err_Desc put a Long") << 4 << put << "name:-3 i4:70000" << "0 | 0 8:70000";
        QTest::newRow("ErrLocation") << 5 << get << "" << "0 8:";
        QTest::newRow("ErrCode") << 6 << get << "" << "0 3:0";
        QTest::newRow("ErrDescription without a result") << 7 << get << "-" << "0";
        QTest::newRow("Config_ID") << 8 << get << "" << "0 2:0";
        QTest::newRow("Partition_ID put a Boolean by reference") << 9 << put << "name:-3 &b:-1" << "0 | 0 2:-1";
        QTest::newRow("FirstLoad") << 10 << get << "" << "0 11:0";
        QTest::newRow("MaxPartition as a scripting host asks") << 11 << (method | get) << "" << "0 2:0";
        QTest::newRow("Shown, optional ones left out") << 12 << method << "i2:4 i2:1 s:" << "0 11:-1";
        QTest::newRow("Shown, all by reference") << 12 << method << "&i2:4 &i2:1 &s: &i2:1 &b:-1 &b:-1"
                                                 << "0 11:-1";
        QTest::newRow("Shown, converted, optional ones as errors") << 12 << method << "s:4 b:0 n e e e"
                                                                    << "0 11:-1";
        QTest::newRow("Shown, Silent_Error a text") << 12 << (method | get) << "i2:4 i2:1 s: i2:1 s:True"
                                                    << "0 11:-1";
        QTest::newRow("Shown, Language_ID overflows") << 12 << method << "i2:4 i2:1 s: i4:40000"
                                                      << "8002000a @0";
        QTest::newRow("Shown, Config_ID no number") << 12 << method << "s:x i2:1 s:" << "80020005 @2";
        QTest::newRow("Shown, Partition_ID required") << 12 << method << "i2:4 e s:" << "8002000f @1";
        QTest::newRow("Shown, MenuOption Null") << 12 << method << "i2:4 i2:1 null" << "80020005 @0";
        QTest::newRow("Shown, two arguments") << 12 << method << "i2:4 i2:1" << "8002000e";
        QTest::newRow("Shown, seven arguments") << 12 << method << "i2:4 i2:1 s: e e e e" << "8002000e";
        QTest::newRow("Shown, a named argument") << 12 << method << "name:1 i2:4 i2:1 s:" << "80020007";
        QTest::newRow("Shown as a property") << 12 << get << "" << "80020003";
        QTest::newRow("Insert_Partition, an argument") << 13 << method << "i2:1" << "8002000e";
        QTest::newRow("Update_Partition, ten") << 14 << method << "s: s: s: s: s: s: s: s: s: s:" << "8002000e";
        QTest::newRow("Update_Partition, a Null") << 14 << method << "s: s: s: s: s: s: s: s: s: &s: null"
                                                  << "80020005 @0";
        QTest::newRow("put without its name") << 1 << put << "i2:1" << "80020004 | 0 2:0";
        QTest::newRow("put of a get-only") << 5 << put << "name:-3 s:x" << "80020003 | 0 8:";
        QTest::newRow("get with an argument") << 1 << get << "i2:1" << "8002000e";
        QTest::newRow("unknown DISPID") << 15 << method << "" << "80020003";
    }
    void lateBound()
    {
        QFETCH(int, id);
        QFETCH(int, flags);
        QFETCH(QString, arguments);
        QFETCH(QString, expected);
        _Busyness_Rules *rules = create();
        QVERIFY(rules);
        const QString answer = invoke(rules, id, WORD(flags), arguments);
        rules->Release();
        QCOMPARE(answer, expected);
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
    // and without XDG_RUNTIME_DIR but for the one variable given: its exit
    // ("crashed" when it ends abnormally) and its lines; its standard error
    // holds the warning, or nothing at all.
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
        for (const char *name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY", "XDG_RUNTIME_DIR"})
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
        const QString errors = QString::fromLocal8Bit(host.readAllStandardError());
        if (warning.isEmpty()) // not even Qt's "XDG_RUNTIME_DIR not set"
            QCOMPARE(errors, QString());
        else
            QVERIFY2(errors.contains(warning), qPrintable(errors));
    }
};

QTEST_MAIN(InprocTest)
#include "tst_inproc.moc"

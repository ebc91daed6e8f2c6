// The name checker, the message component and the registration of all
// reference components by ProgID and class id.
#include "TempStore.h"
#include "TestSupport.h"
#include "ui/MessageBoxComponent.h"

#include <QTest>

class SmallComponentsTest : public QObject
{
    Q_OBJECT

private slots:
    void checkName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "Sales" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("one single quote") << "O'Neil" << true;
        QTest::newRow("single quotes apart") << "'a'b'" << true;
        QTest::newRow("markup and accents") << "Réception & <Sud>" << true;
        QTest::newRow("double quote") << "Nord \"A\"" << false;
        QTest::newRow("two single quotes") << "Nord ''A''" << false;
        QTest::newRow("blanks kept") << "  Sales  " << true;
        QTest::newRow("typographic quotes") << "“Nord”" << true;
    }
    // CheckName accepts or refuses; ConvertName keeps every name as it is.
    void checkName()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        testing::TempStore fixture;
        auto validator = fixture.validator();
        QCOMPARE(validator->CheckName(name), accepted);
        QCOMPARE(validator->ConvertName(name), name);
    }

    void messageComponentShowsBox_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("shownIcon");
        QTest::newRow("1 critical") << 1 << int(ui::Icon::Critical);
        QTest::newRow("2 exclamation") << 2 << int(ui::Icon::Exclamation);
        QTest::newRow("3 information") << 3 << int(ui::Icon::Information);
        QTest::newRow("4 question") << 4 << int(ui::Icon::Question);
        QTest::newRow("0 none") << 0 << int(ui::Icon::None);
    }
    void messageComponentShowsBox()
    {
        QFETCH(int, icon);
        QFETCH(int, shownIcon);
        testing::TempStore fixture;
        testing::ScriptedUi scripted;
        scripted.boxes.expect(ui::Answer::OK);
        auto box = fixture.create<VEL_MsgBox::Busyness_Rules>();
        QCOMPARE(box->Show_Error_Message(1, "Location: x", 3, icon, "Internal Error"), qint32(ui::Answer::OK));
        QCOMPARE(scripted.boxes.shown().size(), 1);
        const ui::ShownBox &shown = scripted.boxes.shown().first();
        QCOMPARE(shown.text, QStringLiteral("Location: x"));
        QCOMPARE(shown.title, QStringLiteral("Internal Error"));
        QCOMPARE(shown.buttons, ui::Buttons::OK);
        QCOMPARE(int(shown.icon), shownIcon);
    }

    void everyComponentIsRegistered_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : server::referenceComponentNames())
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyComponentIsRegistered()
    {
        QFETCH(QString, name);
        testing::TempStore fixture;
        QVERIFY(create(fixture.factory, name) != nullptr);
        ComponentFactory partial;
        server::registerReferenceComponents(partial, fixture.store, {name});
        QCOMPARE(testing::errorNumberOf([&] { create(partial, name); }), int(rt::CannotCreateObject));
        for (const QString &other : server::referenceComponentNames())
            if (other != name)
                QVERIFY(create(partial, other) != nullptr);
    }

    void progIdsIgnoreCase()
    {
        testing::TempStore fixture;
        QVERIFY(fixture.factory.createByProgId<QRVdb::CONFIG>(QStringLiteral("qrvdb.config")) != nullptr);
    }

private:
    static std::unique_ptr<Component> create(const ComponentFactory &factory, const QString &name)
    {
        if (name == QLatin1String("NodeTypeMaxReader"))
            return factory.createByClassId<NodeTypeMaxReader>(NodeTypeMaxReader::classId());
        if (name == QLatin1String("NameValidator"))
            return factory.createByClassId<NameValidator>(NameValidator::classId());
        return factory.createByProgId<Component>(name);
    }
};

QTEST_MAIN(SmallComponentsTest)
#include "tst_smallcomponents.moc"

// Checked numbers: text and field values to Integer, Long and Double, and
// 16-bit arithmetic, at the boundaries and with the runtime's error numbers.
#include "RaisedErrors.h"
#include "core/KeyedCollection.h"
#include "core/Numbers.h"
#include "core/RuntimeError.h"
#include "core/Variant.h"

#include <QTest>
#include <functional>


class NumbersTest : public QObject
{
    Q_OBJECT

private slots:
    void textToInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("zero") << "0" << 0 << 0;
        QTest::newRow("largest") << "32767" << 32767 << 0;
        QTest::newRow("smallest") << "-32768" << -32768 << 0;
        QTest::newRow("one above") << "32768" << 0 << int(rt::Overflow);
        QTest::newRow("one below") << "-32769" << 0 << int(rt::Overflow);
        QTest::newRow("blanks around") << "  42 " << 42 << 0;
        QTest::newRow("plus sign") << "+7" << 7 << 0;
        QTest::newRow("leading zeros") << "007" << 7 << 0;
        QTest::newRow("half rounds to even down") << "2.5" << 2 << 0;
        QTest::newRow("half rounds to even up") << "3.5" << 4 << 0;
        QTest::newRow("exponent") << "1e3" << 1000 << 0;
        QTest::newRow("empty") << "" << 0 << int(rt::TypeMismatch);
        QTest::newRow("blank only") << "   " << 0 << int(rt::TypeMismatch);
        QTest::newRow("letters") << "12a" << 0 << int(rt::TypeMismatch);
        QTest::newRow("inner blank") << "1 2" << 0 << int(rt::TypeMismatch);
        QTest::newRow("partition entry") << "12 - Sales" << 0 << int(rt::TypeMismatch);
    }
    void textToInteger()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QFETCH(int, error);
        qint16 value = 0;
        QCOMPARE(testing::errorNumberOf([&] { value = rt::textToInteger(text); }), error);
        QCOMPARE(int(value), expected);
    }

    void textToLong_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("largest") << "2147483647" << qint64(2147483647) << 0;
        QTest::newRow("smallest") << "-2147483648" << qint64(-2147483648LL) << 0;
        QTest::newRow("one above") << "2147483648" << qint64(0) << int(rt::Overflow);
        QTest::newRow("one below") << "-2147483649" << qint64(0) << int(rt::Overflow);
        QTest::newRow("16-bit overflow fits") << "40000" << qint64(40000) << 0;
        QTest::newRow("not a number") << "abc" << qint64(0) << int(rt::TypeMismatch);
    }
    void textToLong()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QFETCH(int, error);
        qint32 value = 0;
        QCOMPARE(testing::errorNumberOf([&] { value = rt::textToLong(text); }), error);
        QCOMPARE(qint64(value), expected);
    }

    void variantConversions_data()
    {
        QTest::addColumn<int>("kind"); // 0 Integer, 1 Long, 2 Double
        QTest::addColumn<Variant>("value");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("null to Integer") << 0 << Variant() << 0.0 << int(rt::InvalidUseOfNull);
        QTest::newRow("null to Long") << 1 << Variant() << 0.0 << int(rt::InvalidUseOfNull);
        QTest::newRow("null to Double") << 2 << Variant() << 0.0 << int(rt::InvalidUseOfNull);
        QTest::newRow("integer in range") << 0 << Variant::integer(-32768) << -32768.0 << 0;
        QTest::newRow("integer out of range") << 0 << Variant::integer(32768) << 0.0 << int(rt::Overflow);
        QTest::newRow("floating rounds") << 1 << Variant::floating(7.5) << 8.0 << 0;
        QTest::newRow("text number") << 1 << Variant::text(" 125 ") << 125.0 << 0;
        QTest::newRow("text non-number") << 2 << Variant::text("x") << 0.0 << int(rt::TypeMismatch);
        QTest::newRow("boolean True is -1") << 0 << Variant::boolean(true) << -1.0 << 0;
        QTest::newRow("binary") << 1 << Variant::binary("\x01") << 0.0 << int(rt::TypeMismatch);
    }
    void variantConversions()
    {
        QFETCH(int, kind);
        QFETCH(Variant, value);
        QFETCH(double, expected);
        QFETCH(int, error);
        double result = 0;
        QCOMPARE(testing::errorNumberOf([&] {
                     result = kind == 0 ? rt::toInteger(value) : kind == 1 ? rt::toLong(value) : rt::toDouble(value);
                 }),
                 error);
        QCOMPARE(result, expected);
    }

    void integerArithmetic_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("sum");
        QTest::addColumn<int>("product");
        // -1 in an expected column marks an overflow.
        QTest::newRow("minutes and seconds") << 546 << 60 << 606 << 32760;
        QTest::newRow("product overflows") << 547 << 60 << 607 << -1;
        QTest::newRow("sum overflows") << 32767 << 1 << -1 << 32767;
        QTest::newRow("language offset low end") << -324 << 101 << -223 << -32724;
        QTest::newRow("language offset beyond") << -325 << 101 << -224 << -1;
    }
    void integerArithmetic()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, sum);
        QFETCH(int, product);
        qint16 s = 0;
        qint16 p = 0;
        QCOMPARE(testing::errorNumberOf([&] { s = rt::addInteger(qint16(a), qint16(b)); }), sum == -1 ? int(rt::Overflow) : 0);
        if (sum != -1)
            QCOMPARE(int(s), sum);
        QCOMPARE(testing::errorNumberOf([&] { p = rt::multiplyInteger(qint16(a), qint16(b)); }),
                 product == -1 ? int(rt::Overflow) : 0);
        if (product != -1)
            QCOMPARE(int(p), product);
    }

    void nullHasNoText()
    {
        QCOMPARE(testing::errorNumberOf([] { (void)Variant().toText(); }), int(rt::InvalidUseOfNull));
        QVERIFY(Variant().isNullOrEmpty());
        QVERIFY(Variant::text("").isNullOrEmpty());
        QVERIFY(!Variant::text(" ").isNullOrEmpty());
        QCOMPARE(Variant::integer(-12).toText(), QStringLiteral("-12"));
        QCOMPARE(Variant::boolean(false).toText(), QStringLiteral("False"));
    }

    void keyedCollectionFailures()
    {
        KeyedCollection names;
        names.Add("Voice", "5");
        QCOMPARE(testing::errorNumberOf([&] { names.Add("Other", "5"); }), int(rt::KeyAlreadyAssociated));
        QCOMPARE(names.Item("5"), QStringLiteral("Voice"));
        QCOMPARE(testing::errorNumberOf([&] { (void)names.Item("6"); }), int(rt::InvalidProcedureCall));
        names.Add("Fax", "6");
        names.Remove(1);
        QCOMPARE(names.Count(), 1);
        QCOMPARE(names.Item(1), QStringLiteral("Fax"));
        QCOMPARE(testing::errorNumberOf([&] { names.Remove(2); }), int(rt::InvalidProcedureCall));
    }

    void ownErrorsCarryTheComponentSource()
    {
        const auto error = rt::RuntimeError::standard(rt::Overflow);
        QCOMPARE(error.source(), QStringLiteral("VEL_PART_SET"));
        QCOMPARE(error.description(), QStringLiteral("Overflow"));
    }
};

QTEST_MAIN(NumbersTest)
#include "tst_numbers.moc"

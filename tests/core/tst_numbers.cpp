// Checked numbers, the keyed collection, the text of field values and the
// run-time errors: each row is one call and what it gives, its result as text
// or "error N" for the run-time error it raises.
#include "core/KeyedCollection.h"
#include "core/Numbers.h"
#include "core/ObjectRef.h"
#include "core/RuntimeError.h"
#include "core/Variant.h"

#include <QTest>
#include <cmath>
#include <functional>

using Call = std::function<QString()>;
using V = Variant;
Q_DECLARE_METATYPE(Call)

namespace {

// A call of f on each input in turn; it gives the outcomes, "|"-separated:
// each result as text, or "error N" for the run-time error it raised.
template <typename F, typename In> Call each(F f, std::initializer_list<In> inputs)
{
    return [f, list = QList<In>(inputs)] {
        QStringList outcomes;
        for (const In &in : list) {
            try {
                outcomes << QVariant::fromValue(f(in)).toString();
            } catch (const rt::RuntimeError &error) {
                outcomes << QStringLiteral("error %1").arg(error.number());
            }
        }
        return outcomes.join(u'|');
    };
}
template <typename F> Call once(F f) { return each([f](int) { return f(); }, {0}); }

// A collection holding "a" under "k1", then "b" under "k2".
KeyedCollection ab()
{
    KeyedCollection c;
    c.Add(QStringLiteral("a"), QStringLiteral("k1"));
    c.Add(QStringLiteral("b"), QStringLiteral("k2"));
    return c;
}

} // namespace

class NumbersTest : public QObject
{
    Q_OBJECT

private slots:
    void calls_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text to Integer: bounds, blanks, half to even, sign and exponent, no number")
            << each(rt::textToInteger, {" 32767 ", "32768", "-32768", "-32769", "2.5", "+1e3", "1 2", ""})
            << "32767|error 6|-32768|error 6|2|1000|error 13|error 13";
        QTest::newRow("text to Long") << each(rt::textToLong, {"-2147483648", "2147483648"}) << "-2147483648|error 6";
        QTest::newRow("text to Double") << each(rt::textToDouble, {".5", "1e999"}) << "0.5|error 6";
        QTest::newRow("field to Integer") << each(rt::toInteger, {V(), V::integer(32768), V::floating(7.5),
                                                                  V::floating(NAN), V::text(" 125 "), V::boolean(true)})
                                          << "error 94|error 6|8|error 6|125|-1";
        QTest::newRow("field to Long") << each(rt::toLong, {V::integer(40000), V::integer(1LL << 31), V::date({})})
                                       << "40000|error 6|error 13";
        QTest::newRow("field to Double") << each(rt::toDouble, {V(), V::text("x"), V::integer(-3), V::floating(1.25),
                                                                V::boolean(true), V::binary("a")})
                                         << "error 94|error 13|-3|1.25|-1|error 13";
        QTest::newRow("Long narrowing") << each(rt::checkedLong, {1LL << 31, -(1LL << 31)}) << "error 6|-2147483648";
        QTest::newRow("add 1") << each([](int a) { return rt::addInteger(a, 1); }, {32766, 32767}) << "32767|error 6";
        QTest::newRow("subtract 1") << each([](int a) { return rt::subtractInteger(a, 1); }, {-32767, -32768})
                                    << "-32768|error 6";
        QTest::newRow("multiply by 60") << each([](int a) { return rt::multiplyInteger(a, 60); }, {546, 547, -547})
                                        << "32760|error 6|error 6";
        QTest::newRow("collection: key added twice") << once([] { ab().Add("c", "k1"); return 0; }) << "error 457";
        QTest::newRow("collection: key") << each([](const char *k) { return ab().Item(k); }, {"k2", "k3"})
                                         << "b|error 5";
        QTest::newRow("collection: position") << each([](int p) { return ab().Item(p); }, {0, 1, 2, 3})
                                              << "error 5|a|b|error 5";
        QTest::newRow("collection: remove")
            << each([](int p) { auto c = ab(); c.Remove(p); return c.Item(1); }, {0, 1, 3}) << "error 5|b|error 5";
        QTest::newRow("field as text")
            << each([](V v) { return v.toText(); },
                    {V(), V::integer(-12), V::floating(1234567.891), V::boolean(true), V::boolean(false),
                     V::date({{2024, 2, 9}, {3, 4, 5}}), V::binary("\x01\xab")})
            << "error 94|-12|1234567.891|True|False|2024-02-09T03:04:05|01AB";
        QTest::newRow("null or empty")
            << each([](V v) { return v.isNullOrEmpty(); }, {V(), V::text(""), V::text(" ")}) << "true|true|false";
        QTest::newRow("empty object") << once([] { return *ObjectRef<int>(); }) << "error 91";
    }
    void calls()
    {
        QFETCH(Call, call);
        QFETCH(QString, expected);
        QCOMPARE(call(), expected);
    }
};

QTEST_MAIN(NumbersTest)
#include "tst_numbers.moc"

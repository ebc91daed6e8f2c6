// A field value as the record sets and the outside components carry it:
// null, text, integer, floating, boolean, date, binary or an unsigned
// integer (the values of 64-bit unsigned columns).
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <variant>

class Variant
{
public:
    enum class Type { Null, Text, Integer, Floating, Boolean, Date, Binary, Unsigned };

    Variant() = default; // null
    static Variant text(const QString &value);
    static Variant integer(qint64 value);
    static Variant floating(double value);
    static Variant boolean(bool value);
    static Variant date(const QDateTime &value);
    static Variant binary(const QByteArray &value);
    static Variant unsignedInteger(quint64 value);

    Type type() const { return static_cast<Type>(m_value.index()); }
    bool isNull() const { return type() == Type::Null; }
    // Null or the empty text: the loaders treat both as "no value".
    bool isNullOrEmpty() const;

    // Text form of the value; a null is run-time error 94 (Invalid use of Null).
    // Integers as plain decimal text, booleans as "True"/"False", dates as
    // "yyyy-MM-ddThh:mm:ss", binary as upper-case hex digits.
    QString toText() const;

    // Direct access for code that has already checked the type.
    const QString &asText() const { return std::get<QString>(m_value); }
    qint64 asInteger() const { return std::get<qint64>(m_value); }
    double asFloating() const { return std::get<double>(m_value); }
    bool asBoolean() const { return std::get<bool>(m_value); }
    const QDateTime &asDate() const { return std::get<QDateTime>(m_value); }
    const QByteArray &asBinary() const { return std::get<QByteArray>(m_value); }
    quint64 asUnsigned() const { return std::get<quint64>(m_value); }

    friend bool operator==(const Variant &, const Variant &) = default;

private:
    std::variant<std::monostate, QString, qint64, double, bool, QDateTime, QByteArray, quint64> m_value;
};

#include <QMetaType>
Q_DECLARE_METATYPE(Variant)

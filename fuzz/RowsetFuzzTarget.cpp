// The rowset reader under a fuzzer. Whatever the bytes, reading them either
// gives a record set or raises the reader's run-time error; nothing else may
// come out (another exception, a crash or a sanitizer's report). The reference
// reader must give the same: the same refusal (number and description, which
// holds the line and column) or the same columns and rows. A record set that
// was read and that the writer can write must read back the same.
#include "ReferenceReader.h"
#include "core/RuntimeError.h"
#include "rowset/Rowset.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void mismatch(const char *what, const QString &written)
{
    std::fprintf(stderr, "rowset fuzz target: the written record set reads back with other %s:\n%s\n", what,
                 qPrintable(written));
    std::abort();
}

// The columns as the writer declares them: a column that holds a null is
// written as nullable whatever it was declared.
QList<FieldInfo> writtenFields(const RecordSet &records)
{
    QList<FieldInfo> fields = records.fields();
    for (const RecordSet::Row &row : records.rows()) {
        for (qsizetype i = 0; i < fields.size(); ++i)
            fields[i].nullable = fields[i].nullable || row.at(i).isNull();
    }
    return fields;
}

void checkRoundTrip(const RecordSet &records)
{
    QString written;
    try {
        written = rowset::write(records);
    } catch (const rt::RuntimeError &) {
        return; // a value the format cannot carry, such as a control character read raw
    }
    const RecordSet back = rowset::read(written); // may not fail: any error escapes as a finding
    if (back.fields() != writtenFields(records))
        mismatch("columns", written);
    if (back.rows() != records.rows())
        mismatch("rows", written);
}

// What one reader made of the bytes: a record set, or the error it raised.
struct Outcome
{
    RecordSet records;
    std::optional<rt::RuntimeError> error;
};

Outcome outcomeOf(RecordSet (*read)(const QByteArray &), const QByteArray &bytes)
{
    Outcome outcome;
    try {
        outcome.records = read(bytes);
    } catch (const rt::RuntimeError &error) {
        outcome.error = error;
    }
    return outcome;
}

[[noreturn]] void disagree(const char *what, const QString &reader, const QString &reference)
{
    std::fprintf(stderr, "rowset fuzz target: the reader and the reference give other %s:\n  reader:    %s\n"
                 "  reference: %s\n", what, qPrintable(reader), qPrintable(reference));
    std::abort();
}

QString errorText(const std::optional<rt::RuntimeError> &error)
{
    return error ? QStringLiteral("error %1: %2").arg(error->number()).arg(error->description())
                 : QStringLiteral("a record set");
}

QString rowsText(const RecordSet &records)
{
    QStringList rows;
    for (const RecordSet::Row &row : records.rows()) {
        QStringList values;
        for (const Variant &value : row)
            values << (value.isNull() ? QStringLiteral("null") : value.toText());
        rows << values.join(u',');
    }
    return rows.join(u'|');
}

void compare(const Outcome &reader, const Outcome &reference)
{
    if (reader.error.has_value() != reference.error.has_value() || (reader.error && reference.error
            && (reader.error->number() != reference.error->number()
                || reader.error->description() != reference.error->description())))
        disagree("outcomes", errorText(reader.error), errorText(reference.error));
    if (reader.error)
        return;
    if (reader.records.fields() != reference.records.fields())
        disagree("columns", QString::number(reader.records.fields().size()),
                 QString::number(reference.records.fields().size()));
    if (reader.records.rows() != reference.records.rows())
        disagree("rows", rowsText(reader.records), rowsText(reference.records));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const Outcome reader = outcomeOf(rowset::readBytes, bytes);
    compare(reader, outcomeOf(rowset::reference::readBytes, bytes));
    if (!reader.error)
        checkRoundTrip(reader.records);
    return 0;
}

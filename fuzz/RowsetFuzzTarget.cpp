// The rowset reader under a fuzzer. Whatever the bytes, reading them either
// gives a record set or raises the reader's run-time error; nothing else may
// come out (another exception, a crash or a sanitizer's report). A record set
// that was read and that the writer can write must read back the same.
#include "core/RuntimeError.h"
#include "rowset/Rowset.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    RecordSet records;
    try {
        records = rowset::readBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const rt::RuntimeError &) {
        return 0;
    }
    checkRoundTrip(records);
    return 0;
}

// Speed of the rowset XML reader on partition answers of 1, 1,000 and 32,767
// rows: rowset::read from text and rowset::readBytes from UTF-8, beside a
// plain pugixml DOM load copied into a record set as the yardstick, and the
// writer. Prints the median of several runs in MB/s of UTF-8 text.
#include "rowset/Rowset.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <pugixml.hpp>
#include <vector>

namespace {

FieldInfo column(const char *name, const char *type, qint32 maxLength = -1)
{
    return FieldInfo{QString::fromLatin1(name), QString::fromLatin1(type), true, maxLength};
}

// Columns like a partition settings answer, about 200 bytes a row.
RecordSet partitions(int count)
{
    RecordSet records({column("Config_ID", "i2", 2), column("PartitionID", "i2", 2), column("Name", "string", 50),
                       column("AccessCode", "string", 10), column("TimeLimit", "i4", 4), column("IdleLimit", "i4", 4),
                       column("Command", "string", 20), column("MessageNo", "string", 10),
                       column("Description", "string", 100), column("MaxNodes", "i4", 4)});
    records.reserveRows(count);
    for (int i = 0; i < count; ++i) {
        records.addRow({Variant::integer(1), Variant::integer(i), Variant::text(QStringLiteral("Caf\u00e9 & Cr\u00e8me %1").arg(i)),
                        Variant::text(QStringLiteral("%1").arg(1000 + i % 9000)), Variant::integer(125 + i),
                        Variant::integer(i % 7 == 0 ? 0 : 300), Variant::text(i % 2 ? QStringLiteral("PLAY") : QStringLiteral("STOP")),
                        Variant::text(QString::number(i % 12)),
                        Variant::text(QStringLiteral("Partition %1 of the Gen\u00e8ve site, floor %2").arg(i).arg(i % 9)),
                        Variant::integer(i % 250)});
    }
    return records;
}

// A plain DOM load of the text, every attribute copied into a text field.
RecordSet domBaseline(const QByteArray &utf8, qsizetype columns)
{
    pugi::xml_document document;
    document.load_buffer(utf8.constData(), size_t(utf8.size()));
    QList<FieldInfo> fields(columns);
    RecordSet records(fields);
    const pugi::xml_node data = document.document_element().child("rs:data");
    for (pugi::xml_node row = data.first_child(); row; row = row.next_sibling()) {
        RecordSet::Row values(columns);
        qsizetype i = 0;
        for (pugi::xml_attribute a = row.first_attribute(); a && i < columns; a = a.next_attribute())
            values[i++] = Variant::text(QString::fromUtf8(a.value()));
        records.addRow(std::move(values));
    }
    return records;
}

// Median time of one call, in seconds; each sample repeats the call enough
// times to last a few milliseconds.
double medianSeconds(const std::function<void()> &call, int samples)
{
    QElapsedTimer timer;
    timer.start();
    call();
    const qint64 once = std::max<qint64>(timer.nsecsElapsed(), 1);
    const int repeats = int(std::clamp<qint64>(5'000'000 / once, 1, 100'000));
    std::vector<double> times;
    for (int s = 0; s < samples; ++s) {
        timer.restart();
        for (int r = 0; r < repeats; ++r)
            call();
        times.push_back(double(timer.nsecsElapsed()) / 1e9 / repeats);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    QTextStream out(stdout);
    out << "rows      bytes      read(text) MB/s  readBytes MB/s  DOM baseline MB/s  write MB/s\n";
    for (const int count : {1, 1000, 32767}) {
        const RecordSet records = partitions(count);
        const QString text = rowset::write(records);
        const QByteArray utf8 = text.toUtf8();
        const double megabytes = double(utf8.size()) / 1e6;
        const int samples = 15;
        qint32 seen = 0;
        const double read = medianSeconds([&] { seen += rowset::read(text).RecordCount(); }, samples);
        const double readBytes = medianSeconds([&] { seen += rowset::readBytes(utf8).RecordCount(); }, samples);
        const double dom = medianSeconds([&] { seen += domBaseline(utf8, 10).RecordCount(); }, samples);
        const double write = medianSeconds([&] { seen += qint32(rowset::write(records).size() > 0); }, samples);
        out << qSetFieldWidth(8) << count << qSetFieldWidth(11) << utf8.size() << qSetFieldWidth(17)
            << QString::number(megabytes / read, 'f', 1) << qSetFieldWidth(16)
            << QString::number(megabytes / readBytes, 'f', 1) << qSetFieldWidth(19)
            << QString::number(megabytes / dom, 'f', 1) << qSetFieldWidth(12)
            << QString::number(megabytes / write, 'f', 1) << qSetFieldWidth(0) << "\n";
        out.flush();
        if (seen == 0)
            return 1; // keeps the calls from being optimised away
    }
    return 0;
}

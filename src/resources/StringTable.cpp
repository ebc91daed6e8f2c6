// The compiled-in string table. Ids that are not listed do not exist.
#include "resources/StringTable.h"

#include <QHash>

namespace resources {
namespace {

const QHash<qint32, QString> &table()
{
    static const QHash<qint32, QString> entries = {
        {0, "English"},
        {1, "Partition Settings"},
        {2, "2760"},
        {3, "1335"},
        {4, "Remote Language"},
        {5, "240"},
        {6, "1575"},
        {7, "Total Rec.Time (MM:SS)"},
        {8, "240"},
        {9, "1875"},
        {10, "No MSG Recorded"},
        {11, "240"},
        {12, "1575"},
        {13, "Selection Limit"},
        {14, "240"},
        {15, "1215"},
        {16, "Time limit (MM:SS)"},
        {17, "240"},
        {18, "1320"},
        {19, "Command"},
        {20, "240"},
        {21, "975"},
        {22, "Max Number of each Node"},
        {23, "4080"},
        {24, "3135"},
        {25, "Access Code"},
        {26, "Partition Name"},
        {27, "Access Denied"},
        {28, "Partition"},
        {29, "Partition Name"},
        {30, "Partition Number"},
        {31, "New"},
        {32, "Select"},
        {33, "Remove"},
        {34, "General Failure"},
        {35, "Internal Error"},
        {36, "Inactive Business Rules"},
        {60, "735"},
        {61, "1920"},
        {62, "1695"},
        {65, "Default"},
        {66, "6360"},
        {67, "855"},
        {68, "Remove"},
        {69, "3000"},
        {70, "855"},
        {74, "New"},
        {75, "1560"},
        {76, "855"},
        {77, "NOOP"},
        {78, "PLAY"},
        {79, "ENGLISH"},
        {80, "SPANISH"},
        {81, "FRENCH"},
        {82, "GERMAN"},
        {83, "IGNORE"},
        {84, "DISCONNECT"},
        {86, "Default Partition Settings"},
        {87, "PORTUGUESE"},

        {100, "French"},
        {101, "F:Partition Setting"},
        {102, "2760"},
        {103, "1335"},
        {104, "F:Remote Language"},
        {105, "240"},
        {106, "1575"},
        {107, "F:Total Rec.Time (sec)"},
        {108, "240"},
        {109, "1875"},
        {110, "F:No MSG Recorded"},
        {111, "240"},
        {112, "1575"},
        {113, "F:Selection Limit"},
        {114, "240"},
        {115, "1215"},
        {116, "F:Time limit (sec)"},
        {117, "240"},
        {118, "1320"},
        {119, "F:Command"},
        {120, "240"},
        {121, "975"},
        {122, "F:Max Number of each Node"},
        {123, "4080"},
        {124, "3135"},
        {125, "F:Access Code"},
        {126, "F:Partition Name"},
        {127, "F:Access Denied"},
        {128, "F:Partition"},
        {129, "F:PartitionName"},
        {130, "F:Partition ID"},
        {131, "F:&New Partition"},
        {132, "F:&Select Partition"},
        {133, "F:&Remove Partition"},
        {134, "F:General Failure"},
        {135, "F:Internal Error"},
        {136, "F:Inactive Business Rules"},
        {161, "2040"},
        {162, "1695"},
        {165, "F:Default Partition"},
        {166, "120"},
        {167, "1215"},
        {168, "F:Remove Partition"},
        {169, "4080"},
        {170, "1215"},
        {174, "F:New Partition"},
        {175, "2760"},
        {176, "1215"},
        {177, "F:NOOP"},
        {178, "F:PLAY"},
        {179, "F:ENGLISH"},
        {180, "F:SPANISH"},
        {181, "F:FRENCH"},
        {182, "F:GERMAN"},
        {183, "F:IGNORE"},
        {184, "F:DISCONNECT"},
        {186, "F:Default Partition Settings"},
        {187, "F:PORTUGUESE"},
    };
    return entries;
}

const StringTable *&active()
{
    static const BuiltInStringTable builtIn;
    static const StringTable *current = &builtIn;
    return current;
}

} // namespace

std::optional<QString> BuiltInStringTable::load(qint32 id) const
{
    const auto found = table().constFind(id);
    if (found == table().constEnd())
        return std::nullopt;
    return *found;
}

const StringTable &strings() { return *active(); }

ScopedStringTable::ScopedStringTable(const StringTable &replacement) : m_previous(active()) { active() = &replacement; }

ScopedStringTable::~ScopedStringTable() { active() = m_previous; }

} // namespace resources

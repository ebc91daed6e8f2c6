// Column layouts of the reference components' answers. Each layout lists its
// columns in position order, which the compiler checks.
#include "server/AnswerLayouts.h"

#include "components/AnswerColumns.h"

#include <array>

namespace server::layouts {

namespace {

struct TypedColumn
{
    AnswerColumn column;
    const char *type;
    bool nullable = false;
};

constexpr TypedColumn i2(AnswerColumn column) { return {column, "i2"}; }
constexpr TypedColumn i4(AnswerColumn column) { return {column, "i4"}; }
constexpr TypedColumn text(AnswerColumn column) { return {column, "string"}; }
constexpr TypedColumn nullable(TypedColumn column)
{
    column.nullable = true;
    return column;
}

template <std::size_t N> constexpr bool inPositionOrder(const std::array<TypedColumn, N> &layout)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (layout[i].column.position != int(i))
            return false;
    }
    return true;
}

template <std::size_t N> QList<FieldInfo> fields(const std::array<TypedColumn, N> &layout)
{
    QList<FieldInfo> result;
    result.reserve(qsizetype(N));
    for (const TypedColumn &typed : layout)
        result.append({QString(typed.column.name), QString::fromLatin1(typed.type), typed.nullable});
    return result;
}

namespace s = columns::settings;
namespace l = columns::partitionList;
namespace c = columns::configuration;
namespace t = columns::nodeTypes;
namespace m = columns::nodeMaxima;
namespace w = columns::wholeNodeMaxima;

// MSGNo is null for a partition saved without a message number.
constexpr std::array kPartitionSettings{i2(s::Config_ID),
                                        i2(s::PartitionID),
                                        text(s::Name),
                                        text(s::PartitionAccessCode),
                                        text(s::REMLanguage),
                                        text(s::SelectLimit),
                                        i4(s::TimeLimit),
                                        text(s::Command),
                                        text(s::NoMSGRecorded),
                                        i4(s::TotalRecTime),
                                        i4(s::TotalTimeOfMessagesRecorded),
                                        i4(s::TimeLeft),
                                        nullable(i2(s::MSGNo))};
constexpr std::array kPartitionList{i2(l::Config_ID), i2(l::PartitionID), text(l::Name)};
constexpr std::array kConfiguration{text(c::Config_Name), i2(c::Config_ID),     text(c::Site_Name),
                                    i4(c::Site_ID),       text(c::System_Name), i4(c::System_ID)};
constexpr std::array kNodeTypes{i2(t::ID), text(t::Name), text(t::Name_French)};
constexpr std::array kNodeMaxima{i2(m::Config_ID), i2(m::PartitionID), i2(m::NodeType_ID), i2(m::Max_Number)};
constexpr std::array kWholeNodeMaxima{i2(w::PartitionID), i2(w::NodeType_ID), i2(w::Max_Number)};

static_assert(inPositionOrder(kPartitionSettings) && inPositionOrder(kPartitionList) && inPositionOrder(kConfiguration)
              && inPositionOrder(kNodeTypes) && inPositionOrder(kNodeMaxima) && inPositionOrder(kWholeNodeMaxima));

} // namespace

QList<FieldInfo> partitionSettings() { return fields(kPartitionSettings); }
QList<FieldInfo> partitionList() { return fields(kPartitionList); }
QList<FieldInfo> configuration() { return fields(kConfiguration); }
QList<FieldInfo> nodeTypes() { return fields(kNodeTypes); }
QList<FieldInfo> nodeMaxima() { return fields(kNodeMaxima); }
QList<FieldInfo> wholeNodeMaxima() { return fields(kWholeNodeMaxima); }

} // namespace server::layouts

// The node maxima a partition starts with when none are stored: every node
// type of the list below 813 except node type 10 gets one, 9 for node type 5,
// 99 for node types 14 to 16 and 999 for every other type.
#pragma once

#include <QtGlobal>

namespace nodeTypeDefaults {

// Node types from this id up are listed but never take part in the grid.
inline constexpr qint16 FirstUnlisted = 813;

constexpr bool hasDefaultMaximum(qint16 nodeType) { return nodeType < FirstUnlisted && nodeType != 10; }

constexpr qint16 defaultMaximum(qint16 nodeType)
{
    if (nodeType == 5)
        return 9;
    if (nodeType == 14 || nodeType == 15 || nodeType == 16)
        return 99;
    return 999;
}

} // namespace nodeTypeDefaults

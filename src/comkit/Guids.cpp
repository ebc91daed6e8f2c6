// GUID and QUuid hold the same fields in the same order.
#include "comkit/Guids.h"

namespace com {

QUuid toUuid(const GUID &id)
{
    return QUuid(id.Data1, id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4],
                 id.Data4[5], id.Data4[6], id.Data4[7]);
}

GUID toGuid(const QUuid &id)
{
    GUID guid{};
    guid.Data1 = id.data1;
    guid.Data2 = id.data2;
    guid.Data3 = id.data3;
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = id.data4[i];
    return guid;
}

} // namespace com

// The table of the library's classes.
#include "servercom/ServerClasses.h"

#include "comkit/Guids.h"
#include "comkit/ServerState.h"
#include "servercom/ServerObjects.h"

#include <array>

namespace servercom {
namespace {

const std::array<ServerClass, 10> kClasses{{
    {&CLSID_QRVdb_CONFIG, "CONFIG", QRV_PROGID_CONFIG, createConfigReader},
    {&CLSID_QRVdb_SR, "SR", QRV_PROGID_SR, createNodeTypeList},
    {&CLSID_QRVins_INSCONFIG, "INSCONFIG", QRV_PROGID_INSCONFIG, createPartitionInserter},
    {&CLSID_QRVins_INSNODES, "INSNODES", QRV_PROGID_INSNODES, createNodeMaxInserter},
    {&CLSID_QRVud_UDCONFIG, "UDCONFIG", QRV_PROGID_UDCONFIG, createPartitionUpdater},
    {&CLSID_QRVud_UDNODES, "UDNODES", QRV_PROGID_UDNODES, createNodeMaxUpdater},
    {&CLSID_VEL_MsgBox_Busyness_Rules, "Busyness_Rules", QRV_PROGID_MSGBOX, createMessageBox},
    {&CLSID_QRV_NodeTypeMaxReader, "NodeTypeMaxReader", nullptr, createNodeMaxReader},
    {&CLSID_QRV_NameValidator, "NameValidator", nullptr, createNameValidator},
    {&CLSID_QRV_UnitOfWork, "UnitOfWork", QRV_PROGID_UNITOFWORK, createUnitOfWork},
}};

} // namespace

com::RegisteredClass ServerClass::registered() const
{
    return {com::toUuid(*classId), QString::fromLatin1(name), progId ? QString::fromLatin1(progId) : QString()};
}

std::span<const ServerClass> serverClasses() { return kClasses; }

const ServerClass *findServerClass(REFCLSID classId)
{
    for (const ServerClass &each : kClasses)
        if (com::sameGuid(*each.classId, classId))
            return &each;
    return nullptr;
}

} // namespace servercom

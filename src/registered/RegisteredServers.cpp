// Asking the runtime for the classes and objects of registered servers.
#include "registered/RegisteredServers.h"

#include "comkit/ErrorObject.h"
#include "comkit/Guids.h"
#include "core/RuntimeError.h"

namespace registered {
namespace {

QString answerText(HRESULT answer) { return QStringLiteral("0x%1").arg(quint32(answer), 8, 16, QLatin1Char('0')); }

// Why the runtime or the class's factory gave no object.
QString reasonFor(HRESULT answer, const QString &shownName)
{
    switch (answer) {
    case CO_E_DLLNOTFOUND: return QStringLiteral("its registered library cannot be loaded");
    case CO_E_ERRORINDLL: return QStringLiteral("its registered library has no DllGetClassObject");
    default: break;
    }
    const QString reason = com::errorFor(answer, shownName).description();
    return VEL_RUNTIME_NUMBER(answer) >= 0 ? reason : reason + QStringLiteral(" (") + answerText(answer) + ")";
}

} // namespace

std::optional<QUuid> classOfProgId(const QString &progId)
{
    CLSID classId{};
    if (FAILED(CLSIDFromProgID(reinterpret_cast<const OLECHAR *>(progId.utf16()), &classId)))
        return std::nullopt;
    return com::toUuid(classId);
}

void *createRegistered(const QUuid &classId, const GUID &interfaceId, const QString &shownName)
{
    void *object = nullptr;
    const HRESULT made = CoCreateInstance(com::toGuid(classId), nullptr, CLSCTX_INPROC_SERVER, interfaceId, &object);
    if (made == REGDB_E_CLASSNOTREG)
        return nullptr;
    if (FAILED(made) || !object)
        throw rt::RuntimeError::own(rt::CannotCreateObject, rt::standardDescription(rt::CannotCreateObject)
                                                                + QStringLiteral(" (") + shownName
                                                                + QStringLiteral("): ") + reasonFor(made, shownName));
    return object;
}

} // namespace registered

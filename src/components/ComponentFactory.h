// Creates outside components by programmatic identifier or by class id.
// Whoever provides an implementation in the process registers a creator; for
// a name without one the factory asks its fallback, which finds the
// component elsewhere (through the registry, for the component library).
// The rules object asks for a component and binds it to the interface it
// expects.
#pragma once

#include "components/Component.h"
#include "components/UnitOfWork.h"

#include <QHash>
#include <QString>
#include <QUuid>
#include <functional>
#include <memory>

class ComponentFactory
{
public:
    using Creator = std::function<std::unique_ptr<Component>()>;
    // Given a ProgID or a class id in braces, the component, or nothing when
    // the fallback does not know the name; it throws a run-time error when it
    // knows it but cannot make the component.
    using Fallback = std::function<std::unique_ptr<Component>(const QString &name)>;
    // The ProgID under which a fallback offers the units of work.
    static constexpr const char *UnitOfWorkProgID = "QRVdb.UnitOfWork";

    // The process-wide registry that a host fills and the rules object uses by default.
    static ComponentFactory &global();

    void registerProgId(const QString &progId, Creator creator);
    void registerClassId(const QUuid &classId, Creator creator);
    void unregisterProgId(const QString &progId);
    void unregisterClassId(const QUuid &classId);
    // The session and units of work of the components registered here; a
    // factory may offer none.
    void registerUnitOfWork(Creator creator);
    void unregisterUnitOfWork();
    void setFallback(Fallback fallback);
    // Everything registered goes; the fallback stays.
    void clear();

    // Error 429 when nothing is registered or the creator gives nothing;
    // error 13 when the object does not have the interface asked for.
    template <typename Interface> std::unique_ptr<Interface> createByProgId(const QString &progId) const
    {
        return bind<Interface>(create(m_byProgId, progId.toLower(), progId));
    }
    template <typename Interface> std::unique_ptr<Interface> createByClassId(const QUuid &classId) const
    {
        return bind<Interface>(create(m_byClassId, classId.toString(), classId.toString()));
    }

    // Nothing when the factory offers no units of work; error 13 when the
    // object offered is not one.
    std::unique_ptr<UnitOfWork> createUnitOfWork() const
    {
        std::unique_ptr<Component> object = m_unitOfWork ? m_unitOfWork()
                                            : m_fallback ? m_fallback(QString::fromLatin1(UnitOfWorkProgID))
                                                         : nullptr;
        return object ? bind<UnitOfWork>(std::move(object)) : nullptr;
    }

private:
    std::unique_ptr<Component> create(const QHash<QString, Creator> &creators, const QString &key,
                                      const QString &shownName) const;
    static void throwTypeMismatch();

    template <typename Interface> static std::unique_ptr<Interface> bind(std::unique_ptr<Component> object)
    {
        auto *typed = dynamic_cast<Interface *>(object.get());
        if (!typed)
            throwTypeMismatch();
        object.release();
        return std::unique_ptr<Interface>(typed);
    }

    QHash<QString, Creator> m_byProgId; // keys in lower case: ProgIDs ignore case
    QHash<QString, Creator> m_byClassId;
    Creator m_unitOfWork;
    Fallback m_fallback;
};

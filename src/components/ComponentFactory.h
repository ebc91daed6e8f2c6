// Creates outside components by programmatic identifier or by class id, as
// the platform's component hosting did. Whoever provides an implementation
// registers a creator; the rules object asks for a component and binds it to
// the interface it expects.
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
        std::unique_ptr<Component> object = m_unitOfWork ? m_unitOfWork() : nullptr;
        return object ? bind<UnitOfWork>(std::move(object)) : nullptr;
    }

private:
    static std::unique_ptr<Component> create(const QHash<QString, Creator> &creators, const QString &key,
                                             const QString &shownName);
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
};

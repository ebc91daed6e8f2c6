// Registry of component creators.
#include "components/ComponentFactory.h"

#include "core/RuntimeError.h"

ComponentFactory &ComponentFactory::global()
{
    static ComponentFactory instance;
    return instance;
}

void ComponentFactory::registerProgId(const QString &progId, Creator creator)
{
    m_byProgId.insert(progId.toLower(), std::move(creator));
}

void ComponentFactory::registerClassId(const QUuid &classId, Creator creator)
{
    m_byClassId.insert(classId.toString(), std::move(creator));
}

void ComponentFactory::unregisterProgId(const QString &progId) { m_byProgId.remove(progId.toLower()); }
void ComponentFactory::unregisterClassId(const QUuid &classId) { m_byClassId.remove(classId.toString()); }

void ComponentFactory::registerUnitOfWork(Creator creator) { m_unitOfWork = std::move(creator); }
void ComponentFactory::unregisterUnitOfWork() { m_unitOfWork = nullptr; }

void ComponentFactory::setFallback(Fallback fallback) { m_fallback = std::move(fallback); }

void ComponentFactory::clear()
{
    m_byProgId.clear();
    m_byClassId.clear();
    m_unitOfWork = nullptr;
}

std::unique_ptr<Component> ComponentFactory::create(const QHash<QString, Creator> &creators, const QString &key,
                                                    const QString &shownName) const
{
    const auto found = creators.constFind(key);
    std::unique_ptr<Component> object = found != creators.constEnd() ? (*found)()
                                         : m_fallback                ? m_fallback(shownName)
                                                                     : nullptr;
    if (!object)
        throw rt::RuntimeError::own(rt::CannotCreateObject, rt::standardDescription(rt::CannotCreateObject)
                                                                + QStringLiteral(" (") + shownName
                                                                + QStringLiteral(")"));
    return object;
}

void ComponentFactory::throwTypeMismatch() { throw rt::RuntimeError::standard(rt::TypeMismatch); }

// The reference components' session and units of work over the store.
#include "server/StoreUnitOfWork.h"

#include "server/ServerErrors.h"

namespace server {

namespace {

// The store's own calls in the session, its failures as run-time errors.
template <typename Work> void inSession(ReferenceStore &store, StoreSession &session, const char *what, Work work)
{
    store.enter(session);
    try {
        asComponent(QString::fromLatin1(UnitOfWork::Source), QLatin1String(what), work);
    } catch (...) {
        store.leave(session);
        throw;
    }
    store.leave(session);
}

} // namespace

StoreUnitOfWork::~StoreUnitOfWork() { rollback(); }

void StoreUnitOfWork::enter() { m_store->enter(m_session); }

void StoreUnitOfWork::leave() noexcept { m_store->leave(m_session); }

void StoreUnitOfWork::begin(Refusal refusal)
{
    inSession(*m_store, m_session, "begin", [&] { m_store->beginUnit(refusal == Refusal::EndsUnit); });
    m_open = true;
}

void StoreUnitOfWork::commit()
{
    m_open = false; // a commit that fails has rolled the unit back
    inSession(*m_store, m_session, "commit", [&] { m_store->commitUnit(); });
}

void StoreUnitOfWork::rollback() noexcept
{
    if (!m_open)
        return;
    m_open = false;
    m_store->enter(m_session);
    m_store->rollbackUnit();
    m_store->leave(m_session);
}

void StoreUnitOfWork::note(const QString &words)
{
    inSession(*m_store, m_session, "note", [&] { m_store->noteUnit(words); });
}

} // namespace server

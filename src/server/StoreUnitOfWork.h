// The reference components' session and units of work: one StoreSession of
// its own per object, entered on the shared store; a unit is the store's.
#pragma once

#include "components/UnitOfWork.h"
#include "server/ReferenceStore.h"

#include <memory>

namespace server {

class StoreUnitOfWork : public UnitOfWork
{
public:
    explicit StoreUnitOfWork(std::shared_ptr<ReferenceStore> store) : m_store(std::move(store)) {}
    ~StoreUnitOfWork() override; // rolls back a unit left open

    void enter() override;
    void leave() noexcept override;
    void begin(Refusal refusal) override;
    void commit() override;
    void rollback() noexcept override;
    void note(const QString &words) override;

private:
    std::shared_ptr<ReferenceStore> m_store;
    StoreSession m_session;
    bool m_open = false; // this session's unit is open
};

} // namespace server

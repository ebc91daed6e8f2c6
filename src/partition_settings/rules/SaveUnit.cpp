// The rules object's session and saves: its calls to the server components
// are made in a session of its own, and the writes of one save (an Apply, a
// new partition with its node maxima, an update a host asks for) are one unit
// of work, durable together or not at all.
#include "partition_settings/rules/Busyness_Rules.h"

Busyness_Rules::InSession::InSession(Busyness_Rules &rules) : m_unitOfWork(rules.m_unitOfWork.get())
{
    if (m_unitOfWork)
        m_unitOfWork->enter();
}

Busyness_Rules::InSession::~InSession()
{
    if (m_unitOfWork)
        m_unitOfWork->leave();
}

Busyness_Rules::SaveUnit::SaveUnit(Busyness_Rules &rules) : m_rules(rules)
{
    if (m_rules.m_unitOfWork && m_rules.m_saveDepth == 0) {
        const InSession session(m_rules);
        m_rules.m_unitOfWork->begin(UnitOfWork::Refusal::FailsAlone);
        m_open = true;
    }
    ++m_rules.m_saveDepth;
}

Busyness_Rules::SaveUnit::~SaveUnit()
{
    --m_rules.m_saveDepth;
    if (m_open)
        m_rules.m_unitOfWork->rollback();
}

void Busyness_Rules::SaveUnit::commit()
{
    if (!m_open)
        return;
    m_open = false;
    const InSession session(m_rules);
    m_rules.m_unitOfWork->commit();
}

bool Busyness_Rules::inSaveUnit(const QString &procedure, const std::function<void()> &writes)
{
    try {
        const InSession session(*this);
        SaveUnit save(*this);
        bool written = true;
        try {
            writes();
        } catch (...) {
            showOperationFailure(procedure);
            written = false;
        }
        save.commit();
        return written;
    } catch (...) {
        showOperationFailure(procedure);
        return false;
    }
}

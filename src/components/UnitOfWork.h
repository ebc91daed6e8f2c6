// The session and the units of work that a component factory may offer beside
// the server components, as a transaction context would. A rules object that
// gets one works in a session of its own: what its calls to the server
// components note about the partitions they load belongs to that session, not
// to the connection the components share. A unit makes the write components'
// calls between begin() and commit() durable together, or not at all: a call
// that is refused inside a unit fails alone and what was sent before it
// stays (unless the unit was begun to end at the first refusal); a crash, a
// kill or a lost connection before commit() leaves the
// store as it was. Components of a factory that offers none behave as they
// always did: each call is durable on its own.
#pragma once

#include "components/Component.h"

#include <QString>

class UnitOfWork : public Component
{
public:
    // The source of the run-time errors that begin() and commit() raise.
    static constexpr const char *Source = "UnitOfWork";

    // The server component calls between enter() and the matching leave() are
    // made in this session. Entries nest, and another session's may nest
    // inside.
    virtual void enter() = 0;
    virtual void leave() noexcept = 0;

    // How a refused call inside a unit counts. FailsAlone: what was sent
    // before it stays, and the unit goes on. EndsUnit, for writers that give
    // up at the first refusal: the calls run without a savepoint each, so
    // after one that failed in the store every later call and commit() are
    // refused too, and only a rollback ends the unit. (A call the component
    // refuses for a malformed argument, before it reaches the store, fails
    // alone either way.)
    enum class Refusal { FailsAlone, EndsUnit };

    // One unit at a time: begin() while this session's unit is open is an
    // error, as is commit() without one. rollback() drops whatever the open
    // unit sent and does nothing when none is open.
    virtual void begin(Refusal refusal) = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;
    // Words the change history adds to each change of the open unit, such as
    // "copied from partition 3".
    virtual void note(const QString &words) = 0;
};

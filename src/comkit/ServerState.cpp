// The live-object and server-lock counts of the library.
#include "comkit/ServerState.h"

#include <atomic>
#include <cstring>

namespace com {
namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};

} // namespace

void objectCreated() { ++liveObjects; }
void objectDestroyed() { --liveObjects; }

void lockServer(bool lock)
{
    if (lock)
        ++serverLocks;
    else if (serverLocks > 0)
        --serverLocks;
}

bool canUnload() { return liveObjects == 0 && serverLocks == 0; }

bool sameGuid(REFGUID a, REFGUID b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

} // namespace com

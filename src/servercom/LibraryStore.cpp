// Opening the library's store, once for all the objects alive at a time.
#include "servercom/LibraryStore.h"

#include "core/RuntimeError.h"
#include "server/SampleStore.h"

#include <QByteArray>
#include <mutex>

namespace servercom {
namespace {

QString storeLocation()
{
    const QString named = qEnvironmentVariable("QRV_SERVER_STORE");
    return named.isEmpty() ? server::sampleStorePath() : named;
}

} // namespace

std::shared_ptr<server::ReferenceStore> libraryStore()
{
    static std::mutex guard;
    static std::weak_ptr<server::ReferenceStore> shared;
    const std::lock_guard<std::mutex> lock(guard);
    if (auto store = shared.lock())
        return store;
    try {
        auto store = server::ReferenceStore::open(storeLocation());
        shared = store;
        return store;
    } catch (const std::exception &error) {
        throw rt::RuntimeError(rt::CannotCreateObject, QStringLiteral("QRV_SERVER"),
                               QString::fromUtf8(error.what()));
    }
}

} // namespace servercom

// A reference store in a temporary folder with every reference component
// registered in a factory of its own, for the server tests.
#pragma once

#include "TestSupport.h"
#include "components/ComponentFactory.h"
#include "components/ServerComponents.h"
#include "components/SingleUseComponents.h"
#include "core/RuntimeError.h"
#include "server/ReferenceComponents.h"
#include "server/ReferenceStore.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace testing {

struct TempStore
{
    explicit TempStore(server::ReferenceStore::Seeding seeding = server::ReferenceStore::Seeding::SampleConfiguration)
        : store(server::ReferenceStore::openSqlite(path(), seeding))
    {
        server::registerReferenceComponents(factory, store);
    }

    QString path() const { return dir.filePath(QStringLiteral("Database/reference.sqlite")); }

    template <typename Interface> std::unique_ptr<Interface> create(const char *progId) const
    {
        return factory.createByProgId<Interface>(QString::fromLatin1(progId));
    }

    QTemporaryDir dir;
    std::shared_ptr<server::ReferenceStore> store;
    ComponentFactory factory;
};

} // namespace testing

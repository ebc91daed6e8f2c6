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
#include "ui/MessageBoxComponent.h"

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
        ui::registerMessageBoxComponent(factory);
    }

    QString path() const { return dir.filePath(QStringLiteral("Database/reference.sqlite")); }

    // The component of that interface, made through its ProgID.
    template <typename Interface> std::unique_ptr<Interface> create() const
    {
        return factory.createByProgId<Interface>(QString::fromLatin1(Interface::ProgID));
    }
    // The components registered by class id only.
    std::unique_ptr<NodeTypeMaxReader> maximaReader() const
    {
        return factory.createByClassId<NodeTypeMaxReader>(NodeTypeMaxReader::classId());
    }
    std::unique_ptr<NameValidator> validator() const
    {
        return factory.createByClassId<NameValidator>(NameValidator::classId());
    }

    QTemporaryDir dir;
    std::shared_ptr<server::ReferenceStore> store;
    ComponentFactory factory;
};

} // namespace testing

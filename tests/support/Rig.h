// A complete, isolated world for tests of the rules object: a temporary data
// folder holding Velantis/QRVCOM+/ (the common application-data folder points
// into it, the registry file too), a fresh reference store in it, a component
// factory with the reference components, and scripted toolkit services. The
// store may be one the test names instead (a file or a postgresql:// URI). Two
// reads of the configuration component can be intercepted to answer something
// else or to fail.
#pragma once

#include "TestSupport.h"

#include "components/ComponentFactory.h"
#include "server/ReferenceStore.h"

#include <QTemporaryDir>

namespace testing {

// An intercepted read returns its text, throws to fail, or returns a null
// QString to let the store answer.
struct Interceptors
{
    std::function<QString(const QString &config, const QString &partition)> partitionSettings;
    std::function<QString(const QString &config)> partitions;
};

class Rig
{
    QTemporaryDir m_dir; // first, so that it outlives the store in it

public:
    explicit Rig(server::ReferenceStore::Seeding seeding = server::ReferenceStore::Seeding::SampleConfiguration,
                 const QString &storeLocation = QString());
    ~Rig(); // unsets the environment it set

    QString userLogPath() const { return m_dir.path() + QStringLiteral("/Velantis/QRVCOM+/User_Log.txt"); }

    std::shared_ptr<server::ReferenceStore> store;
    ComponentFactory factory;
    Interceptors intercept;
    ScriptedUi ui;
};

} // namespace testing

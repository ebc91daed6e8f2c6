// A complete, isolated world for tests of the rules object: a temporary data
// folder (the common application-data folder points into it, the registry
// file too), a fresh reference store in it, a component factory with the
// reference components, and scripted toolkit services. Reads of the
// configuration and node type components can be intercepted to answer
// something else or to fail.
#pragma once

#include "TestSupport.h"

#include "components/ComponentFactory.h"
#include "server/ReferenceStore.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

namespace testing {

// An answer for an intercepted read: return the text, throw to fail, or
// return a null QString to let the store answer.
using Answer0 = std::function<QString()>;
using Answer1 = std::function<QString(const QString &)>;
using Answer2 = std::function<QString(const QString &, const QString &)>;

struct Interceptors
{
    Answer2 partitionSettings;
    Answer0 configuration;
    Answer1 partitions;
    Answer0 nodeTypes;
    Answer2 nodeMaxima;
};

class Rig
{
    QTemporaryDir m_dir; // first, so that it outlives the store in it

public:
    enum class DataFolder { Present, Missing };

    explicit Rig(DataFolder dataFolder = DataFolder::Present,
                 server::ReferenceStore::Seeding seeding = server::ReferenceStore::Seeding::SampleConfiguration);
    ~Rig();
    Rig(const Rig &) = delete;
    Rig &operator=(const Rig &) = delete;

    // Leaves a component out of the factory (a ProgID, "NodeTypeMaxReader" or "NameValidator").
    void withoutComponent(const QString &name);

    QString userLogPath() const;
    QStringList userLogLines() const;

    std::shared_ptr<server::ReferenceStore> store;
    ComponentFactory factory;
    Interceptors intercept;
    ScriptedUi ui;

private:
    void registerComponents(const QStringList &except);

    QStringList m_missing;
    std::optional<QByteArray> m_savedAppData;
    std::optional<QByteArray> m_savedRegistry;
};

// A rowset answer with no schema and broken markup.
QString malformedAnswer();

} // namespace testing

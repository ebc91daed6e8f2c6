// A host without a Qt application of its own, which tst_inproc runs as a
// separate process. It loads the component library and makes three rounds of
// create, Shown (silent, on a store of its own) and Release, then unloads the
// library once it may, loads it again and makes one more round. It prints
// one line for each round: "<Shown's answer> <result's type>:<its Boolean> <ErrCode> <ErrLocation>
// <ErrDescription>", or the failing answer in hex when there was no object;
// and "may unload" or "alive" before the unloading.
#include "LoadedLibrary.h"
#include "Rig.h"
#include "StoreHooks.h"

#include "server/ReferenceComponents.h"
#include "ui/MessageBoxComponent.h"

#include <cstdio>

namespace {

// Create, Shown and Release: a line as LoadedLibrary::shown() writes it, or
// the failing answer in hex when there was no object.
QString round(const testing::LoadedLibrary &library)
{
    HRESULT answer = S_OK;
    _Busyness_Rules *rules = library.create(&answer);
    if (!rules)
        return QString::number(quint32(answer), 16);
    const QString line = library.shown(rules, 4, 1);
    rules->Release();
    return line;
}

void printLine(const QString &line) { std::printf("%s\n", qPrintable(line)); }

} // namespace

int main()
{
    testing::LoadedLibrary library;
    if (!library.load()) {
        std::fprintf(stderr, "inproc_host: %s cannot be loaded\n", VEL_PART_SET_LIBRARY);
        return 2;
    }
    // Configuration 4 with partitions 0 to 2, the reference components in the
    // process's factory, and boxes and dialogs that close at once.
    testing::Rig rig(server::ReferenceStore::Seeding::SchemaOnly);
    testing::seedPartitions(*rig.store, 4, 3);
    server::registerReferenceComponents(ComponentFactory::global(), rig.store);
    ui::registerMessageBoxComponent(ComponentFactory::global());
    for (int each = 0; each < 3; ++each)
        printLine(round(library));
    printLine(library.canUnloadNow() == S_OK ? QStringLiteral("may unload") : QStringLiteral("alive"));
    if (library.library.unload() && library.library.load() && library.load())
        printLine(round(library));
    ComponentFactory::global().clear();
    return 0;
}

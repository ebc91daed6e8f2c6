// A host without a Qt application of its own, which tst_inproc runs as a
// separate process. It loads the component library and makes three rounds of
// create, Shown (silent, on a store of its own) and Release, then unloads the
// library once it may, loads it again and makes one more round. It prints
// one line for each round: "<Shown's answer> <result> <ErrCode>
// <ErrDescription>", or CreateInstance's answer in hex when there was no
// object; and "may unload" or "alive" before the unloading.
#include "Rig.h"
#include "StoreHooks.h"

#include "inproc/VEL_PART_SET.h"
#include "server/ReferenceComponents.h"
#include "ui/MessageBoxComponent.h"

#include <QLibrary>
#include <cstdio>

namespace {

struct Library
{
    QLibrary library{QStringLiteral(VEL_PART_SET_LIBRARY)};
    VEL_DllGetClassObject getClassObject = nullptr;
    VEL_DllEntry canUnloadNow = nullptr;
    BSTR (*allocString)(const OLECHAR *, UINT) = nullptr;
    void (*freeString)(BSTR) = nullptr;

    bool load()
    {
        getClassObject = reinterpret_cast<VEL_DllGetClassObject>(library.resolve("DllGetClassObject"));
        canUnloadNow = reinterpret_cast<VEL_DllEntry>(library.resolve("DllCanUnloadNow"));
        allocString = reinterpret_cast<BSTR (*)(const OLECHAR *, UINT)>(library.resolve("SysAllocStringLen"));
        freeString = reinterpret_cast<void (*)(BSTR)>(library.resolve("SysFreeString"));
        return getClassObject && canUnloadNow && allocString && freeString;
    }

    QString round() const
    {
        IClassFactory *factory = nullptr;
        _Busyness_Rules *rules = nullptr;
        HRESULT answer = getClassObject(CLSID_Busyness_Rules, IID_IClassFactory, reinterpret_cast<void **>(&factory));
        if (answer == S_OK) {
            answer = factory->CreateInstance(nullptr, IID__Busyness_Rules, reinterpret_cast<void **>(&rules));
            factory->Release();
        }
        if (answer != S_OK)
            return QString::number(quint32(answer), 16);
        BSTR text = allocString(nullptr, 0);
        VARIANT_BOOL result = VARIANT_FALSE;
        answer = rules->Shown(4, 1, text, 1, VARIANT_TRUE, VARIANT_TRUE, &result);
        freeString(text);
        LONG code = -1;
        rules->get_ErrCode(&code);
        rules->get_ErrDescription(&text);
        const QString description = QString::fromUtf16(reinterpret_cast<const char16_t *>(text), SysStringLen(text));
        freeString(text);
        rules->Release();
        return QStringLiteral("%1 %2 %3 %4").arg(answer).arg(result).arg(code).arg(description);
    }
};

void printLine(const QString &line) { std::printf("%s\n", qPrintable(line)); }

} // namespace

int main()
{
    Library library;
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
        printLine(library.round());
    printLine(library.canUnloadNow() == S_OK ? QStringLiteral("may unload") : QStringLiteral("alive"));
    if (library.library.unload() && library.library.load() && library.load())
        printLine(library.round());
    ComponentFactory::global().clear();
    return 0;
}

/* A host in C that uses nothing of the component but its installed header.
 * It loads the library named on its command line (or the one its build
 * found), registers it (DllRegisterServer), takes the class factory of
 * Busyness_Rules and holds a server lock on it. It prints "registered",
 * then "factory <DllCanUnloadNow while locked> <after unlocking>" (1 =
 * S_FALSE, 0 = S_OK) and exits 0 when every call answered as it should.
 * It creates no object: its process has no server components, so the
 * object's start would stop at its first component with a message box. */
#include <VEL_PART_SET.h>

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

/* dlsym gives an object pointer; ISO C converts it to a function pointer
 * only through its bytes. Returns 0 when the library lacks the name. */
static int resolve(void *library, const char *name, void *function, size_t size)
{
    void *address = dlsym(library, name);
    memcpy(function, &address, size);
    return address != NULL;
}

int main(int argc, char **argv)
{
    const char *path = argc > 1 ? argv[1] : VEL_PART_SET_LIBRARY;
    void *library = dlopen(path, RTLD_NOW);
    if (!library) {
        fprintf(stderr, "outside_host: %s\n", dlerror());
        return 2;
    }
    VEL_DllEntry registerServer;
    VEL_DllGetClassObject getClassObject;
    VEL_DllEntry canUnloadNow;
    if (!resolve(library, "DllRegisterServer", &registerServer, sizeof registerServer) ||
        !resolve(library, "DllGetClassObject", &getClassObject, sizeof getClassObject) ||
        !resolve(library, "DllCanUnloadNow", &canUnloadNow, sizeof canUnloadNow)) {
        fprintf(stderr, "outside_host: an entry point is missing\n");
        return 2;
    }
    if (registerServer() != S_OK) {
        fprintf(stderr, "outside_host: DllRegisterServer failed\n");
        return 1;
    }
    puts("registered");

    /* A server lock keeps the library loaded after its factory is released;
     * a second factory lifts it. */
    IClassFactory *factory = NULL;
    HRESULT answer = getClassObject(&CLSID_Busyness_Rules, &IID_IClassFactory, (void **)&factory);
    if (answer == S_OK) {
        factory->lpVtbl->LockServer(factory, 1);
        factory->lpVtbl->Release(factory);
    }
    const HRESULT whileLocked = canUnloadNow();
    if (answer == S_OK)
        answer = getClassObject(&CLSID_Busyness_Rules, &IID_IClassFactory, (void **)&factory);
    if (answer != S_OK) {
        fprintf(stderr, "outside_host: no class factory (0x%08x)\n", (unsigned)answer);
        return 1;
    }
    factory->lpVtbl->LockServer(factory, 0);
    factory->lpVtbl->Release(factory);
    const HRESULT afterRelease = canUnloadNow();
    printf("factory %d %d\n", (int)whileLocked, (int)afterRelease);
    return whileLocked == S_FALSE && afterRelease == S_OK ? 0 : 1;
}

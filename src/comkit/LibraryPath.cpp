// The library's own module, the one holding an object of this file: its
// file, through dladdr or GetModuleFileNameW, and keeping it loaded, through
// RTLD_NODELETE or GET_MODULE_HANDLE_EX_FLAG_PIN.
#include "comkit/LibraryPath.h"

#include <QDir>
#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace com {
namespace {

const char anchor = 0; // an address inside the library

} // namespace

QString libraryPath()
{
#ifdef _WIN32
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&anchor), &module))
        return {};
    wchar_t name[32768];
    const DWORD length = GetModuleFileNameW(module, name, DWORD(std::size(name)));
    if (length == 0 || length >= std::size(name))
        return {};
    return QDir::toNativeSeparators(QString::fromWCharArray(name, int(length)));
#else
    Dl_info info{};
    if (dladdr(&anchor, &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QFile::decodeName(info.dli_fname)).absoluteFilePath();
#endif
}

bool keepLoaded()
{
#ifdef _WIN32
    HMODULE module = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                              reinterpret_cast<LPCWSTR>(&anchor), &module)
           != 0;
#else
    // Opening the loaded library again, without loading it, marks it never
    // to be unloaded; the handle's own reference is never given back either.
    Dl_info info{};
    return dladdr(&anchor, &info) != 0 && info.dli_fname
           && dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
#endif
}

} // namespace com

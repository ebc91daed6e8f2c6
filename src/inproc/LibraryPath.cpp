// The library's own file: the module holding an object of this file,
// through dladdr or GetModuleFileNameW.
#include "inproc/LibraryPath.h"

#include <QDir>
#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace inproc {
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

} // namespace inproc

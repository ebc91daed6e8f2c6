// The shell's special-folder lookup: the path of a numbered special folder
// (35 is the common application-data folder), or the empty text on any
// failure. The lookup in force can be replaced, so that tests can make the
// shell fail or point it at a folder of their own.
//
// On Windows the shell answers (SHGetSpecialFolderLocation and
// SHGetPathFromIDListA). Elsewhere only folder 35 is known: it is /var/lib,
// or the folder named by the environment variable VELANTIS_COMMON_APPDATA
// when that is set and not empty; every other folder number fails.
#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {

// The shell's number of the common application-data folder.
inline constexpr qint32 kCommonAppDataFolder = 35;

class ShellFolders
{
public:
    virtual ~ShellFolders() = default;
    // The folder's path without a trailing separator, or the empty text.
    virtual QString specialFolderPath(qint32 folder) const = 0;
};

// The lookup in force: the platform's own unless replaced.
const ShellFolders &shellFolders();

// Replaces the lookup in force for its lifetime.
class ScopedShellFolders
{
public:
    explicit ScopedShellFolders(const ShellFolders &replacement);
    ~ScopedShellFolders();
    ScopedShellFolders(const ScopedShellFolders &) = delete;
    ScopedShellFolders &operator=(const ScopedShellFolders &) = delete;

private:
    const ShellFolders *m_previous;
};

} // namespace platform

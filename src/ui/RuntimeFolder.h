// A runtime folder for a process started outside a desktop session. Qt wants
// XDG_RUNTIME_DIR and warns on standard error when it is not set; whoever
// makes the process's application first (the configuration host, or the
// component library for a host without one) gives the process a private
// folder of its own instead, so that users see only the host's own lines.
#pragma once

#include <QTemporaryDir>
#include <memory>

class PrivateRuntimeFolder
{
public:
    // When XDG_RUNTIME_DIR is unset or empty: creates a folder that only this
    // user may enter (mode 0700) in the temporary folder and names it there.
    // A variable that is set is left as it is.
    // The folder it created goes at the end of its life, with what the
    // process left in it.
    PrivateRuntimeFolder();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

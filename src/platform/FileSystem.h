// The file-system services the component needs: the folder separator, a
// folder-exists test and appending one line to a text file.
#pragma once

#include <QString>

namespace platform {

// "\\" on Windows, "/" elsewhere; every folder text the component builds ends with it.
QString folderSeparator();

// True when the path names an existing folder (a trailing separator is allowed).
bool folderExists(const QString &path);

// Appends the line, encoded as UTF-8 and followed by CR LF, to the file,
// creating the file when it is missing. The whole line goes to the system in
// one append write, so lines written at the same time by several processes
// never mix inside a line. Only a regular file is written to: the append
// never waits, and a FIFO, a device, a folder or (on POSIX) a symbolic link
// in the file's place is refused, since the data folder is shared by every
// user of the machine. Failures are run-time errors of source
// "VEL_PART_SET": 76 "Path not found" when the file's folder does not exist,
// 61 "Disk full", and 75 "Path/File access error" for anything else.
void appendLine(const QString &filePath, const QString &line);

} // namespace platform

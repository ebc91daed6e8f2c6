// Folder separator, folder-exists test and one-write line appends (POSIX and Windows).
#include "platform/FileSystem.h"

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

constexpr qint32 kDiskFull = 61;
constexpr qint32 kFileAccessError = 75;
constexpr qint32 kPathNotFound = 76;

rt::RuntimeError fileError(qint32 number)
{
    switch (number) {
    case kDiskFull: return rt::RuntimeError::own(number, QStringLiteral("Disk full"));
    case kPathNotFound: return rt::RuntimeError::own(number, QStringLiteral("Path not found"));
    default: return rt::RuntimeError::own(kFileAccessError, QStringLiteral("Path/File access error"));
    }
}

#ifdef Q_OS_WIN

qint32 errorNumberOf(DWORD error)
{
    switch (error) {
    case ERROR_PATH_NOT_FOUND: return kPathNotFound;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return kDiskFull;
    default: return kFileAccessError;
    }
}

void appendBytes(const QString &filePath, const QByteArray &bytes)
{
    HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(filePath.utf16()), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw fileError(errorNumberOf(GetLastError()));
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        throw fileError(kFileAccessError);
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok || written != DWORD(bytes.size()))
        throw fileError(errorNumberOf(error));
}

#else

qint32 errorNumberOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return kPathNotFound;
    case ENOSPC:
    case EDQUOT: return kDiskFull;
    default: return kFileAccessError;
    }
}

// One write() of the whole buffer; a rare short write finishes with the rest.
void writeAll(int descriptor, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw fileError(errorNumberOf(written < 0 ? errno : ENOSPC));
        done += written;
    }
}

// Opening never blocks (a FIFO without a reader fails at once, one with a
// reader is refused below) and never follows a symbolic link.
void appendBytes(const QString &filePath, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(filePath);
    int descriptor = -1;
    do {
        descriptor =
            ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        throw fileError(errorNumberOf(errno));
    try {
        struct stat status = {};
        if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
            throw fileError(kFileAccessError);
        writeAll(descriptor, bytes);
    } catch (...) {
        ::close(descriptor);
        throw;
    }
    if (::close(descriptor) != 0 && errno != EINTR)
        throw fileError(errorNumberOf(errno));
}

#endif

} // namespace

QString folderSeparator()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\\");
#else
    return QStringLiteral("/");
#endif
}

bool folderExists(const QString &path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

void appendLine(const QString &filePath, const QString &line) { appendBytes(filePath, line.toUtf8() + "\r\n"); }

} // namespace platform

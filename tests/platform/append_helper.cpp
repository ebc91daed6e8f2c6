// Helper process of the concurrent append test: waits until FILE.go exists,
// so that all helpers start together, then appends COUNT lines of the form
// "TAG:index:" followed by LENGTH copies of TAG's first letter. A failing
// append ends it with the run-time error uncaught, so that it does not exit normally.
// Usage: append_helper FILE TAG COUNT LENGTH
#include "platform/FileSystem.h"

#include <QFile>
#include <QString>
#include <chrono>
#include <thread>

int main(int argc, char **argv)
{
    if (argc != 5)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QString tag = QString::fromLocal8Bit(argv[2]);
    const QString body(QString::fromLatin1(argv[4]).toInt(), tag.at(0));
    while (!QFile::exists(file + QStringLiteral(".go")))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int i = 0; i < QString::fromLatin1(argv[3]).toInt(); ++i)
        platform::appendLine(file, tag + u':' + QString::number(i) + u':' + body);
    return 0;
}

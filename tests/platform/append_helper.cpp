// Helper process of the concurrent append test: appends COUNT lines of the
// form "TAG:index:" followed by LENGTH copies of TAG's first letter.
// Usage: append_helper FILE TAG COUNT LENGTH
#include "core/RuntimeError.h"
#include "platform/FileSystem.h"

#include <QString>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 5)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QString tag = QString::fromLocal8Bit(argv[2]);
    const int count = QString::fromLatin1(argv[3]).toInt();
    const QString body(QString::fromLatin1(argv[4]).toInt(), tag.at(0));
    try {
        for (int i = 0; i < count; ++i)
            platform::appendLine(file, tag + u':' + QString::number(i) + u':' + body);
    } catch (const rt::RuntimeError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

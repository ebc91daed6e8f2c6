// Replays files through the rowset fuzz target without libFuzzer, so that the
// seed corpus runs as a test under any compiler's sanitizers: each argument
// is a file or a folder of files. Exits 0 when every file went through; a
// finding aborts, as it does under the fuzzer.
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

bool replay(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "replay: cannot read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()), size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QFile::decodeName(argv[i]);
        QStringList paths{argument};
        if (QFileInfo(argument).isDir()) {
            paths.clear();
            for (const QString &name : QDir(argument).entryList(QDir::Files, QDir::Name))
                paths << QDir(argument).filePath(name);
        }
        for (const QString &path : paths) {
            if (!replay(path))
                return 1;
            ++files;
        }
    }
    std::printf("replay: %d files went through the rowset fuzz target\n", files);
    return files > 0 ? 0 : 1;
}

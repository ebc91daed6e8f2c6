// Appending lines to a text file: the first append creates the file, later
// ones add to its end, the failures carry the runtime's numbers, and
// processes appending at the same time never mix inside a line.
#include "RaisedErrors.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class FileAppendTest : public QObject
{
    Q_OBJECT

private slots:
    void createsThenAppends()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("User_Log.txt"));
        QCOMPARE(testing::errorNumberOf([&] {
                     for (const char *line : {"first", "Caf\u00e9 \u65e5", ""})
                         platform::appendLine(path, QString::fromUtf8(line));
                 }),
                 0);
        QCOMPARE(contentsOf(path), QByteArray("first\r\nCaf\xc3\xa9 \xe6\x97\xa5\r\n\r\n"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("path"); // relative to a fresh folder
        QTest::addColumn<QString>("error");
        QTest::newRow("missing folder") << "absent/User_Log.txt" << "76 VEL_PART_SET Path not found";
        QTest::newRow("a folder in the file's place") << "." << "75 VEL_PART_SET Path/File access error";
        QTest::newRow("full disk") << "/dev/full" << "61 VEL_PART_SET Disk full";
    }
    void failures()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        if (QDir::isAbsolutePath(path) && !QFile::exists(path))
            QSKIP("the system has no such device");
        QTemporaryDir dir;
        const auto raised = testing::errorOf([&] { platform::appendLine(QDir(dir.path()).filePath(path), "line"); });
        QVERIFY(raised);
        QCOMPARE(QString::number(raised->number()) + u' ' + raised->source() + u' ' + raised->description(), error);
    }

    // Three processes append lines longer than a page at once: every line
    // comes out whole, and none is lost.
    void concurrentProcesses()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("User_Log.txt"));
        std::vector<std::unique_ptr<QProcess>> running;
        QList<QByteArray> expected{""}; // after the end of the last line
        for (const char *tag : {"alpha", "bravo", "charlie"}) {
            running.push_back(std::make_unique<QProcess>());
            running.back()->start(QStringLiteral(APPEND_HELPER),
                                  {path, tag, QStringLiteral("400"), QStringLiteral("9000")});
            for (int i = 0; i < 400; ++i)
                expected << QByteArray(tag) + ':' + QByteArray::number(i) + ':' + QByteArray(9000, tag[0]) + '\r';
        }
        QVERIFY(QFile(path + QStringLiteral(".go")).open(QIODevice::WriteOnly)); // all start together
        for (const auto &process : running) {
            QVERIFY(process->waitForFinished(300000));
            QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        }
        QList<QByteArray> lines = contentsOf(path).split('\n');
        std::sort(lines.begin(), lines.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(lines, expected);
    }
};

QTEST_MAIN(FileAppendTest)
#include "tst_fileappend.moc"

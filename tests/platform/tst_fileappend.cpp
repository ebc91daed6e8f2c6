// Appending lines to a text file: the first append creates the file, later
// ones add to its end, the failures carry the runtime's numbers, and
// processes appending at the same time never mix inside a line.
#include "RaisedErrors.h"
#include "core/RuntimeError.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// File permissions stop writes, unless this is the superuser.
bool permissionsBind()
{
#ifdef Q_OS_UNIX
    return ::geteuid() != 0;
#else
    return true;
#endif
}

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
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void folderExists_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("expected");
        QTest::newRow("folder") << "sub" << true;
        QTest::newRow("folder with separator") << "sub/" << true;
        QTest::newRow("file") << "sub/file.txt" << false;
        QTest::newRow("missing") << "absent/" << false;
        QTest::newRow("empty path") << QString() << false;
    }
    void folderExists()
    {
        QFETCH(QString, relative);
        QFETCH(bool, expected);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("sub")));
        QFile file(m_dir->filePath(QStringLiteral("sub/file.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(platform::folderExists(relative.isNull() ? QString() : m_dir->path() + u'/' + relative), expected);
    }

    void createsThenAppends_data()
    {
        QTest::addColumn<QByteArray>("existing"); // the file is made first unless this is null
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("first line creates the file") << QByteArray() << QStringList{"first"} << QByteArray("first\r\n");
        QTest::newRow("second line follows")
            << QByteArray() << QStringList{"first", "second"} << QByteArray("first\r\nsecond\r\n");
        QTest::newRow("UTF-8, empty line") << QByteArray() << QStringList{QStringLiteral("Caf\u00e9 \u2014 \u65e5"), ""}
                                           << QByteArray("Caf\xc3\xa9 \xe2\x80\x94 \xe6\x97\xa5\r\n\r\n");
        QTest::newRow("keeps what was there") << QByteArray("older\r\n") << QStringList{"newer"}
                                              << QByteArray("older\r\nnewer\r\n");
    }
    void createsThenAppends()
    {
        QFETCH(QByteArray, existing);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, expected);
        const QString path = m_dir->filePath(QStringLiteral("User_Log.txt"));
        QFile file(path);
        if (!existing.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(existing) == existing.size());
        file.close();
        for (const QString &line : lines)
            platform::appendLine(path, line);
        QCOMPARE(contentsOf(path), expected);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("description");
        QTest::newRow("missing folder") << "absent/User_Log.txt" << false << 76 << "Path not found";
        QTest::newRow("folder used as file") << "folder" << false << 75 << "Path/File access error";
        QTest::newRow("read-only file") << "plain" << true << 75 << "Path/File access error";
    }
    void failures()
    {
        QFETCH(QString, relative);
        QFETCH(bool, readOnly);
        QFETCH(int, error);
        QFETCH(QString, description);
        if (readOnly && !permissionsBind())
            QSKIP("permissions do not bind the superuser");
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("folder")));
        QFile plain(m_dir->filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        if (readOnly)
            QVERIFY(plain.setPermissions(QFileDevice::ReadOwner));
        const rt::RuntimeError e = testing::raisedBy([&] { platform::appendLine(m_dir->filePath(relative), "line"); });
        QCOMPARE(e.number(), error);
        QCOMPARE(e.description(), description);
        QCOMPARE(e.source(), QStringLiteral("VEL_PART_SET"));
        QCOMPARE(contentsOf(m_dir->filePath(QStringLiteral("plain"))), QByteArray());
    }

    // Several processes append at once; every line must come out whole and
    // each process's lines complete and in order.
    void concurrentProcesses_data()
    {
        QTest::addColumn<int>("processes");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("length");
        QTest::newRow("two, short lines") << 2 << 3000 << 40;
        QTest::newRow("three, lines over a page") << 3 << 400 << 9000;
    }
    void concurrentProcesses()
    {
        QFETCH(int, processes);
        QFETCH(int, count);
        QFETCH(int, length);
        const QString path = m_dir->filePath(QStringLiteral("User_Log.txt"));
        QList<QProcess *> running;
        const QStringList tags{"alpha", "bravo", "charlie"};
        for (int p = 0; p < processes; ++p) {
            auto *process = new QProcess(this);
            process->start(QStringLiteral(APPEND_HELPER),
                           {path, tags[p], QString::number(count), QString::number(length)});
            running.append(process);
        }
        for (QProcess *process : running) {
            QVERIFY(process->waitForFinished(300000));
            QCOMPARE(process->exitStatus(), QProcess::NormalExit);
            QCOMPARE(process->exitCode(), 0);
            delete process;
        }

        QList<QByteArray> lines = contentsOf(path).split('\n');
        QCOMPARE(lines.takeLast(), QByteArray()); // the file ends with a whole line
        QCOMPARE(lines.size(), processes * count);
        QHash<QString, int> next;
        const QRegularExpression shape(QStringLiteral("^([a-z]+):(\\d+):([a-z]*)\r$"));
        for (const QByteArray &line : lines) {
            const auto match = shape.match(QString::fromLatin1(line));
            QVERIFY2(match.hasMatch(), line.left(80).constData());
            const QString tag = match.captured(1);
            QCOMPARE(match.captured(2).toInt(), next[tag]++);
            QCOMPARE(match.captured(3), QString(length, tag.at(0)));
        }
        for (int p = 0; p < processes; ++p)
            QCOMPARE(next.value(tags[p]), count);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(FileAppendTest)
#include "tst_fileappend.moc"

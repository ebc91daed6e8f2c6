// Appending lines to a text file: the first append creates the file, later
// ones add to its end, anything but a regular file is refused without
// waiting, the failures carry the runtime's numbers, and appends made at the
// same time never mix inside a line.
#include "RaisedErrors.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <latch>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class FileAppendTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_log = m_dir.filePath(QStringLiteral("User_Log.txt"));

    QByteArray logContents() const
    {
        QFile file(m_log);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

private slots:
    void init() { QFile::remove(m_log); }

    // The same line appended to the log three times, then to a file in a
    // missing folder, to a folder, to FIFOs without and with a reader, to a
    // device and through a symbolic link to the log: "<number> <source>
    // <description>" for a failure; then what the log holds. An append that
    // waited for a FIFO's reader would hang here until the CTest timeout.
    void appends()
    {
        const QString line = QString::fromUtf8("Caf\u00e9 \u65e5");
        const QString fifo = m_dir.filePath("fifo"), readFifo = m_dir.filePath("read-fifo");
        const QString link = m_dir.filePath("link.txt");
        for (const QString &path : {fifo, readFifo})
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        const int reader = ::open(QFile::encodeName(readFifo).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0 && QFile::link(m_log, link));
        QStringList outcomes;
        for (const QString &path : {m_log, m_log, m_log, m_dir.filePath("absent/log.txt"), m_dir.path(), fifo, readFifo,
                                    QStringLiteral("/dev/null"), link}) {
            const auto e = testing::errorOf([&] { platform::appendLine(path, line); });
            outcomes << (e ? QString("%1 %2 %3").arg(e->number()).arg(e->source(), e->description()) : QString());
        }
        ::close(reader);
        const QString refused = "75 VEL_PART_SET Path/File access error";
        QCOMPARE(outcomes, QStringList({"", "", "", "76 VEL_PART_SET Path not found", refused, refused, refused,
                                        refused, refused}));
        QCOMPARE(logContents(), QByteArray("Caf\xc3\xa9 \xe6\x97\xa5\r\n").repeated(3));
    }

    // Three threads, each opening the file for itself, append lines at the
    // same time, every third longer than a page: every line comes out whole,
    // none is lost.
    void concurrentAppends()
    {
        QList<QByteArray> expected{""}; // after the end of the last line
        std::latch start(3);
        std::atomic<int> failures = 0;
        std::vector<std::jthread> threads;
        for (const char *tag : {"alpha", "bravo", "charlie"}) {
            const auto line = [tag](int i) {
                return QString("%1:%2:").arg(tag).arg(i).leftJustified(i % 3 ? 100 : 9000, QLatin1Char(tag[0]));
            };
            threads.emplace_back([&, line] {
                start.arrive_and_wait();
                for (int i = 0; i < 2000; ++i)
                    failures += testing::errorNumberOf([&] { platform::appendLine(m_log, line(i)); }) != 0;
            });
            for (int i = 0; i < 2000; ++i)
                expected << line(i).toLatin1() + '\r';
        }
        threads.clear(); // joins them
        QCOMPARE(failures.load(), 0);
        QList<QByteArray> lines = logContents().split('\n');
        std::sort(lines.begin(), lines.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(lines, expected);
    }
};

QTEST_MAIN(FileAppendTest)
#include "tst_fileappend.moc"

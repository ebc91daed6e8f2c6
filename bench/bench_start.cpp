// The host's start: the whole process of `partition-settings --screenshot`
// on the sample store, spawn to exit, beside a bare process that builds a
// dialog of 60 widgets, renders it to a PNG and exits; the two run in turn,
// pair after pair, so that both see the same machine. Prints each one's
// median and their ratio.
// Run on demand:
//   QT_QPA_PLATFORM=offscreen build/release/bench/bench_start build/release/src/host/partition-settings [pairs]
// (The program runs itself with --bare as the yardstick.)
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

// The yardstick: 60 widgets of the kinds the dialog has, rendered once.
int bareDialog(int argc, char **argv, const QString &file)
{
    QApplication app(argc, argv);
    QDialog dialog;
    auto *grid = new QGridLayout(&dialog);
    for (int row = 0; row < 15; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("Label %1").arg(row)), row, 0);
        grid->addWidget(new QLineEdit(QStringLiteral("text")), row, 1);
        auto *list = new QComboBox;
        list->addItems({QStringLiteral("one"), QStringLiteral("two")});
        grid->addWidget(list, row, 2);
        grid->addWidget(row % 2 ? static_cast<QWidget *>(new QPushButton(QStringLiteral("OK")))
                                : new QCheckBox(QStringLiteral("check")),
                        row, 3);
    }
    dialog.show();
    return dialog.grab().save(file) ? 0 : 1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds from start to exit; a failed run stops the benchmark.
// The yardstick's standard error is dropped: the offscreen platform warns
// about its layout's size hints.
double timedRun(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (program == QCoreApplication::applicationFilePath())
        process.setStandardErrorFile(QProcess::nullDevice());
    else
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        QTextStream(stderr) << program << " " << arguments.join(u' ') << " failed\n";
        std::exit(1);
    }
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--bare")
        return bareDialog(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc < 2) {
        QTextStream(stderr) << "usage: bench_start <partition-settings> [pairs]\n";
        return 2;
    }
    QCoreApplication app(argc, argv);
    const QString host = QString::fromLocal8Bit(argv[1]);
    const int pairs = argc > 2 ? QByteArray(argv[2]).toInt() : 30;

    // The host's data folder, registry and runtime folder in a folder of the
    // run's own; the sample store is made by a first, untimed run.
    QTemporaryDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELANTIS_REGISTRY_FILE"), folder.filePath(QStringLiteral("registry.json")));
    environment.insert(QStringLiteral("VELANTIS_COMMON_APPDATA"), folder.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString shot = folder.filePath(QStringLiteral("shot.png"));
    timedRun(host, {QStringLiteral("--register")}, environment);
    timedRun(host, {QStringLiteral("--screenshot"), shot}, environment);

    std::vector<double> hostRuns, bareRuns;
    for (int pair = 0; pair < pairs; ++pair) {
        hostRuns.push_back(timedRun(host, {QStringLiteral("--screenshot"), shot}, environment));
        bareRuns.push_back(timedRun(QCoreApplication::applicationFilePath(), {QStringLiteral("--bare"), shot}, environment));
    }
    const double hostMedian = median(hostRuns), bareMedian = median(bareRuns);
    QTextStream(stdout) << QStringLiteral("host to screenshot %1 ms, bare 60-widget dialog %2 ms, ratio %3 (%4 pairs)\n")
                               .arg(hostMedian, 0, 'f', 1)
                               .arg(bareMedian, 0, 'f', 1)
                               .arg(hostMedian / bareMedian, 0, 'f', 2)
                               .arg(pairs);
    return 0;
}

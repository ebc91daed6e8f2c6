// Time from calling Shown to the dialog's first paint (offscreen) on stores
// of 10, 1,000 and 32,767 partitions, the time of one Get_Data step (a move
// to another partition's data), of one click on cmdNext, and of one Apply of
// a partition with 20 node rows, the rebuild of the partition list included.
// Prints the median of several runs.
// Run on demand: QT_QPA_PLATFORM=offscreen build/release/bench/bench_shown [count...]
#include "ScriptedServices.h"
#include "StoreHooks.h"
#include "components/ComponentFactory.h"
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/rules/Busyness_Rules.h"
#include "server/ReferenceComponents.h"
#include "server/ReferenceStore.h"
#include "ui/MessageBoxComponent.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

constexpr int kBenchConfig = 7;
constexpr int kNextClicks = 15;

// With the sample's node types (two of which the grid skips) these fill the
// grid's 20 rows.
void addNodeTypes(server::ReferenceStore &store)
{
    for (qint16 id = 30; id < 36; ++id)
        store.addNodeTypeRow({id, QStringLiteral("Bench %1").arg(id), QStringLiteral("Banc %1").arg(id)});
}

// Every node type's maximum for the partitions the runs show.
void storeMaxima(server::ReferenceStore &store, int first, int count)
{
    store.inTransaction([&] {
        for (RecordSet types = store.nodeTypes(); !types.isEOF(); types.MoveNext())
            for (int partition = first; partition < first + count; ++partition)
                store.saveNodeMax({kBenchConfig, qint16(partition), qint16(types.Fields(0).asInteger()), 5});
    });
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Shows the dialog, waits for its first paint, then plays a few Get_Data
// steps, cmdNext clicks from the middle partition on, and Applies.
class TimingRunner : public ui::ModalRunner, public QObject
{
public:
    Busyness_Rules *rules = nullptr;
    QElapsedTimer *sinceShown = nullptr;
    double toFirstPaint = 0;
    std::vector<double> dataSteps;
    std::vector<double> nextClicks;
    std::vector<double> applies;
    qint16 partitions = 0;

    void runModal(QDialog &dialog) override
    {
        m_painted = false;
        dialog.installEventFilter(this);
        dialog.show();
        while (!m_painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        toFirstPaint = sinceShown->nsecsElapsed() / 1e6;
        dialog.removeEventFilter(this);
        for (int step = 0; step < 15; ++step) {
            rules->Partition_ID(qint16((step * 7919) % partitions));
            // The loader alone: the selector's handler would ask about the
            // lists the load changes, and load once more.
            const QSignalBlocker quietSelector(GUI::instance()->cboPartitionNumber);
            QElapsedTimer timer;
            timer.start();
            rules->Get_Data();
            dataSteps.push_back(timer.nsecsElapsed() / 1e6);
        }
        GUI &form = *GUI::instance();
        rules->Partition_ID(qint16(partitions / 2));
        {
            const QSignalBlocker quietSelector(form.cboPartitionNumber);
            rules->Get_Data();
        }
        form.cmdApply->setEnabled(false);
        for (int click = 0; click < qMin(kNextClicks, partitions - partitions / 2 - 1); ++click)
            nextClicks.push_back(timeClick(form.cmdNext));
        for (int apply = 0; apply < 7; ++apply) {
            form.cboSelectionLimit->setCurrentIndex((form.cboSelectionLimit->currentIndex() + 1) % 26);
            applies.push_back(timeClick(form.cmdApply));
        }
        dialog.close();
    }

private:
    static double timeClick(QPushButton *button)
    {
        QElapsedTimer timer;
        timer.start();
        button->click();
        return timer.nsecsElapsed() / 1e6;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    qputenv("VELANTIS_COMMON_APPDATA", QFile::encodeName(folder.path()));
    QTextStream out(stdout);
    out << "partitions  Shown to first paint (ms)  Get_Data step (ms)  cmdNext click (ms)  Apply, 20 rows (ms)\n";

    // Partition counts to measure: the arguments, or 10, 1,000 and 32,767.
    QList<int> counts;
    for (const QString &argument : app.arguments().mid(1))
        counts << argument.toInt();
    if (counts.isEmpty())
        counts = {10, 1000, 32767};
    for (const int count : counts) {
        const auto store = server::ReferenceStore::openSqlite(folder.path() + QStringLiteral("/bench%1.sqlite").arg(count));
        testing::seedPartitions(*store, kBenchConfig, count);
        addNodeTypes(*store);
        storeMaxima(*store, count / 2, qMin(kNextClicks + 1, count - count / 2));
        ComponentFactory factory;
        server::registerReferenceComponents(factory, store);
        ui::registerMessageBoxComponent(factory);

        ui::ScriptedMessageBoxes boxes;
        ui::ScriptedMousePointer pointer;
        TimingRunner runner;
        runner.partitions = qint16(count);
        const ui::ScopedServices services({&boxes, &pointer, &runner});

        std::vector<double> shown;
        std::vector<double> steps;
        std::vector<double> nexts;
        std::vector<double> applies;
        for (int run = 0; run < 7; ++run) {
            Busyness_Rules rules(factory);
            QElapsedTimer timer;
            runner.rules = &rules;
            runner.sinceShown = &timer;
            runner.dataSteps.clear();
            runner.nextClicks.clear();
            runner.applies.clear();
            timer.start();
            rules.Shown(kBenchConfig, qint16(count / 2), QString());
            shown.push_back(runner.toFirstPaint);
            steps.push_back(median(runner.dataSteps));
            nexts.push_back(median(runner.nextClicks));
            applies.push_back(median(runner.applies));
        }
        out << QStringLiteral("%1  %2  %3  %4  %5\n")
                   .arg(count, 10)
                   .arg(median(shown), 25, 'f', 1)
                   .arg(median(steps), 18, 'f', 2)
                   .arg(median(nexts), 18, 'f', 2)
                   .arg(median(applies), 19, 'f', 1);
        out.flush();
        if (!boxes.shown().isEmpty())
            out << "  (message boxes were shown: " << boxes.shown().first().text << ")\n";
    }
    return 0;
}

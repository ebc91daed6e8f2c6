// Time from calling Shown to the dialog's first paint (offscreen) on stores
// of 10, 1,000 and 32,767 partitions, and the time of one Get_Data step (a
// move to another partition's data). Prints the median of several runs.
// Run on demand: QT_QPA_PLATFORM=offscreen build/release/bench/bench_shown
#include "ScriptedServices.h"
#include "StoreHooks.h"
#include "components/ComponentFactory.h"
#include "dialog/GUI.h"
#include "rules/Busyness_Rules.h"
#include "server/ReferenceComponents.h"
#include "server/ReferenceStore.h"
#include "ui/MessageBoxComponent.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Shows the dialog, waits for its first paint, then plays a few Get_Data steps.
class TimingRunner : public ui::ModalRunner, public QObject
{
public:
    Busyness_Rules *rules = nullptr;
    QElapsedTimer *sinceShown = nullptr;
    double toFirstPaint = 0;
    std::vector<double> dataSteps;
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
            QElapsedTimer timer;
            timer.start();
            rules->Get_Data();
            dataSteps.push_back(timer.nsecsElapsed() / 1e6);
        }
        dialog.close();
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
    out << "partitions  Shown to first paint (ms)  Get_Data step (ms)\n";

    for (const int count : {10, 1000, 32767}) {
        const auto store = server::ReferenceStore::openSqlite(folder.path() + QStringLiteral("/bench%1.sqlite").arg(count));
        testing::seedPartitions(*store, 7, count);
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
        for (int run = 0; run < 7; ++run) {
            Busyness_Rules rules(factory);
            QElapsedTimer timer;
            runner.rules = &rules;
            runner.sinceShown = &timer;
            runner.dataSteps.clear();
            timer.start();
            rules.Shown(7, qint16(count / 2), QString());
            shown.push_back(runner.toFirstPaint);
            steps.push_back(median(runner.dataSteps));
        }
        out << QStringLiteral("%1  %2  %3\n").arg(count, 10).arg(median(shown), 25, 'f', 1).arg(median(steps), 18, 'f', 2);
        out.flush();
        if (!boxes.shown().isEmpty())
            out << "  (message boxes were shown: " << boxes.shown().first().text << ")\n";
    }
    return 0;
}

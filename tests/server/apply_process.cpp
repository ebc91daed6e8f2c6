// A host process in the middle of an Apply, for the tests that kill one:
//   apply_process LOCATION
// opens partition 5 of configuration 7 on the store at LOCATION, names it
// "Mine", sets its first node maximum to 7 and clicks Apply. The first node
// row the Apply sends is held: the process prints "held" once the partition
// row has gone out, and sends the row only after a line on its standard
// input. It then closes the dialog and ends with exit status 0.
#include "FormActions.h"
#include "Rig.h"

#include "partition_settings/dialog/GUI.h"
#include "partition_settings/rules/Busyness_Rules.h"
#include "server/WriteComponents.h"

#include <QApplication>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

// The node maximum writes, the first one held until the test lets it go.
class HeldNodeWrites : public QRVud::UDNODES
{
public:
    explicit HeldNodeWrites(std::shared_ptr<server::ReferenceStore> store) : m_writes(std::move(store)) {}

    void Update_Node_Type_Max_Record(const NodeTypeMaxRow &row) override
    {
        if (!m_held) {
            m_held = true;
            std::printf("held\n");
            std::fflush(stdout);
            std::string line;
            std::getline(std::cin, line);
        }
        m_writes.Update_Node_Type_Max_Record(row);
    }

private:
    server::NodeMaxUpdater m_writes;
    bool m_held = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    testing::Rig rig(server::ReferenceStore::Seeding::Existing, QApplication::arguments().value(1));
    rig.factory.registerProgId(QRVud::UDNODES::ProgID,
                               [store = rig.store] { return std::make_unique<HeldNodeWrites>(store); });
    Busyness_Rules rules(rig.factory);
    rig.ui.runner.script = [](QDialog &) {
        testing::act(*GUI::instance(), "txtPartitionName=Mine, txtNode(0)=7, cmdApply");
    };
    const bool shown = rules.Shown(7, 5, QString()).asBoolean();
    if (!shown || !rig.ui.boxes.shown().isEmpty()) {
        std::printf("%s\n", qPrintable(rules.ErrDescription()));
        return 1;
    }
    return 0;
}

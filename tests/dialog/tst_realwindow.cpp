// What a user meets in a real window: the real Qt message boxes (a Yes/No
// question answers only to its buttons, Yes/No/Cancel takes Escape and the
// close button as Cancel, every box belongs to the dialog and opens centred
// over it), a click on the read-only partition number, and the focus drawn
// on the node grid's scroll bar and on the default OK.
#include "DialogRig.h"

#include "core/RuntimeError.h"
#include "ui/QtServices.h"

#include <QApplication>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>

using namespace testing;

namespace {

// Puts the real Qt message boxes in force for its lifetime and runs checks on
// them as they show: each box runs a loop of its own, in which the check
// runs. Pending checks end with the object.
class RealBoxes : public QObject
{
    ui::QtMessageBoxes m_boxes;
    ui::ScopedServices m_scope{{&m_boxes, nullptr, nullptr}};

public:
    // Runs the check on every box that shows while it answers true.
    void onBoxes(const std::function<bool(QMessageBox &)> &check)
    {
        QTimer::singleShot(0, this, [this, check] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || check(*box))
                onBoxes(check);
        });
    }
};

// "parent" when the box belongs to the form, "centred" when it opens over
// the form's middle.
QString placeOf(const QMessageBox &box, const GUI &form)
{
    const QPoint offset = box.frameGeometry().center() - form.frameGeometry().center();
    return QStringLiteral("%1 %2").arg(box.parentWidget() == &form ? "parent" : "other",
                                       offset.manhattanLength() <= 2 ? "centred" : "elsewhere");
}

// The control grabbed with the focus on it and on the name box.
bool focusShows(GUI &form, QWidget *control)
{
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    form.txtPartitionName->setFocus();
    const QImage without = control->grab().toImage();
    control->setFocus();
    return control->hasFocus() && control->grab().toImage() != without;
}

} // namespace

class RealWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // Every box belongs to the dialog and opens over its middle. The question
    // before a move answers only to its buttons: Escape and a close event
    // leave it open, and its Yes then saves and the move goes on. The one
    // before closing takes Escape, or a close event, as Cancel: the dialog
    // stays open with its edits. An error shown through the message component
    // (the server is down) is a box of the dialog too. "tries": what is done
    // to each box, then the button clicked if it is still open.
    void boxesOverTheDialog_data()
    {
        QTest::addColumn<bool>("serverDown");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("tries");
        QTest::addColumn<QString>("seen");
        QTest::addColumn<QString>("stored");
        const QString asked = "parent centred Confirmation: Do you want to save changes?";
        const QString edit = "txtPartitionName=Harbour, ";
        QTest::newRow("move: Escape, close, Yes") << false << edit + "Ctrl+PgDown" << "Escape close Yes"
                                                  << asked + " open open | 1|Bravo|0" << "Harbour";
        QTest::newRow("closing: Escape") << false << edit + "cmdCancel" << "Escape No" << asked + " gone | 1|Harbour|1"
                                         << "Alpha";
        QTest::newRow("closing: close event") << false << edit + "cmdCancel" << "close No"
                                              << asked + " gone | 1|Harbour|1" << "Alpha";
        const QString down = "parent centred Error in Business Rules: Server:Get_Partition_Settings \r\ndown\r\n"
                             "Inactive Business Rules";
        QTest::newRow("an error") << true << "Ctrl+PgDown" << "OK" << down + " / " + down + " | 1|Alpha|0" << "Alpha";
    }
    void boxesOverTheDialog()
    {
        QFETCH(bool, serverDown);
        QFETCH(QString, steps);
        QFETCH(QString, tries);
        QFETCH(QString, seen);
        QFETCH(QString, stored);
        DialogRig rig;
        QStringList met;
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            RealBoxes real;
            form.move(0, 0); // away from the screen's middle
            if (serverDown)
                rig.intercept.partitionSettings = [](const QString &, const QString &) -> QString {
                    throw rt::RuntimeError(5, "Server", "down");
                };
            real.onBoxes([&](QMessageBox &box) {
                met << placeOf(box, form) + ' ' + box.windowTitle() + ": " + box.text();
                QStringList ways = tries.split(' ');
                const QString button = ways.takeLast();
                for (const QString &way : ways) {
                    way == "Escape" ? QTest::keyClick(&box, Qt::Key_Escape) : void(box.close());
                    met.last() += box.isVisible() ? " open" : " gone";
                }
                if (box.isVisible())
                    box.button(button == "Yes" ? QMessageBox::Yes : button == "No" ? QMessageBox::No : QMessageBox::Ok)
                        ->click();
                return true;
            });
            act(form, steps);
            met.last() += " | " + shown(form, "shown txtPartitionName cmdApply");
            rig.ui.boxes.expect(ui::Answer::No); // the runner closes the dialog after the script
        }));
        QCOMPARE(met.join(" / "), seen);
        QCOMPARE(rig.stored(1, "Name"), stored);
    }

    // A click gives the read-only number box the focus, so that what is typed
    // then changes nothing.
    void typingAfterAClickOnTheNumber()
    {
        DialogRig rig;
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            form.activateWindow();
            QApplication::setActiveWindow(&form);
            form.txtPartitionName->setFocus();
            QTest::mouseClick(form.txtPartitionNumber, Qt::LeftButton);
            QTest::keyClicks(QApplication::focusWidget(), "55");
            QCOMPARE(shown(form, "txtPartitionNumber txtPartitionName cmdApply"), "1|Alpha|0");
        }));
    }

    // The scroll bar and OK (the default button) look different with the
    // focus on them.
    void focusIsDrawn()
    {
        DialogRig rig;
        for (qint16 type = 1; type <= 12; ++type) { // more rows than the grid's window shows
            rig.store->addNodeTypeRow({type, QStringLiteral("Type %1").arg(type), QString()});
            rig.store->saveNodeMax({3, 1, type, 5});
        }
        QVERIFY(rig.show(3, 1, QString(), [&](GUI &form) {
            QVERIFY(form.cmdOK->isDefault() && form.VScroll1->isEnabled());
            QVERIFY(focusShows(form, form.cmdOK));
            QVERIFY(focusShows(form, form.VScroll1));
        }));
    }
};

QTEST_MAIN(RealWindowTest)
#include "tst_realwindow.moc"

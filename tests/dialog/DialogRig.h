// A test world for editing, moving and saving in the real dialog: a store that
// holds only a small configuration of this file's own, a counter of the
// partition list reads the dialog makes, the boxes shown and the values
// stored; the user's actions and readings come with it (FormActions.h).
//
// Configuration 3: partitions 0 "Template", 1 "Alpha", 4 "Bravo", 12 "Charlie"
// (settings in DialogRig.cpp). Configuration 4: partition 7 "Solo" alone.
// Node types 0 "Message", 100 "Port", 101 "Line"; in every partition p the
// maximum of type t is t / 10 + p + 3.
#pragma once

#include "FormActions.h"
#include "Rig.h"
#include "partition_settings/dialog/GUI.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace testing {

class DialogRig : public Rig
{
public:
    DialogRig();

    // Shows the partition and runs the script on the open dialog.
    bool show(qint16 config, qint16 partition, const QString &menuOption, const std::function<void(GUI &)> &script);
    // Expects the boxes named, in order, and returns them as boxes() shows
    // them: "Yes", "No" answer the question before a move, "close Yes",
    // "close No", "close Cancel" the one before closing; "few" is "Too few
    // Digits", "quotes" the refused name, "end" and "begin" the ends of the
    // list; every box but a question is answered OK.
    QStringList expect(const QStringList &names);

    QString stored(qint16 partition, const char *field) const; // in configuration 3
    QStringList boxes() const;                                 // "title: text (buttons, icon)"

    int listReads = 0; // of the partition list
};

} // namespace testing

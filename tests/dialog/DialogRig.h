// A test world for moving and saving in the real dialog: a store that holds
// only a small configuration of this file's own, counters of the reads the
// dialog makes, and short readings of what the user sees.
//
// Configuration 3: partitions 0 "Template", 1 "Alpha", 4 "Bravo", 12 "Charlie"
// (settings in DialogRig.cpp). Configuration 4: partition 7 "Solo" alone.
// Node types 0 "Message", 100 "Port", 101 "Line" with maxima in every partition.
#pragma once

#include "Rig.h"

#include <QString>
#include <QStringList>
#include <functional>

class GUI;
class QLineEdit;
class QWidget;

namespace testing {

class DialogRig : public Rig
{
public:
    DialogRig();

    // Shows the partition and runs the script on the open dialog; the answers
    // are given, in order, to the questions ("Confirmation" boxes) among the
    // boxes expected, every other box is answered OK.
    bool show(qint16 config, qint16 partition, const QString &menuOption, const std::function<void(GUI &)> &script);
    void answer(const QStringList &expectedBoxes, const QStringList &answers);

    QString stored(qint16 partition, const char *field) const; // in configuration 3
    int storedMaximum(qint16 partition, int nodeType) const;   // -1 when none
    QStringList boxes() const;                                  // "title: text (buttons, icon)"

    int settingsReads = 0;
    int listReads = 0;
};

// First, Previous, Next, Last, Defaults as "1" enabled or "0" disabled.
QString navigationStates(const GUI &form);
bool ownEnabled(const QWidget *widget);
// Selects the box's text and types over it; an empty text erases it.
void typeInto(QLineEdit *box, const QString &text);

} // namespace testing

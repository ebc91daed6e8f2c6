// A test world for editing, moving and saving in the real dialog: a store that
// holds only a small configuration of this file's own, counters of the reads
// the dialog makes, user actions on the real controls and short readings of
// what the user sees. It brings the form and the widgets the tests read.
//
// Configuration 3: partitions 0 "Template", 1 "Alpha", 4 "Bravo", 12 "Charlie"
// (settings in DialogRig.cpp). Configuration 4: partition 7 "Solo" alone.
// Node types 0 "Message", 100 "Port", 101 "Line"; in every partition p the
// maximum of type t is t / 10 + p + 3.
#pragma once

#include "Rig.h"
#include "partition_settings/dialog/GUI.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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
    // Expects the boxes named and returns them as boxes() shows them: "Yes",
    // "No" answer the question before a move, "close Yes", "close No", "close
    // Cancel" the one before closing; "few" is "Too few Digits", "quotes" the
    // refused name, "end" and "begin" the ends of the list.
    QStringList expect(const QStringList &names);

    QString stored(qint16 partition, const char *field) const; // in configuration 3
    int storedMaximum(qint16 partition, int nodeType) const;   // -1 when none
    QStringList boxes() const;                                 // "title: text (buttons, icon)"

    int settingsReads = 0;
    int listReads = 0;
};

// First, Previous, Next, Last, Defaults as "1" enabled or "0" disabled.
QString navigationStates(const GUI &form);
bool ownEnabled(const QWidget *widget);
// Selects the box's text and types over it; an empty text erases it.
void typeInto(QLineEdit *box, const QString &text);
// Steps joined by ", ": a button's name clicks it; "NAME=TEXT" types TEXT
// over the box NAME, or picks entry TEXT of the list NAME; "wheel NAME" turns
// the mouse wheel one notch down over the control; "close" closes the window;
// anything else is a key sequence pressed in the name box ("Ctrl+PgDown", "Esc").
void act(GUI &form, const QString &steps);
// The named controls joined by "|": a box's text, a list's entry, "1" or "0"
// for a button enabled or disabled, and for "shown" the window open or not.
QString shown(const GUI &form, const QString &names);

} // namespace testing

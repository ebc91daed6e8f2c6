// A user's actions on the real dialog and short readings of what it shows,
// for every test that plays the user on the form: typing into a box, a
// sequence of clicks, picks and keys named in one text, and the texts and
// states of the controls named.
#pragma once

#include "partition_settings/dialog/GUI.h"

#include <QLineEdit>
#include <QString>

namespace testing {

// Enabled for itself, whatever its parents are.
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

// A frame of the dialog: an etched border on the frame's own rectangle, and
// the title, when there is one, set into the top line near its left end.
// (A group box's style puts the border inside a margin, below a title strip,
// where it would cross the controls placed near the frame's edges.)
#pragma once

#include <QGroupBox>

class DialogFrame : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

    // The frame's rectangle; with a title, its top line runs through the
    // middle of the title's line of text.
    QRect borderRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

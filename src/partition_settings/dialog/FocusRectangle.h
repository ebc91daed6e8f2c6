// Controls of the dialog that always show their keyboard focus with a dotted
// rectangle: a command button inside its face (so that a focused default
// button differs from one that is only the default), and the node grid's
// scroll bar on its thumb (the style draws no focus on a scroll bar at all).
#pragma once

#include <QPushButton>
#include <QScrollBar>

class FocusButton : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

class FocusScrollBar : public QScrollBar
{
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent *event) override;
};

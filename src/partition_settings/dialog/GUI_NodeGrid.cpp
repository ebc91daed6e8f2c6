// The node grid: picNode is a sheet taller than its window Picture1; the
// scroll bar's value is how many twips of it are above the window. The mouse
// wheel anywhere over the grid scrolls it through the scroll bar, and a node
// box that gets the focus outside the window is scrolled into view. Each node
// box takes digits under the rule of the settings boxes, its limits given by
// the row's node type.
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/GUI_EventHandler.h"

#include "core/Numbers.h"
#include "partition_settings/dialog/EventHook.h"
#include "partition_settings/dialog/Twips.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace {

constexpr qint16 kOneDigitNodeType = 5;
constexpr qint16 kFirstTwoDigitNodeType = 14;
constexpr qint16 kLastTwoDigitNodeType = 16;

// Space kept between a box scrolled into view and the window's edge, as above row 0.
constexpr int kViewMargin = 120;

} // namespace

void GUI::connectNodeGridHandlers()
{
    connect(VScroll1, &QScrollBar::valueChanged, this, &GUI::VScroll1_Change);
    connectNodeGridEditing();
}

void GUI::VScroll1_Change()
{
    handler("VScroll1_Change", [&] { twips::setTop(picNode, -VScroll1->value()); });
}

void GUI::connectNodeGridEditing()
{
    const auto wheelScrollsTheGrid = [this](QWidget *part) {
        eventHook::install(part, QEvent::Wheel, [this](QEvent *wheel) {
            QCoreApplication::sendEvent(VScroll1, wheel);
            return true;
        });
    };
    wheelScrollsTheGrid(Picture1);
    wheelScrollsTheGrid(picNode);
    for (qint16 row = 0; row < qint16(txtNode.size()); ++row) {
        connect(txtNode[row], &QLineEdit::textChanged, this, [this, row] { txtNode_Change(row); });
        eventHook::install(txtNode[row], QEvent::FocusIn, [this, row](QEvent *) {
            txtNode_GotFocus(row);
            return false;
        });
        wheelScrollsTheGrid(txtNode[row]);
        wheelScrollsTheGrid(lblNode[row]);
    }
}

// Type 5 takes one digit; types 14 to 16 three, any value from 100 up showing
// as 99; any other type three digits.
void GUI::txtNode_Change(qint16 Index)
{
    handler("txtNode_Change", [&] {
        if (Index < 0 || Index >= qint16(txtNode.size()))
            throw rt::RuntimeError::standard(rt::SubscriptOutOfRange);
        applyDigitRule(txtNode[Index], m_lastNodeText[Index], [&] {
            const qint16 type = rt::textToInteger(lblNodeTypeID[Index]->text());
            if (type == kOneDigitNodeType)
                return DigitLimits{1, 0};
            if (type >= kFirstTwoDigitNodeType && type <= kLastTwoDigitNodeType)
                return DigitLimits{3, 99};
            return DigitLimits{3, 0};
        });
    });
}

void GUI::txtNode_GotFocus(qint16 Index)
{
    handler("txtNode_GotFocus", [&] {
        if (Index < 0 || Index >= qint16(txtNode.size()))
            throw rt::RuntimeError::standard(rt::SubscriptOutOfRange);
        const int windowHeight = twips::height(Picture1);
        const int shownTop = -twips::top(picNode);
        const int boxTop = twips::top(txtNode[Index]);
        const int boxBottom = boxTop + twips::height(txtNode[Index]);
        if (boxTop < shownTop)
            VScroll1->setValue(boxTop - kViewMargin);
        else if (boxBottom > shownTop + windowHeight)
            VScroll1->setValue(boxBottom + kViewMargin - windowHeight);
    });
}

// The node grid's scrolling: picNode is a sheet taller than its window
// Picture1; the scroll bar's value is how many twips of it are above the window.
#include "dialog/GUI.h"
#include "dialog/GUI_EventHandler.h"
#include "dialog/Twips.h"

#include <QFrame>
#include <QScrollBar>

void GUI::connectNodeGridHandlers()
{
    connect(VScroll1, &QScrollBar::valueChanged, this, &GUI::VScroll1_Change);
}

void GUI::VScroll1_Change()
{
    handler("VScroll1_Change", [&] { twips::setTop(picNode, -VScroll1->value()); });
}

// Runs a function when a widget receives one kind of event, for the few
// events the dialog reacts to that QWidget offers no signal for (focus lost,
// focus gained, the mouse wheel). The function answers whether it consumed
// the event; a consumed event goes no further.
#pragma once

#include <QEvent>
#include <functional>

class QWidget;

namespace eventHook {

using Reaction = std::function<bool(QEvent *event)>;

// The hook lives as long as the widget.
void install(QWidget *widget, QEvent::Type type, Reaction reaction);

} // namespace eventHook

// One event filter per hooked widget and event kind, owned by the widget.
#include "partition_settings/dialog/EventHook.h"

#include <QObject>
#include <QWidget>

namespace {

class Hook : public QObject
{
public:
    Hook(QWidget *widget, QEvent::Type type, eventHook::Reaction reaction)
        : QObject(widget), m_type(type), m_reaction(std::move(reaction))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == m_type)
            return m_reaction(event);
        return false;
    }

private:
    QEvent::Type m_type;
    eventHook::Reaction m_reaction;
};

} // namespace

namespace eventHook {

void install(QWidget *widget, QEvent::Type type, Reaction reaction) { new Hook(widget, type, std::move(reaction)); }

} // namespace eventHook

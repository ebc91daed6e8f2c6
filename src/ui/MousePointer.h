// The screen's mouse pointer: the component switches it between the default
// arrow and the hourglass while it works.
#pragma once

namespace ui {

enum class Pointer { Default = 0, Hourglass = 11 };

class MousePointer
{
public:
    virtual ~MousePointer() = default;
    virtual void setScreenPointer(Pointer pointer) = 0;
    virtual Pointer screenPointer() const = 0;
};

} // namespace ui

// Modal message boxes as the component uses them: a text, a title, a set of
// buttons and an icon, answered by the button the user pressed.
#pragma once

#include <QString>

namespace ui {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { OK = 1, Cancel = 2, Yes = 6, No = 7 };

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // A null title means the platform's default caption (the application's name).
    virtual Answer show(const QString &text, const QString &title, Buttons buttons, Icon icon) = 0;
};

} // namespace ui

// The change rules of the settings boxes. Six boxes take digits only, each up
// to its most digits and, for the times, up to a highest value; the name takes
// any text of up to 30 characters. An edit that breaks a rule is undone by
// putting back the box's last accepted text, so a box never shows an invalid
// value; no message is shown. Setting a box's text from inside its own rule
// runs the rule again, nested, before the setting returns: the rule reads the
// box again after each setting and relies on that nested run for the caret
// and the last accepted text. Loaded values pass through the same rules.
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/GUI_EventHandler.h"

#include "partition_settings/dialog/EventHook.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr qsizetype kNameLength = 30;

struct DigitFieldRule
{
    QLineEdit *GUI::*box;
    void (GUI::*change)();
    const char *procedure;
    qsizetype mostDigits;
    qint32 highest; // 0: only the digit count limits the value
};

// In the order of GUI::DigitField.
const std::array<DigitFieldRule, 6> kDigitFields = {{
    {&GUI::txtAccessCode, &GUI::txtAccessCode_Change, "txtAccessCode_Change", 12, 0},
    {&GUI::txtMSGCmd, &GUI::txtMSGCmd_Change, "txtMSGCmd_Change", 3, 0},
    {&GUI::txtRecTimeMin, &GUI::txtRecTimeMin_Change, "txtRecTimeMin_Change", 3, 360},
    {&GUI::txtRecTimeSec, &GUI::txtRecTimeSec_Change, "txtRecTimeSec_Change", 2, 59},
    {&GUI::txtTimeLimitMin, &GUI::txtTimeLimitMin_Change, "txtTimeLimitMin_Change", 2, 30},
    {&GUI::txtTimeLimitSec, &GUI::txtTimeLimitSec_Change, "txtTimeLimitSec_Change", 2, 59},
}};

bool isDecimalDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The text without the blanks at either end (other white space stays).
QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == QLatin1Char(' '))
        ++first;
    while (end > first && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

// Trims the box (a change runs its rule for the trimmed text first), then puts
// the caret at the length the text had before, as far as the text reaches.
void trimKeepingCaret(QLineEdit *box, qsizetype caret)
{
    const QString trimmed = trimBlanks(box->text());
    if (trimmed != box->text())
        box->setText(trimmed);
    box->setCursorPosition(int(qMin(caret, box->text().size())));
}

} // namespace

void GUI::connectFieldHandlers()
{
    for (const DigitFieldRule &field : kDigitFields)
        connect(this->*field.box, &QLineEdit::textChanged, this, field.change);
    connect(txtPartitionName, &QLineEdit::textChanged, this, &GUI::txtPartitionName_Change);
    eventHook::install(txtPartitionName, QEvent::FocusOut, [this](QEvent *) {
        txtPartitionName_LostFocus();
        return false;
    });
}

QString GUI::ValidateTextField(qint16 Count, const QString &Text)
{
    QString result;
    handler("ValidateTextField", [&] {
        for (qsizetype position = 0; position < Count; ++position) {
            if (position >= Text.size() || !isDecimalDigit(Text[position]))
                return;
        }
        result = QStringLiteral("OK");
    });
    return result;
}

// The rule every digit box follows; `limits` is asked only once the box holds text.
void GUI::applyDigitRule(QLineEdit *box, QString &lastAccepted, const std::function<DigitLimits()> &limits)
{
    markChanged();
    const qsizetype typed = box->text().size();
    trimKeepingCaret(box, typed);
    const QString text = box->text();
    if (text.isEmpty()) {
        lastAccepted.clear();
        markChanged();
        return;
    }
    const DigitLimits limit = limits();
    if (typed > limit.mostDigits || ValidateTextField(qint16(typed), text) != QLatin1String("OK")) {
        box->setText(lastAccepted);
        return;
    }
    lastAccepted = text;
    if (limit.highest > 0 && text.toLongLong() > limit.highest)
        box->setText(QString::number(limit.highest));
}

void GUI::digitFieldChange(DigitField field)
{
    const DigitFieldRule &rule = kDigitFields[field];
    const DigitLimits limits{rule.mostDigits, rule.highest};
    handler(rule.procedure, [&] { applyDigitRule(this->*rule.box, m_lastDigitText[field], [&] { return limits; }); });
}

void GUI::txtAccessCode_Change() { digitFieldChange(AccessCode); }
void GUI::txtMSGCmd_Change() { digitFieldChange(MSGCmd); }
void GUI::txtRecTimeMin_Change() { digitFieldChange(RecTimeMin); }
void GUI::txtRecTimeSec_Change() { digitFieldChange(RecTimeSec); }
void GUI::txtTimeLimitMin_Change() { digitFieldChange(TimeLimitMin); }
void GUI::txtTimeLimitSec_Change() { digitFieldChange(TimeLimitSec); }

// A name of up to 30 characters that differs from the last accepted one marks
// the partition changed; retyping the same name does not. A longer text is undone whole.
void GUI::txtPartitionName_Change()
{
    handler("txtPartitionName_Change", [&] {
        const QString text = txtPartitionName->text();
        if (text.size() > kNameLength) {
            txtPartitionName->setText(m_lastPartitionName);
            return;
        }
        if (text != m_lastPartitionName) {
            m_lastPartitionName = text;
            markChanged();
        }
    });
}

void GUI::txtPartitionName_LostFocus()
{
    handler("txtPartitionName_LostFocus", [&] {
        if (txtPartitionName->text().size() > kNameLength)
            txtPartitionName->setText(txtPartitionName->text().left(kNameLength));
    });
}

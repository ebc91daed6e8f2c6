// One partition's settings into the dialog's fields, times shown as minutes
// and seconds. A partition the configuration does not have yet shows fixed
// defaults and is created on the server with them, unless the access mode
// forbids writing.
#include "partition_settings/rules/Busyness_Rules.h"

#include "components/AnswerColumns.h"
#include "core/Numbers.h"
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/ListControls.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>
#include <limits>

namespace {

// A number's decimal text with "0" in front when it is shorter than two characters.
QString twoDigits(qint64 number)
{
    const QString text = QString::number(number);
    return text.size() < 2 ? QStringLiteral("0") + text : text;
}

// Whole seconds as minutes and seconds in two boxes; the minutes must fit 16 bits.
void showTime(const Variant &seconds, QLineEdit *minutesBox, QLineEdit *secondsBox)
{
    const qint32 total = rt::toLong(seconds);
    const qint16 minutes = rt::checkedInteger(total / 60);
    minutesBox->setText(twoDigits(minutes));
    secondsBox->setText(twoDigits(total - 60 * qint64(minutes)));
}

// Copies a field, read by its name, unless it is null or empty (the control
// keeps its text).
template <typename Show> void copyField(const RecordSet &settings, const AnswerColumn &field, Show show)
{
    const Variant &value = settings.Fields(field.name);
    if (!value.isNullOrEmpty())
        show(value);
}

} // namespace

void Busyness_Rules::Get_Partition_Settings(qint16 configId, qint16 partitionId, bool DefaultView)
{
    try {
        GUI &form = dialog();
        XML_Buffer = m_CONFIG->Get_Partition_Settings_XML(QString::number(configId), QString::number(partitionId));
        CurrentRS = XMLToRS();
        if (!CurrentRS->isEOF())
            showSettingsRow(form, *CurrentRS, DefaultView);
        else
            showDefaultsAndCreate(form, configId, partitionId);
        if (!DefaultView)
            placeSelector(form);
    } catch (...) {
        showLoaderFailure(QStringLiteral("Get_Partition_Settings"));
    }
}

void Busyness_Rules::showSettingsRow(GUI &form, const RecordSet &settings, bool DefaultView)
{
    namespace column = columns::settings;
    if (!DefaultView)
        copyField(settings, column::PartitionID,
                  [&](const Variant &v) { form.txtPartitionNumber->setText(v.toText()); });
    copyField(settings, column::Name, [&](const Variant &v) { form.txtPartitionName->setText(v.toText()); });
    copyField(settings, column::PartitionAccessCode,
              [&](const Variant &v) { form.txtAccessCode->setText(v.toText()); });
    copyField(settings, column::REMLanguage,
              [&](const Variant &v) { listControls::setText(form.cboRemoteLanguage, v.toText()); });
    copyField(settings, column::TotalRecTime,
              [&](const Variant &v) { showTime(v, form.txtRecTimeMin, form.txtRecTimeSec); });
    copyField(settings, column::NoMSGRecorded,
              [&](const Variant &v) { listControls::setText(form.cboNoMSGRecorded, v.toText()); });
    copyField(settings, column::SelectLimit,
              [&](const Variant &v) { listControls::setText(form.cboSelectionLimit, v.toText()); });
    copyField(settings, column::TimeLimit,
              [&](const Variant &v) { showTime(v, form.txtTimeLimitMin, form.txtTimeLimitSec); });
    copyField(settings, column::Command, [&](const Variant &v) { listControls::setText(form.cboCommand, v.toText()); });
    copyField(settings, column::MSGNo, [&](const Variant &v) {
        form.Let_strMSGNo(v.toText());
        form.txtMSGCmd->setText(v.toText());
    });
}

void Busyness_Rules::showDefaultsAndCreate(GUI &form, qint16 configId, qint16 partitionId)
{
    form.txtPartitionName->setText(QStringLiteral("Default Partition"));
    form.txtAccessCode->setText(QStringLiteral("6093"));
    listControls::setText(form.cboRemoteLanguage, QStringLiteral("ENGLISH"));
    form.txtRecTimeMin->setText(QStringLiteral("00"));
    form.txtRecTimeSec->setText(QStringLiteral("00"));
    listControls::selectIndex(form.cboNoMSGRecorded, 0);
    listControls::selectIndex(form.cboSelectionLimit, 0);
    form.txtTimeLimitMin->setText(QStringLiteral("00"));
    form.txtTimeLimitSec->setText(QStringLiteral("00"));
    listControls::selectIndex(form.cboCommand, 0);
    form.txtMSGCmd->setText(QStringLiteral("1"));
    form.Let_strMSGNo(QStringLiteral("1"));
    if (MayWrite())
        m_INSCONFIG->Insert_Partition_Record(newPartitionRecord(form, configId, partitionId, 0, 0));
}

// Selects the entry of the partition shown and writes its place ("3 of 7").
void Busyness_Rules::placeSelector(GUI &form)
{
    QComboBox *selector = form.cboPartitionNumber;
    if (selector->count() == 0)
        return;
    // Item data are whole numbers: a shown number with a fraction matches none.
    const double shown = rt::textToDouble(form.txtPartitionNumber->text());
    if (shown != std::trunc(shown) || std::abs(shown) > std::numeric_limits<qint32>::max())
        return;
    const int entry = listControls::findItemData(selector, qint32(shown), selector->count());
    if (entry < 0)
        return;
    listControls::selectIndex(selector, entry);
    form.txtIDFraction->setText(QString::number(entry + 1) + QStringLiteral(" of ")
                                + QString::number(selector->count()));
}

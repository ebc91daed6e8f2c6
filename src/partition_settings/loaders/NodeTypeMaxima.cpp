// The node grid: each node type's maximum number of nodes in a partition, in
// ascending node type order. A partition without stored maxima gets default
// maxima for every node type below 813 (stored for the default partition).
// Also hands the dialog the message word and count of the PLAY command: the
// name and maximum of node type 0.
#include "partition_settings/rules/Busyness_Rules.h"

#include "components/AnswerColumns.h"
#include "components/NodeTypeDefaults.h"
#include "components/SingleUseComponents.h"
#include "core/Numbers.h"
#include "partition_settings/dialog/GUI.h"
#include "partition_settings/dialog/NodeGridGeometry.h"
#include "partition_settings/dialog/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <cmath>

namespace {

constexpr qint16 kMessageNodeType = 0;

// Stored rows of these node types are never shown.
bool isSkippedNodeType(qint16 id) { return id == 999 || id == 10; }

// Sizes the movable sheet to the rows filled and sets the scroll range. A
// value beyond the new maximum is pulled back, which moves the sheet through
// the scroll bar's handler. The maximum is negative when every row fits: the
// bar is then disabled and the sheet stays at the top (Qt's bar cannot hold a
// value of 0 above such a maximum, so it is set quietly).
void sizeNodeGrid(GUI &form, qint16 rows)
{
    twips::setHeight(form.picNode, nodeGrid::sheetHeight(rows));
    const int maximum = int(std::lround(double(twips::height(form.picNode)) - twips::height(form.Picture1)));
    if (maximum < 0) {
        const QSignalBlocker blocker(form.VScroll1);
        form.VScroll1->setRange(maximum, maximum);
        twips::setTop(form.picNode, 0);
    } else {
        form.VScroll1->setRange(0, maximum);
    }
    form.VScroll1->setEnabled(nodeGrid::needsScrolling(rows, twips::height(form.Picture1)));
}

} // namespace

void Busyness_Rules::Get_Node_Type_Max(qint16 configId, qint16 partitionId)
{
    try {
        GUI &form = dialog();
        {
            const auto reader = m_factory.createByClassId<NodeTypeMaxReader>(NodeTypeMaxReader::classId());
            XML_Buffer = reader->Get_Node_Type_Max_XML(QString::number(configId), QString::number(partitionId));
        }
        CurrentRS = XMLToRS();
        qint16 row = 0;
        m_NodeTypeCount = 0;
        form.Let_iMaxMSG(0);
        CurrentRS->Sort(QString(columns::nodeMaxima::NodeType_ID.name) + QStringLiteral(" asc"));
        if (!CurrentRS->isEOF()) {
            for (; !CurrentRS->isEOF(); CurrentRS->MoveNext()) {
                const qint16 id = rt::toInteger(CurrentRS->Fields(columns::nodeMaxima::NodeType_ID.position));
                const qint16 maximum = rt::toInteger(CurrentRS->Fields(columns::nodeMaxima::Max_Number.position));
                if (!isSkippedNodeType(id))
                    fillNodeRow(form, row, id, maximum);
            }
        } else {
            storeDefaultMaxima(form, configId, row);
        }
        sizeNodeGrid(form, row);
        for (qint16 r = row; r < nodeGrid::Rows; ++r) {
            form.lblNode[r]->setVisible(false);
            form.txtNode[r]->setVisible(false);
        }
    } catch (...) {
        showLoaderFailure(QStringLiteral("Get_Node_Type_Max"));
    }
}

// Nothing stored for the partition: every listed node type below 813 except
// 10 gets its default maximum, stored for partition 0 whatever was asked
// (shown only, when the access mode forbids writing).
void Busyness_Rules::storeDefaultMaxima(GUI &form, qint16 configId, qint16 &row)
{
    XML_Buffer = m_SR->Get_Node_Types_XML();
    CurrentRS = XMLToRS();
    for (; !CurrentRS->isEOF(); CurrentRS->MoveNext()) {
        const qint16 id = rt::toInteger(CurrentRS->Fields(columns::nodeTypes::ID.name));
        if (!nodeTypeDefaults::hasDefaultMaximum(id))
            continue;
        const qint16 maximum = nodeTypeDefaults::defaultMaximum(id);
        if (MayWrite())
            m_INSNODES->Insert_Node_Type_Max_Record(
                {QString::number(configId), QStringLiteral("0"), QString::number(id), QString::number(maximum)});
        fillNodeRow(form, row, id, maximum);
    }
}

void Busyness_Rules::fillNodeRow(GUI &form, qint16 &row, qint16 id, qint16 maximum)
{
    if (row < 0 || row >= nodeGrid::Rows)
        throw rt::RuntimeError::standard(rt::SubscriptOutOfRange);
    const QString name = m_NodeTypeNames->Item(QString::number(id));
    form.lblNode[row]->setVisible(true);
    form.lblNode[row]->setText(name);
    form.lblNodeTypeID[row]->setText(QString::number(id));
    form.txtNode[row]->setVisible(true);
    form.txtNode[row]->setText(QString::number(maximum));
    if (id == kMessageNodeType) {
        form.Let_strMSG(name);
        form.Let_iMaxMSG(maximum);
    }
    row = rt::addInteger(row, 1);
    m_NodeTypeCount = rt::addInteger(m_NodeTypeCount, 1);
}

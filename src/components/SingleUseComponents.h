// The two outside components that one procedure each creates by class id
// where it uses them: the node-maximum reader and the partition-name checker.
#pragma once

#include "components/Component.h"

#include <QString>
#include <QUuid>

class NodeTypeMaxReader : public Component
{
public:
    static QUuid classId() { return QUuid("{DE179831-08C7-11D5-8048-000102704B80}"); }
    static QUuid interfaceId() { return QUuid("{DE179830-08C7-11D5-8048-000102704B80}"); }

    // Operation 3: the node maxima of one partition (no rows when none are stored).
    virtual QString Get_Node_Type_Max_XML(const QString &configId, const QString &partition) = 0;
};

class NameValidator : public Component
{
public:
    // The checker's identity is this project's own; the system fixes only its calls.
    static QUuid classId() { return QUuid("{5B0D3C62-6F0E-4E59-9A43-2C7C1E5D8A11}"); }
    static QUuid interfaceId() { return QUuid("{5B0D3C63-6F0E-4E59-9A43-2C7C1E5D8A11}"); }

    // True when the name may be stored.
    virtual bool CheckName(const QString &name) = 0;
    // The text to store in place of the name.
    virtual QString ConvertName(const QString &name) = 0;
};

// The component library loaded with QLibrary, as a host loads it, for the
// test and the host process of this folder: its entry points, objects made
// through its class object, and Shown through the interface read as text.
#pragma once

#include "inproc/VEL_PART_SET.h"

#include <QLibrary>
#include <QString>

namespace testing {

struct LoadedLibrary
{
    // Loads the library and resolves its entry points: false when one is missing.
    bool load();
    // Null when the class object cannot be had.
    IClassFactory *factory() const;
    // Null, with the failing answer, when the class object or the object could not be made.
    _Busyness_Rules *create(HRESULT *answer = nullptr) const;
    // The text, which is freed.
    QString take(BSTR text) const;
    // "<ErrCode> <ErrLocation> <ErrDescription>"
    QString errorInfo(_Busyness_Rules *rules) const;
    // Silent, on partition 1: "<Shown's answer> <result's type>:<its Boolean> " and errorInfo().
    QString shown(_Busyness_Rules *rules, short config, short language) const;

    QLibrary library{QStringLiteral(VEL_PART_SET_LIBRARY)};
    VEL_DllGetClassObject getClassObject = nullptr;
    VEL_DllEntry canUnloadNow = nullptr, registerServer = nullptr, unregisterServer = nullptr;
    BSTR (*allocString)(const OLECHAR *, UINT) = nullptr;
    void (*freeString)(BSTR) = nullptr;
    void (*initVariant)(VARIANT *) = nullptr;
    HRESULT (*clearVariant)(VARIANT *) = nullptr;
};

} // namespace testing

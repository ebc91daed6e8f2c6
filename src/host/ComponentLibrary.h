// The component library as a configuration host loads it: found through the
// registry by its ProgID (or, to register it, where the build put it), loaded
// with QLibrary, its entry points and string helpers, and unloaded at the
// end once it says that nothing of it is alive.
#pragma once

#include "inproc/VEL_PART_SET.h"

#include <QLibrary>
#include <QString>

class ComponentLibrary
{
public:
    // The file that the registry names as the in-process server of the
    // ProgID's class. Throws std::runtime_error when the ProgID or its class
    // is not registered.
    static QString registeredPath(const QString &progId);

    // The two libraries this host registers: the component's, and the one of
    // the server components that the component finds when its host
    // registered none in the process.
    enum class Built { Component, ServerComponents };

    // A library this host was built with: the one beside the executable
    // when there is one, else the one where an install puts it (relative to
    // the executable), else the one in the build tree.
    static QString builtPath(Built library);

    // Throws std::runtime_error when the library cannot be loaded or lacks an
    // entry point.
    explicit ComponentLibrary(const QString &path);
    ~ComponentLibrary();
    ComponentLibrary(const ComponentLibrary &) = delete;
    ComponentLibrary &operator=(const ComponentLibrary &) = delete;

    HRESULT getClassObject(REFCLSID classId, REFIID interfaceId, void **object) const;
    HRESULT registerServer() const { return m_register(); }
    HRESULT unregisterServer() const { return m_unregister(); }

    // A BSTR for an argument; the caller frees it with freeString.
    BSTR newString(const QString &text) const;
    void freeString(BSTR text) const;

private:
    template <typename Function> Function entry(const char *name);

    QLibrary m_library;
    VEL_DllGetClassObject m_getClassObject = nullptr;
    VEL_DllEntry m_canUnloadNow = nullptr;
    VEL_DllEntry m_register = nullptr;
    VEL_DllEntry m_unregister = nullptr;
    BSTR (*m_allocString)(const OLECHAR *, UINT) = nullptr;
    void (*m_freeString)(BSTR) = nullptr;
};

// The registry keys of one class of an in-process server, under the classes
// root:
//   CLSID\{id}                  (default) the class's name
//   CLSID\{id}\InprocServer32   (default) the library's path, ThreadingModel "Apartment"
//   CLSID\{id}\ProgID           (default) the ProgID     (a class with one)
//   <ProgID>\CLSID              (default) "{id}"         (a class with one)
// Removing takes those keys away, deepest first, and then the ProgID's key
// when nothing else (no value, no other subkey) is left in it; nothing else.
#pragma once

#include <QString>
#include <QUuid>

namespace com {

struct RegisteredClass
{
    QUuid classId;
    QString name;
    QString progId; // empty: the class is created by its identifier only
};

// "{E1188022-...}": a class identifier as the registry writes it.
QString registryText(const QUuid &classId);

// False when the registry refuses a key.
bool writeClassKeys(const RegisteredClass &entry, const QString &libraryPath);
bool removeClassKeys(const RegisteredClass &entry);

} // namespace com

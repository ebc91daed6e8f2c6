// QRVCOMPlusFilesAndFolders: where the component's shared files live.
//
// The data folder is the common application-data folder of the shell
// (special folder 35) + "Velantis" + "QRVCOM+"; when that folder does not
// exist it is built again from the registry's "Common AppData" value, and
// that second text is used without a further check. Nothing here creates
// folders. Every folder text ends with the platform's separator ("\" on
// Windows, "/" elsewhere).
#pragma once

#include "core/Variant.h"
#include "platform/RegistryApi.h"

#include <QString>

namespace QRVCOMPlusFilesAndFolders {

// The path of a shell special folder, or the empty text on any failure.
QString specialFolderPath(qint32 folder);

// One registry value; the default when its key cannot be opened. Error 1001
// "Unsupported value type" for a value that cannot be converted.
Variant registryValue(platform::RootKey root, const QString &keyPath, const QString &valueName,
                      const Variant &defaultValue = Variant::text(QString()));

// The registry's "Common AppData" folder, or the empty text.
QString commonAppDataFolder();

// The component's data folder; may raise error 1001 from the registry.
QString dataFolder();

// The data folder for a host that keeps files of its own there and creates
// it when missing: the data folder as above, except that when the shell's
// folder is missing and the registry names no other, the shell's (so that
// the component finds the folder the host creates).
QString hostDataFolder();

// The data folder's "Database" folder.
QString databaseFolder();

// The user log file "User_Log.txt" in the data folder.
QString userLogPath();

} // namespace QRVCOMPlusFilesAndFolders

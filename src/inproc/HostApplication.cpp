// An application object of the library's own while the host has none, and
// whether the host's own can make widgets.
#include "inproc/HostApplication.h"

#include "comkit/LibraryPath.h"
#include "inproc/UsableDisplay.h"
#include "ui/RuntimeFolder.h"

#include <QApplication>

namespace inproc {
namespace {

// The arguments stay valid for the application's whole life.
int argumentCount = 1;
char programName[] = "VEL_PART_SET";
char *arguments[] = {programName, nullptr};

} // namespace

QString ensureApplication()
{
    const QCoreApplication *application = QCoreApplication::instance();
    if (application)
        return qobject_cast<const QApplication *>(application)
                   ? QString()
                   : QStringLiteral("the host's Qt application is no QApplication and cannot show widgets");
    const QString missing = missingDisplay();
    if (!missing.isEmpty())
        return missing;
    if (!com::keepLoaded())
        return QStringLiteral("the library cannot keep itself loaded for an application of its own");
    // Both live as long as the process; the folder goes when it ends.
    static const PrivateRuntimeFolder runtimeFolder;
    new QApplication(argumentCount, arguments); // QCoreApplication::instance() from now on, never destroyed
    return {};
}

} // namespace inproc

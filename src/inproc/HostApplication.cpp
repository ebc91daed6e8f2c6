// An application object of the library's own while the host has none, and
// whether the host's own can make widgets.
#include "inproc/HostApplication.h"

namespace inproc {
namespace {

// The arguments stay valid for the application's whole life.
int argumentCount = 1;
char programName[] = "VEL_PART_SET";
char *arguments[] = {programName, nullptr};

std::weak_ptr<QApplication> shared;

} // namespace

std::shared_ptr<QApplication> hostApplication()
{
    std::shared_ptr<QApplication> application = shared.lock();
    if (application || QCoreApplication::instance())
        return application;
    application = std::make_shared<QApplication>(argumentCount, arguments);
    shared = application;
    return application;
}

bool widgetsPossible()
{
    const QCoreApplication *application = QCoreApplication::instance();
    return !application || qobject_cast<const QApplication *>(application);
}

} // namespace inproc

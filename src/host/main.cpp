// partition-settings: the configuration host. It puts the reference server
// components on a store, loads the component library that the registry names
// for VEL_PART_SET.Busyness_Rules, creates one Busyness_Rules through its
// class factory and calls Shown; exit status 0 when Shown returns True,
// otherwise 1 with the recorded error. --register and --unregister call the
// registration entry points of the component's library and of the server
// components' library (which a host that registers no components of its own
// gets its components from) that it was built with.
#include "ComponentSession.h"
#include "FileCommands.h"
#include "HeadlessSession.h"
#include "HistoryTable.h"
#include "HostOptions.h"

#include "server/ReferenceComponents.h"
#include "server/ReferenceStore.h"
#include "server/SampleStore.h"
#include "ui/MessageBoxComponent.h"
#include "ui/RuntimeFolder.h"

#include <QApplication>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void printLine(const QString &line) { std::printf("%s\n", qPrintable(line)); }

QString storeLocation(const HostOptions &options, server::SampleStoreFile file = server::SampleStoreFile::Made)
{
    return options.storePath.isEmpty() ? server::sampleStorePath(file) : options.storePath;
}

std::shared_ptr<server::ReferenceStore> openStore(const HostOptions &options)
{
    return server::ReferenceStore::open(storeLocation(options),
                                        options.noSample ? server::ReferenceStore::Seeding::SchemaOnly
                                                         : server::ReferenceStore::Seeding::SampleConfiguration);
}

// Reads the history of a store that is there; creates, seeds and changes nothing.
int printHistory(const HostOptions &options)
{
    const auto store = server::ReferenceStore::open(storeLocation(options, server::SampleStoreFile::LeftAlone),
                                                   server::ReferenceStore::Seeding::Existing);
    const auto filter = [](bool given, qint16 value) { return given ? std::optional<qint16>(value) : std::nullopt; };
    std::printf("%s", qPrintable(historyTable(store->history(filter(options.configGiven, options.configId),
                                                             filter(options.partitionGiven, options.partitionId)))));
    return 0;
}

int runShown(const HostOptions &options)
{
    const auto store = openStore(options);
    server::registerReferenceComponents(ComponentFactory::global(), store);
    ui::registerMessageBoxComponent(ComponentFactory::global());

    const ComponentLibrary component(ComponentLibrary::registeredPath(QStringLiteral(VEL_PART_SET_PROGID)));
    const ShownAnswer answer = showThroughComponent(component, options);
    if (answer.shown)
        return 0;
    printLine(QStringLiteral("ErrLocation: ") + answer.errLocation);
    printLine(QStringLiteral("ErrCode: ") + QString::number(answer.errCode));
    printLine(QStringLiteral("ErrDescription: ") + answer.errDescription);
    return 1;
}

// --register or --unregister, of the component's library and then of the
// server components' library: 0 when both entry points answer S_OK.
int registration(int argc, char **argv, bool add)
{
    QCoreApplication app(argc, argv);
    try {
        for (const auto library : {ComponentLibrary::Built::Component, ComponentLibrary::Built::ServerComponents}) {
            const ComponentLibrary loaded(ComponentLibrary::builtPath(library));
            const HRESULT answer = add ? loaded.registerServer() : loaded.unregisterServer();
            if (answer != S_OK) {
                std::fprintf(stderr, "partition-settings: %s of %s answered 0x%08x\n",
                             add ? "DllRegisterServer" : "DllUnregisterServer",
                             qPrintable(ComponentLibrary::builtPath(library)), unsigned(answer));
                return 1;
            }
        }
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "partition-settings: %s\n", error.what());
        return 2;
    }
}

} // namespace

int main(int argc, char **argv)
{
    const PrivateRuntimeFolder runtimeFolder;
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    for (const char *option : {"--register", "--unregister"})
        if (arguments == QStringList{QLatin1String(option)})
            return registration(argc, argv, option[2] == 'r');
    QString usageError;
    const std::optional<HostOptions> options = parseHostOptions(arguments, usageError);
    if (!options) {
        std::fprintf(stderr, "partition-settings: %s\n%s", qPrintable(usageError), qPrintable(hostUsage()));
        return 2;
    }
    if (options->help) {
        std::printf("%s", qPrintable(hostUsage()));
        return 0;
    }

    if (options->history || options->fileCommand()) {
        try {
            QCoreApplication app(argc, argv);
            return options->history ? printHistory(*options) : runFileCommand(*options, openStore(*options));
        } catch (const std::exception &error) {
            std::fprintf(stderr, "partition-settings: %s\n", error.what());
            return 2;
        }
    }

    const bool screenshot = !options->screenshot.isEmpty();
    if (!hasDisplay()) {
        if (!screenshot) {
            std::fprintf(stderr, "partition-settings: no display to show the dialog on; "
                                 "use --screenshot FILE to render it offscreen to a PNG.\n");
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Partition Settings"));

    // Without a person at the screen nobody can answer a box or close the
    // dialog: render it to the file (or close it at once) instead.
    const bool headless = screenshot || QGuiApplication::platformName() == QLatin1String("offscreen");
    ConsoleMessageBoxes consoleBoxes;
    ScreenshotRunner runner(options->screenshot);
    std::unique_ptr<ui::ScopedServices> headlessServices;
    if (headless)
        headlessServices = std::make_unique<ui::ScopedServices>(ui::Services{&consoleBoxes, nullptr, &runner});

    int status = 2;
    try {
        status = runShown(*options);
    } catch (const std::exception &error) {
        // Only the store and its folder (a store that cannot be opened, or a
        // database of another application, left untouched) and loading the
        // component can fail out here: Shown lets no error through.
        std::fprintf(stderr, "partition-settings: %s\n", error.what());
        return 2;
    }
    if (screenshot && !runner.shown())
        std::fprintf(stderr, "partition-settings: the dialog was not shown, so no screenshot was written.\n");
    if (screenshot && !runner.failure().isEmpty()) {
        std::fprintf(stderr, "partition-settings: cannot write the screenshot %s: %s\n",
                     qPrintable(options->screenshot), qPrintable(runner.failure()));
        return 2;
    }
    return status;
}

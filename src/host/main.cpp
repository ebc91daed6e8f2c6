// partition-settings: the configuration host. It puts the reference server
// components on a store, creates one Busyness_Rules and calls Shown; exit
// status 0 when Shown returns True, otherwise 1 with the recorded error.
#include "HeadlessSession.h"
#include "HostOptions.h"

#include "data/QRVCOMPlusFilesAndFolders.h"
#include "rules/Busyness_Rules.h"
#include "server/ReferenceComponents.h"
#include "server/ReferenceStore.h"
#include "ui/MessageBoxComponent.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void makeFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot create the folder " + folder.toStdString()
                                 + " (set VELANTIS_COMMON_APPDATA to a folder you may write to)");
}

// The sample store lives in the data folder's Database folder. The host
// creates both folders, so that the store and the user log have a home; the
// component then finds the same data folder.
QString sampleStorePath()
{
    makeFolder(QRVCOMPlusFilesAndFolders::hostDataFolder());
    const QString databaseFolder = QRVCOMPlusFilesAndFolders::databaseFolder();
    makeFolder(databaseFolder);
    return databaseFolder + QStringLiteral("SampleStore.sqlite");
}

void printLine(const QString &line) { std::printf("%s\n", qPrintable(line)); }

int runShown(const HostOptions &options)
{
    const QString storePath = options.storePath.isEmpty() ? sampleStorePath() : options.storePath;
    const auto store = server::ReferenceStore::openSqlite(storePath);
    server::registerReferenceComponents(ComponentFactory::global(), store);
    ui::registerMessageBoxComponent(ComponentFactory::global());

    Busyness_Rules rules;
    const Variant result = rules.Shown(options.configId, options.partitionId, options.menuOption, options.languageId,
                                       options.silent, options.partitionButton);
    if (result.type() == Variant::Type::Boolean && result.asBoolean())
        return 0;
    printLine(QStringLiteral("ErrLocation: ") + rules.ErrLocation());
    printLine(QStringLiteral("ErrCode: ") + QString::number(rules.ErrCode()));
    printLine(QStringLiteral("ErrDescription: ") + rules.ErrDescription());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
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
        // Only the store and its folder can fail out here: Shown lets no error through.
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

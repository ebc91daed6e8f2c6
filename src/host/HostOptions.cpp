// Parsing of the host's command line.
#include "HostOptions.h"

#include <limits>

namespace {

bool parseInteger(const QString &text, qint16 &value)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
        return false;
    value = qint16(number);
    return true;
}

// The options that go together: one file command at a time, alone with the
// store, the configuration and its own options.
bool combinationAllowed(const HostOptions &o, QString &message)
{
    const int commands = int(!o.exportFile.isEmpty()) + int(!o.importFile.isEmpty()) + int(o.copyFrom.has_value());
    if (commands > 1 || (commands == 1 && (o.history || !o.screenshot.isEmpty())))
        message = QStringLiteral("--export, --import, --copy-settings, --history and --screenshot go one at a time");
    else if (o.copyFrom.has_value() == o.copyTo.isEmpty())
        message = QStringLiteral("--copy-settings and --to go together");
    else if (o.dryRun && o.importFile.isEmpty() && !o.copyFrom)
        message = QStringLiteral("--dry-run goes with --import or --copy-settings");
    else if (!o.fields.isEmpty() && !o.copyFrom)
        message = QStringLiteral("--fields goes with --copy-settings");
    else if (o.partitionListed && o.exportFile.isEmpty())
        message = QStringLiteral("--partition needs a whole number from -32768 to 32767 (a list only with --export)");
    else if (o.partitionGiven && (!o.importFile.isEmpty() || o.copyFrom))
        message = QStringLiteral("--import and --copy-settings take their partitions from the file or from --to");
    return message.isEmpty();
}

} // namespace

QString hostUsage()
{
    return QStringLiteral("Usage: partition-settings [options]\n"
                          "Opens the Partition Settings dialog for one configuration.\n"
                          "  --config N             configuration number (default 1)\n"
                          "  --partition N          partition to open (default 1)\n"
                          "  --menu-option TEXT     access mode: x no access, r read only, anything else full\n"
                          "  --language N           language number (default 1, English node type names)\n"
                          "  --silent               record errors without showing them\n"
                          "  --no-partition-button  hide the Defaults button and shorten the dialog\n"
                          "  --store PATH|URI       the store of the reference server components: a SQLite file\n"
                          "                         or postgresql://user@host:port/dbname\n"
                          "  --no-sample            a new store gets the tables only, not the sample configuration\n"
                          "  --history              print the store's change history, newest first (filtered\n"
                          "                         by --config and --partition when given)\n"
                          "  --screenshot FILE      render the dialog offscreen to a PNG file and close it\n"
                          "  --export FILE|-        write the configuration's partitions (all, or the --partition\n"
                          "                         list, such as 3,5-9) to a JSON file, or - for standard output\n"
                          "  --import FILE          check a partition file whole, then write what differs\n"
                          "  --copy-settings FROM   give the --to partitions (a list) partition FROM's settings:\n"
                          "                         all, or the --fields named (NodeMaxima for the node maxima)\n"
                          "  --dry-run              with --import or --copy-settings: list the changes only\n"
                          "  --register             register the component library and the server components'\n"
                          "                         library (alone)\n"
                          "  --unregister           unregister both libraries (alone)\n");
}

std::optional<HostOptions> parseHostOptions(const QStringList &arguments, QString &message)
{
    HostOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments.at(++i);
        };
        auto integer = [&](qint16 &target) {
            const std::optional<QString> text = value();
            if (text && parseInteger(*text, target))
                return true;
            message = option + QStringLiteral(" needs a whole number from -32768 to 32767");
            return false;
        };
        auto text = [&](QString &target) {
            const std::optional<QString> given = value();
            if (given)
                target = *given;
            else
                message = option + QStringLiteral(" needs a value");
            return bool(given);
        };

        bool ok = true;
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            options.help = true;
            break;
        }
        if (option == QLatin1String("--config"))
            ok = options.configGiven = integer(options.configId);
        else if (option == QLatin1String("--partition")) {
            ok = options.partitionGiven = text(options.partitionText);
            options.partitionListed = ok && !parseInteger(options.partitionText, options.partitionId);
        } else if (option == QLatin1String("--export"))
            ok = text(options.exportFile);
        else if (option == QLatin1String("--import"))
            ok = text(options.importFile);
        else if (option == QLatin1String("--copy-settings")) {
            qint16 from = 0;
            ok = integer(from);
            options.copyFrom = from;
        } else if (option == QLatin1String("--to"))
            ok = text(options.copyTo);
        else if (option == QLatin1String("--fields")) {
            QString names;
            ok = text(names);
            options.fields = names.split(u',', Qt::SkipEmptyParts);
        } else if (option == QLatin1String("--dry-run"))
            options.dryRun = true;
        else if (option == QLatin1String("--language"))
            ok = integer(options.languageId);
        else if (option == QLatin1String("--menu-option"))
            ok = text(options.menuOption);
        else if (option == QLatin1String("--store"))
            ok = text(options.storePath);
        else if (option == QLatin1String("--screenshot"))
            ok = text(options.screenshot);
        else if (option == QLatin1String("--silent"))
            options.silent = true;
        else if (option == QLatin1String("--no-partition-button"))
            options.partitionButton = false;
        else if (option == QLatin1String("--no-sample"))
            options.noSample = true;
        else if (option == QLatin1String("--history"))
            options.history = true;
        else {
            message = QStringLiteral("unknown option ") + option;
            ok = false;
        }
        if (!ok)
            return std::nullopt;
    }
    if (!options.help && !combinationAllowed(options, message))
        return std::nullopt;
    return options;
}

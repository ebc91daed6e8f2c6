// --export, --import and --copy-settings: the partition transfer on the
// store, with its lines printed (changes to standard output, problems and
// failures to standard error).
#include "FileCommands.h"

#include "server/ReferenceComponents.h"
#include "transfer/PartitionSelection.h"
#include "transfer/PartitionTransfer.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

using transfer::Outcome;

int report(const Outcome &outcome)
{
    FILE *stream = outcome.status == Outcome::Status::Refused || outcome.status == Outcome::Status::Failed ? stderr
                                                                                                            : stdout;
    for (const QString &line : outcome.lines)
        std::fprintf(stream, "%s%s\n", stream == stderr ? "partition-settings: " : "", qPrintable(line));
    switch (outcome.status) {
    case Outcome::Status::Done:
    case Outcome::Status::NothingToChange: return 0;
    case Outcome::Status::Refused: return 1;
    case Outcome::Status::Failed: break;
    }
    return 2;
}

Outcome refused(const QString &line) { return {Outcome::Status::Refused, {line}}; }

Outcome exportTo(const ComponentFactory &factory, const HostOptions &options)
{
    std::optional<QList<qint16>> only;
    if (options.partitionGiven) {
        QString reason;
        only = transfer::parsePartitionSelection(options.partitionText, reason);
        if (!only)
            return refused(QStringLiteral("--partition: ") + reason);
    }
    QByteArray json;
    Outcome outcome = transfer::exportPartitions(factory, options.configId, only, json);
    if (outcome.status != Outcome::Status::Done)
        return outcome;
    if (options.exportFile == QLatin1String("-")) {
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        return outcome;
    }
    QSaveFile file(options.exportFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        return {Outcome::Status::Failed, {QStringLiteral("cannot write %1: %2").arg(options.exportFile, file.errorString())}};
    return outcome;
}

Outcome importFrom(const ComponentFactory &factory, const HostOptions &options)
{
    QFile file(options.importFile);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("cannot read %1: %2").arg(options.importFile, file.errorString()));
    return transfer::importPartitions(factory, file.readAll(), options.dryRun);
}

Outcome copy(const ComponentFactory &factory, const HostOptions &options)
{
    QString reason;
    const std::optional<QList<qint16>> to = transfer::parsePartitionSelection(options.copyTo, reason);
    if (!to)
        return refused(QStringLiteral("--to: ") + reason);
    return transfer::copySettings(factory, options.configId, *options.copyFrom, *to, options.fields, options.dryRun);
}

} // namespace

// Writes go only where the dialog in full mode could write, and only to a
// store this user may write: both are refused before any work.
int runFileCommand(const HostOptions &options, const std::shared_ptr<server::ReferenceStore> &store)
{
    const bool writes = options.exportFile.isEmpty() && !options.dryRun;
    const QString mode = options.menuOption.toLower();
    if (writes && (mode == QLatin1String("x") || mode == QLatin1String("r")))
        return report(refused(QStringLiteral("--menu-option %1 gives no right to write; --import and --copy-settings "
                                             "need full access")
                                  .arg(options.menuOption)));
    if (writes && !store->mayWrite())
        return report({Outcome::Status::Failed,
                       {QStringLiteral("the store \"%1\" is open read-only for this user; nothing was written")
                            .arg(store->database().databaseName())}});
    ComponentFactory factory;
    server::registerReferenceComponents(factory, store);
    if (!options.exportFile.isEmpty())
        return report(exportTo(factory, options));
    if (!options.importFile.isEmpty())
        return report(importFrom(factory, options));
    return report(copy(factory, options));
}

// The command line of the configuration host.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct HostOptions
{
    qint16 configId = 1;
    qint16 partitionId = 1;
    QString menuOption;
    qint16 languageId = 1;
    bool silent = false;
    bool partitionButton = true;
    QString storePath;           // empty: the sample store in the data folder; or a postgresql:// URI
    QString screenshot;          // empty: show the dialog in a window
    bool noSample = false;       // a new store gets the schema only
    bool history = false;        // print the change history instead of showing the dialog
    bool configGiven = false;    // --config was given (it filters the history)
    bool partitionGiven = false; // --partition was given
    bool help = false;           // --help or -h given as an option (not as an option's value)
    QString partitionText;       // --partition as given: a number, or for --export a list ("3,5-9")
    bool partitionListed = false; // --partition is not one number

    // Partitions as files, and one partition's settings copied to others.
    QString exportFile;          // --export FILE, "-" for standard output
    QString importFile;          // --import FILE
    std::optional<qint16> copyFrom; // --copy-settings FROM
    QString copyTo;              // --to LIST
    QStringList fields;          // --fields NAMES (empty: all)
    bool dryRun = false;         // --dry-run: check and list the changes, write nothing

    bool fileCommand() const { return !exportFile.isEmpty() || !importFile.isEmpty() || copyFrom.has_value(); }
};

// Parses the arguments (without the program name). An option's value is
// taken as it is, even one that looks like an option; --help or -h in an
// option's place ends the parsing. On a usage error returns nothing and sets
// the message to show.
std::optional<HostOptions> parseHostOptions(const QStringList &arguments, QString &message);

QString hostUsage();

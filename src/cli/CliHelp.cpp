#include "cli/CliHelp.h"

namespace quarvel {

namespace {

const char* const ProgramUsage =
    "Usage: quarvel-cli COMMAND [OPTIONS]\n"
    "\n"
    "Reads a MAME machine list, matches it against a folder of archives and lists or\n"
    "cleans the collection, as the Quarvel window does.\n"
    "\n"
    "Commands:\n"
    "  list              print the machines as TSV or JSON lines\n"
    "  size              print the total size of the present machines\n"
    "  clones delete     delete the archives of the clones\n"
    "  clones move       move the archives of the clones to --output\n"
    "  originals move    move the archives of the originals to --output\n"
    "  originals copy    copy the archives of the originals to --output\n"
    "\n"
    "Every command takes --help and --version; quarvel-cli COMMAND --help tells more.\n"
    "Exit status: 0 success, 1 a file operation failed, 2 bad arguments or input.\n";

const char* const CommonOptions =
    "  --list FILE        the machine list: an XML file, or the MAME executable to run\n"
    "  --source DIR       the folder of archives\n"
    "  --type 7z|zip      the archive type (default 7z)\n";

const char* const FilterOptions =
    "  --present          only machines whose archive is in the source folder\n"
    "  --no-clones        leave the clones out\n"
    "  --filter TEXT      only machines with TEXT in a field, ignoring letter case\n"
    "  --category NAME    only machines of this category (repeatable;\n"
    "                     \"-Missing Category-\" for those without one)\n"
    "  --categories FILE  a category list (catver.ini or sectioned) instead of the built-in one\n";

const char* const ListUsage =
    "Usage: quarvel-cli list --list FILE --source DIR [OPTIONS]\n"
    "\n"
    "Prints one row per machine in the list's order: Rom, Game, Year, Manufacturer,\n"
    "Category, Size (bytes), SizeText, IsClone (0/1), InDisk (0/1).\n"
    "\n";

const char* const SizeUsage =
    "Usage: quarvel-cli size --list FILE --source DIR [OPTIONS]\n"
    "\n"
    "Prints the total size of the present machines that pass the filters: the bytes, a\n"
    "tab, and the size text.\n"
    "\n";

const char* const OperationUsage =
    "Usage: quarvel-cli %1 --list FILE --source DIR%2 [--dry-run]\n"
    "\n"
    "%3 the archive of every %4 of the list that is in the source folder, logging as\n"
    "the window does. Ctrl-C stops between two archives.\n"
    "\n";

QString OperationText(const char* words, const char* output, const char* verb, const char* kind)
{
    return QString::fromLatin1(OperationUsage)
               .arg(QString::fromLatin1(words), QString::fromLatin1(output), QString::fromLatin1(verb),
                    QString::fromLatin1(kind))
           + QString::fromLatin1(CommonOptions)
           + QStringLiteral("  --dry-run          print what each name would have done; touch nothing\n");
}

} // namespace

QString CliHelp::UsageOf(CliCommand command)
{
    const char* const outputOption = " --output DIR";
    switch (command) {
    case CliCommand::None:
        return QString::fromLatin1(ProgramUsage);
    case CliCommand::List:
        return QString::fromLatin1(ListUsage) + QString::fromLatin1(CommonOptions) + QString::fromLatin1(FilterOptions)
               + QStringLiteral("  --format tsv|json  TSV with a header row (default), or JSON lines\n");
    case CliCommand::Size:
        return QString::fromLatin1(SizeUsage) + QString::fromLatin1(CommonOptions) + QString::fromLatin1(FilterOptions);
    case CliCommand::DeleteClones:
        return OperationText("clones delete", "", "Deletes", "clone");
    case CliCommand::MoveClones:
        return OperationText("clones move", outputOption, "Moves", "clone");
    case CliCommand::MoveOriginals:
        return OperationText("originals move", outputOption, "Moves", "original");
    case CliCommand::CopyOriginals:
        return OperationText("originals copy", outputOption, "Copies", "original");
    }
    return QString();
}

QString CliHelp::VersionLine()
{
    return QStringLiteral("quarvel-cli " QUARVEL_VERSION "\n");
}

} // namespace quarvel

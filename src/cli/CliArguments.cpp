#include "cli/CliArguments.h"

#include "cli/CliError.h"
#include "util/Paths.h"

#include <QCommandLineParser>

#include <map>

namespace quarvel {

namespace {

const QStringList ListOnlyOptions{"format", "present", "no-clones", "filter", "category", "categories"};
const QStringList FileOperationOptions{"output", "dry-run"};

struct CommandName {
    QString words;
    CliCommand command;
};

const std::vector<CommandName> CommandNames{
    {"list", CliCommand::List},
    {"size", CliCommand::Size},
    {"clones delete", CliCommand::DeleteClones},
    {"clones move", CliCommand::MoveClones},
    {"originals move", CliCommand::MoveOriginals},
    {"originals copy", CliCommand::CopyOriginals},
};

void AddOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const auto valued = [&parser](const char* name) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    };
    const auto flag = [&parser](const char* name) { parser.addOption(QCommandLineOption(QString::fromLatin1(name))); };
    for (const char* name : {"list", "source", "type", "output", "format", "filter", "category", "categories"})
        valued(name);
    for (const char* name : {"present", "no-clones", "dry-run", "help", "version"})
        flag(name);
}

CliCommand CommandOf(const QStringList& words)
{
    for (const CommandName& name : CommandNames) {
        if (name.words == words.join(QLatin1Char(' ')))
            return name.command;
    }
    throw CliError(QStringLiteral("unknown command \"%1\"; see quarvel-cli --help").arg(words.join(QLatin1Char(' '))));
}

QStringList OptionsTakenBy(CliCommand command)
{
    QStringList taken{"list", "source", "type", "help", "version"};
    if (command == CliCommand::List || command == CliCommand::Size)
        taken += ListOnlyOptions;
    if (command == CliCommand::Size)
        taken.removeAll(QStringLiteral("format"));
    if (command != CliCommand::List && command != CliCommand::Size)
        taken += FileOperationOptions;
    if (command == CliCommand::DeleteClones)
        taken.removeAll(QStringLiteral("output"));
    return taken;
}

void RejectOptionsNotTaken(const QCommandLineParser& parser, CliCommand command)
{
    const QStringList taken = OptionsTakenBy(command);
    for (const QString& name : parser.optionNames()) {
        if (!taken.contains(name))
            throw CliError(QStringLiteral("this command does not take --%1").arg(name));
    }
}

int SourceTypeOf(const QString& text)
{
    if (text.isEmpty() || text == QStringLiteral("7z"))
        return 0;
    if (text == QStringLiteral("zip"))
        return 1;
    throw CliError(QStringLiteral("--type must be 7z or zip, not \"%1\"").arg(text));
}

RowFormat FormatOf(const QString& text)
{
    if (text.isEmpty() || text == QStringLiteral("tsv"))
        return RowFormat::Tsv;
    if (text == QStringLiteral("json"))
        return RowFormat::Json;
    throw CliError(QStringLiteral("--format must be tsv or json, not \"%1\"").arg(text));
}

QString Required(const QCommandLineParser& parser, const char* name)
{
    const QString value = parser.value(QString::fromLatin1(name));
    if (value.isEmpty())
        throw CliError(QStringLiteral("--%1 is required; see --help").arg(QString::fromLatin1(name)));
    return value;
}

// A folder typed without its trailing delimiter reads as the window's picker would leave it.
QString FolderOf(const QString& text)
{
    return text.isEmpty() ? text : AddSlash(text);
}

void ReadValues(const QCommandLineParser& parser, CliOptions& options)
{
    options.listPath = Required(parser, "list");
    options.sourceFolder = FolderOf(Required(parser, "source"));
    options.sourceType = SourceTypeOf(parser.value(QStringLiteral("type")));
    options.format = FormatOf(parser.value(QStringLiteral("format")));
    options.present = parser.isSet(QStringLiteral("present"));
    options.noClones = parser.isSet(QStringLiteral("no-clones"));
    options.filterText = parser.value(QStringLiteral("filter"));
    options.categories = parser.values(QStringLiteral("category"));
    options.categoriesPath = parser.value(QStringLiteral("categories"));
    options.dryRun = parser.isSet(QStringLiteral("dry-run"));
    const std::optional<BatchOperation> operation = BatchOperationOf(options.command);
    if (operation && *operation != BatchOperation::DeleteClones)
        options.outputFolder = FolderOf(Required(parser, "output"));
}

} // namespace

CliOptions CliArguments::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(arguments))
        throw CliError(parser.errorText());

    CliOptions options;
    options.help = parser.isSet(QStringLiteral("help"));
    options.version = parser.isSet(QStringLiteral("version"));
    const QStringList words = parser.positionalArguments();
    if (!words.isEmpty())
        options.command = CommandOf(words);
    if (options.help || options.version)
        return options;
    if (options.command == CliCommand::None)
        throw CliError(QStringLiteral("no command given; see quarvel-cli --help"));
    RejectOptionsNotTaken(parser, options.command);
    ReadValues(parser, options);
    return options;
}

} // namespace quarvel

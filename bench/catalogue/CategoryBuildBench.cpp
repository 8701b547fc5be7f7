// Times the category table build (inflate, parse, sorted names) on a real category list,
// against reading the list file and looking at every byte once.
#include "support/CategoryList.h"
#include "support/Floor.h"
#include "support/Options.h"
#include "support/Timing.h"
#include "catalogue/CategoryTable.h"
#include "util/StringList.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

constexpr const char* Usage = "Usage: bench_category_build [category.ini] [--runs N]\n"
                              "  Times the category table build from the compressed list against a floor.\n"
                              "  Without a file it reads the shared category-0.214.ini.\n";

void BuildOnce(const QByteArray& packed, quarvel::CategoryTable& table, quarvel::StringList& names)
{
    names.Clear();
    names.SetIgnoreDuplicates(true);
    names.SetSorted(true);
    table.Build(packed, names);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const quarvel::bench::Options options(QCoreApplication::arguments(), Usage);
    if (options.AnswerHelp())
        return 0;
    const QString path = options.Plain().isEmpty() ? quarvel::bench::SharedCategoryList() : options.Plain();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::printf("category list %s is absent: nothing to time\n", qPrintable(path));
        return 0;
    }
    const qint64 fileBytes = file.size();
    const QByteArray packed = quarvel::bench::ZlibCompress(file.readAll());

    const int runs = options.Runs(15);
    quarvel::CategoryTable table;
    quarvel::StringList names;
    const auto samples = quarvel::bench::RunInRounds(
        runs, {quarvel::bench::Timed([&] { quarvel::bench::ReadAndScan(path); }),
               quarvel::bench::Timed([&] { BuildOnce(packed, table, names); })});

    std::printf("category build on %s\n", qPrintable(path));
    std::printf("  %.2f MiB list (%lld bytes compressed): %lld names, %zu table elements\n",
                quarvel::bench::MiB(fileBytes), static_cast<long long>(packed.size()),
                static_cast<long long>(names.Count()), table.GenreList().size());
    quarvel::bench::PrintColumnHeads(runs);
    quarvel::bench::PrintRow("floor: read + memchr of the list", samples[0], fileBytes, samples[0]);
    quarvel::bench::PrintRow("category build (inflate, parse)", samples[1], fileBytes, samples[0]);
    return 0;
}

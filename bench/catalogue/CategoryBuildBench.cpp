// Times the category table build (inflate, parse, sorted names) on a real category list.
// Usage: bench_category_build [category.ini]
#include "catalogue/CategoryTable.h"
#include "util/StringList.h"

#include <QCoreApplication>
#include <QFile>

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

QByteArray Compress(const QByteArray& plain)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    QByteArray packed(static_cast<qsizetype>(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(plain.constData()),
              static_cast<uLong>(plain.size()), Z_BEST_COMPRESSION);
    packed.resize(static_cast<qsizetype>(size));
    return packed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(QUARVEL_SHARED_DATA_DIR "/category-0.214.ini");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray packed = Compress(file.readAll());

    constexpr int Runs = 20;
    std::vector<double> timesMs;
    quarvel::CategoryTable table;
    qsizetype nameCount = 0;
    for (int run = 0; run < Runs; ++run) {
        quarvel::StringList names;
        names.SetIgnoreDuplicates(true);
        names.SetSorted(true);
        const auto start = std::chrono::steady_clock::now();
        table.Build(packed, names);
        const auto stop = std::chrono::steady_clock::now();
        timesMs.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        nameCount = names.Count();
    }
    std::sort(timesMs.begin(), timesMs.end());
    std::printf("category build on %s\n", qPrintable(path));
    std::printf("  %lld names, %zu table elements, %lld compressed bytes\n", static_cast<long long>(nameCount),
                table.GenreList().size(), static_cast<long long>(packed.size()));
    std::printf("  %d runs: min %.2f ms, median %.2f ms, max %.2f ms (target: under 30 ms)\n", Runs, timesMs.front(),
                timesMs[timesMs.size() / 2], timesMs.back());
    return 0;
}

#pragma once

#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace quarvel::bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The durations of the runs of one side, in milliseconds. Only the median is quoted: a
// single fast or slow run says more about the machine than about the code.
class Samples {
public:
    void Add(double ms) { ms_.push_back(ms); }
    int Count() const { return int(ms_.size()); }
    double Min() const { return ms_.empty() ? 0.0 : *std::min_element(ms_.begin(), ms_.end()); }
    double Max() const { return ms_.empty() ? 0.0 : *std::max_element(ms_.begin(), ms_.end()); }
    double Median() const
    {
        if (ms_.empty())
            return 0.0;
        std::vector<double> sorted = ms_;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2.0;
    }

    // Run by run, the time of this side and then the other, for two sides measured in the same rounds.
    Samples operator+(const Samples& other) const
    {
        Samples sum;
        for (std::size_t i = 0; i < ms_.size() && i < other.ms_.size(); ++i)
            sum.Add(ms_[i] + other.ms_[i]);
        return sum;
    }

private:
    std::vector<double> ms_;
};

// One side of a comparison: runs once and returns how long the measured part took.
using Side = std::function<double()>;

inline Side Timed(std::function<void()> operation)
{
    return [operation = std::move(operation)] {
        const auto start = Clock::now();
        operation();
        return MsSince(start);
    };
}

// Runs the sides in turn, round after round, so that a machine that gets busier or quieter
// meanwhile weighs on every side alike. A first round is thrown away: it pays alone for
// cold caches and the first allocations.
inline std::vector<Samples> RunInRounds(int runs, const std::vector<Side>& sides)
{
    for (const Side& side : sides)
        side();
    std::vector<Samples> samples(sides.size());
    for (int round = 0; round < runs; ++round)
        for (std::size_t i = 0; i < sides.size(); ++i)
            samples[i].Add(sides[i]());
    return samples;
}

inline double MiB(qint64 bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

inline void PrintColumnHeads(int runs)
{
    std::printf("  %d runs per side, in rounds after one warm-up round; medians are the figures to quote\n", runs);
    std::printf("  %-38s %30s %10s %9s\n", "", "min / median / max ms", "MiB/s", "x floor");
}

// One side against the size of what it reads (0: no size to speak of) and against the floor.
inline void PrintRow(const char* label, const Samples& samples, qint64 bytes, const Samples& floor)
{
    std::printf("  %-38s %8.2f / %8.2f / %8.2f", label, samples.Min(), samples.Median(), samples.Max());
    if (bytes > 0 && samples.Median() > 0.0)
        std::printf(" %10.0f", MiB(bytes) / (samples.Median() / 1000.0));
    else
        std::printf(" %10s", "-");
    std::printf(" %9.2f\n", floor.Median() > 0.0 ? samples.Median() / floor.Median() : 0.0);
}

// How many times longer the slower side takes than the faster one, median against median.
inline void PrintRatio(const char* label, const Samples& slower, const Samples& faster)
{
    std::printf("  %-62s %6.2f\n", label, faster.Median() > 0.0 ? slower.Median() / faster.Median() : 0.0);
}

} // namespace quarvel::bench

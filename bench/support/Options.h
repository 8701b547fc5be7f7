#pragma once

#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace quarvel::bench {

// The command line every benchmark shares: --help, --runs N (never fewer than five, so a
// median means something), flags and plain arguments.
class Options {
public:
    static constexpr int MinimumRuns = 5;

    Options(const QStringList& arguments, const char* usage)
        : arguments_(arguments.mid(1))
        , usage_(usage)
    {
    }

    // Prints the usage when asked for it; the benchmark then has nothing more to do.
    bool AnswerHelp() const
    {
        if (!arguments_.contains(QStringLiteral("--help")) && !arguments_.contains(QStringLiteral("-h")))
            return false;
        std::fputs(usage_, stdout);
        std::printf("  --runs N   runs per side (at least %d)\n  --help     this text\n", MinimumRuns);
        return true;
    }

    int Runs(int fallback) const
    {
        const qsizetype at = arguments_.indexOf(QStringLiteral("--runs"));
        const QString value = at >= 0 && at + 1 < arguments_.size() ? arguments_[at + 1] : QString();
        return std::max(MinimumRuns, value.isEmpty() ? fallback : value.toInt());
    }

    bool Has(const QString& flag) const { return arguments_.contains(flag); }

    // The value after option, or fallback when the option is not given.
    QString Value(const QString& option, const QString& fallback) const
    {
        const qsizetype at = arguments_.indexOf(option);
        return at >= 0 && at + 1 < arguments_.size() ? arguments_[at + 1] : fallback;
    }

    // The first argument that is neither an option nor an option's value.
    QString Plain() const
    {
        for (qsizetype i = 0; i < arguments_.size(); ++i) {
            if (arguments_[i] == QStringLiteral("--runs"))
                ++i;
            else if (!arguments_[i].startsWith(QStringLiteral("--")))
                return arguments_[i];
        }
        return {};
    }

private:
    QStringList arguments_;
    const char* usage_;
};

} // namespace quarvel::bench

#include "cli/TerminalProgress.h"

#include <cstdio>
#include <unistd.h>

namespace quarvel {

namespace {

constexpr qint64 QuietMs = 1000;

} // namespace

TerminalProgress::TerminalProgress()
    : isTerminal_(isatty(STDERR_FILENO) == 1)
{
    started_.start();
}

TerminalProgress::~TerminalProgress()
{
    if (shown_)
        std::fputc('\n', stderr);
}

void TerminalProgress::SetMaximum(int maximum)
{
    maximum_ = maximum;
}

void TerminalProgress::SetPosition(int position)
{
    if (!ShouldShow())
        return;
    std::fprintf(stderr, "\r%d / %d", position + 1, maximum_ + 1);
    std::fflush(stderr);
    shown_ = true;
}

bool TerminalProgress::ShouldShow() const
{
    return isTerminal_ && started_.elapsed() > QuietMs;
}

} // namespace quarvel

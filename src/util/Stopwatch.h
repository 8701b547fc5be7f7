#pragma once

#include <chrono>
#include <cstdint>

namespace quarvel {

// Times one operation in whole milliseconds, truncated toward zero.
class Stopwatch {
public:
    Stopwatch() { Start(); }

    void Start() { start_ = std::chrono::steady_clock::now(); }

    std::int64_t ElapsedMs() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

} // namespace quarvel

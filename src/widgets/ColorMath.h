#pragma once

#include <QRgb>

#include <cstdint>

namespace quarvel {

// Division by 256 rounded toward minus infinity: the blends move dark colours toward light
// ones and back, so negative differences must round the same way as positive ones. Since
// C++20 a right shift of a negative value is an arithmetic shift.
constexpr int FloorDiv256(int value)
{
    return value >> 8;
}

// One channel of Blend: b + floor((a - b) * weight / 256).
constexpr int BlendChannel(int a, int b, int weight)
{
    return b + FloorDiv256((a - b) * weight);
}

// Mixes a into b with weight out of 256; 256 would give a, 0 gives b.
constexpr QRgb Blend(QRgb a, QRgb b, int weight)
{
    return qRgb(BlendChannel(qRed(a), qRed(b), weight), BlendChannel(qGreen(a), qGreen(b), weight),
                BlendChannel(qBlue(a), qBlue(b), weight));
}

// a * b / c rounded to the nearest integer, halves away from zero, without overflowing the
// product; a divisor of 0 gives -1.
constexpr int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const std::int64_t divisor = c < 0 ? -std::int64_t(c) : c;
    const std::int64_t dividend = c < 0 ? -product : product;
    const std::int64_t half = divisor / 2;
    return static_cast<int>(dividend >= 0 ? (dividend + half) / divisor : (dividend - half) / divisor);
}

} // namespace quarvel

#include "util/NameMask.h"

#include "util/Paths.h"
#include "util/TextFunctions.h"

#include <algorithm>
#include <span>

namespace quarvel {

namespace {

char LowerAsciiByte(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

template <typename Char, typename Equal>
bool Glob(std::span<const Char> pattern, std::span<const Char> name, Equal equal)
{
    constexpr std::size_t none = std::size_t(-1);
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = none;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == Char('*')) {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == Char('?') || equal(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (star != none) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace

NameMask::NameMask(const QString& mask)
    : asciiMask_(std::all_of(mask.begin(), mask.end(), [](QChar c) { return c.unicode() < 0x80; }))
    , foldedPattern_(mask.toCaseFolded().toUcs4())
{
    if (asciiMask_)
        asciiPattern_ = LowerAscii(mask).toStdString();
}

bool NameMask::Matches(std::string_view name) const
{
    if (asciiMask_ && IsAscii(QByteArrayView(name.data(), qsizetype(name.size()))))
        return Glob(std::span<const char>(asciiPattern_), std::span<const char>(name),
                    [](char pattern, char c) { return pattern == LowerAsciiByte(c); });
    const QList<uint> folded = DecodeName(name).toCaseFolded().toUcs4();
    return Glob(std::span<const uint>(foldedPattern_), std::span<const uint>(folded),
                [](uint pattern, uint c) { return pattern == c; });
}

} // namespace quarvel

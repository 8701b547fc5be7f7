#include "util/FoldedNameIndex.h"

#include "util/TextFunctions.h"

#include <bit>

namespace quarvel {

namespace {

// Linear probing stays short while at most three quarters of the slots are taken.
std::size_t SlotsFor(std::size_t names)
{
    return std::bit_ceil(std::max<std::size_t>(16, names + names / 3 + 1));
}

} // namespace

void FoldedNameIndex::Reset(qsizetype mostNames)
{
    slots_.assign(SlotsFor(std::size_t(std::max<qsizetype>(0, mostNames))), Slot{});
    mask_ = slots_.size() - 1;
    count_ = 0;
}

quint32 FoldedNameIndex::HashOf(QStringView name)
{
    // FNV-1a over the folded UTF-16 units, finished with a multiply so the low bits, which
    // pick the slot, depend on every character.
    quint64 hash = 14695981039346656037ull;
    for (const QChar c : name)
        hash = (hash ^ LowerAsciiChar(c).unicode()) * 1099511628211ull;
    hash ^= hash >> 32;
    return quint32(hash * 0x9E3779B97F4A7C15ull >> 32);
}

void FoldedNameIndex::Grow()
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(SlotsFor(count_ + 1), Slot{});
    mask_ = slots_.size() - 1;
    for (const Slot& slot : old)
        if (slot.ElementPlusOne != 0)
            Place(slot);
}

void FoldedNameIndex::Place(const Slot& slot)
{
    std::size_t at = slot.Hash & mask_;
    while (slots_[at].ElementPlusOne != 0)
        at = (at + 1) & mask_;
    slots_[at] = slot;
}

} // namespace quarvel

#pragma once

#include <QStringView>

#include <optional>
#include <vector>

namespace quarvel {

// Element numbers of a list, looked up by name with ASCII letter case ignored.
//
// The names stay in the list: the index keeps only a hash of each folded name and the element
// number, and the caller compares names. A look-up therefore folds no copy of the name and
// allocates nothing, which is what makes the category table's tens of thousands of look-ups
// and insertions cheap.
class FoldedNameIndex {
public:
    // Empties the index and makes room for mostNames names without growing.
    void Reset(qsizetype mostNames);

    static quint32 HashOf(QStringView name);

    // The first element added under a name equal to the one hashed, where isNamed(element)
    // compares the element's name with it; nothing when there is none.
    template <class IsNamed>
    std::optional<quint32> Find(quint32 hash, IsNamed isNamed) const
    {
        if (slots_.empty())
            return std::nullopt;
        for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
            const Slot& slot = slots_[at];
            if (slot.ElementPlusOne == 0)
                return std::nullopt;
            if (slot.Hash == hash && isNamed(slot.ElementPlusOne - 1))
                return slot.ElementPlusOne - 1;
        }
    }

    // Adds element under its name's hash unless an element of an equal name is there already.
    template <class IsNamed>
    void AddFirst(quint32 hash, quint32 element, IsNamed isNamed)
    {
        if (4 * (count_ + 1) > 3 * slots_.size())
            Grow();
        std::size_t at = hash & mask_;
        for (; slots_[at].ElementPlusOne != 0; at = (at + 1) & mask_)
            if (slots_[at].Hash == hash && isNamed(slots_[at].ElementPlusOne - 1))
                return;
        slots_[at] = Slot{hash, element + 1};
        ++count_;
    }

private:
    // Element numbers are kept one up, so a zeroed slot reads as empty.
    struct Slot {
        quint32 Hash = 0;
        quint32 ElementPlusOne = 0;
    };

    void Grow();
    void Place(const Slot& slot);

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::size_t count_ = 0;
};

} // namespace quarvel

#pragma once

// The solution set of an equation: a list of number nodes together with a complement flag.
// Flag 0: the set is exactly the listed values. Flag 1: the set is every number except the
// listed values. A new set is all numbers (flag 1, no element). Elements are owned; the cell
// signs are not used (always +1). Two elements are the same value when the nodes are equal
// (IsEqualNodes).

#include "model/COperationList.h"

#include <cstdint>

class CNumberSet : public COperationList {
public:
    CNumberSet() = default;
    // Clones the elements and copies the flag.
    CNumberSet(const CNumberSet& other);
    CNumberSet(CNumberSet&& other) noexcept = default;
    CNumberSet& operator=(const CNumberSet&) = delete;
    ~CNumberSet() override = default;

    // All numbers: frees the elements and sets the flag.
    void SetAll();
    // Flag 1 and no element.
    bool IsAll() const { return m_complement != 0 && GetCount() == 0; }
    // Flag 0 and no element (the set, not the list: an empty exclusion list is all numbers).
    bool IsEmpty() const { return m_complement == 0 && GetCount() == 0; }
    void Complement() { m_complement = m_complement != 0 ? 0 : 1; }
    std::int32_t GetComplementFlag() const { return m_complement; }
    // Makes the set exactly the listed values (flag 0) or all but them (flag 1).
    void SetComplementFlag(std::int32_t flag) { m_complement = flag != 0 ? 1 : 0; }

    // Removes one value from the set; takes ownership of `node`. Flag 0: the first listed element
    // equal to it is dropped. Flag 1: it joins the excluded values unless an equal one is listed.
    void Exclude(NodePtr node);
    // Replaces the set by its intersection with `other`; the elements of the result are clones.
    void IntersectWith(const CNumberSet& other);

    // Whether an element equal to `node` is listed.
    bool Lists(const COperation& node) const;

private:
    std::int32_t m_complement = 1;
};

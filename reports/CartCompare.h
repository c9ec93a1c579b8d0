#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "model/CartListClass.h"

namespace quorvel {

// Progress of one pass: Percent 0 at its start, then after every source item. Setting Abort ends
// the pass.
using TCompareProgressProc = std::function<void(int32_t percent, bool& abort)>;

// Compares two media lists: which items of each the other lacks. Duplicates inside a list count as
// one item with their summed Quantity; an item is missing when the other list holds no item of the
// same title (and, unless ignored, maker, label type and label colour), and its quantity is at least
// MinQty. The input lists are only read, and the process-wide sort is left as it was.
class TCartCompareClass {
public:
    TCartCompareClass();
    ~TCartCompareClass();
    TCartCompareClass(const TCartCompareClass&) = delete;
    TCartCompareClass& operator=(const TCartCompareClass&) = delete;

    void SetIgnoreLabelType(bool value) { IgnoreLabelType = value; }
    void SetIgnoreLabelColor(bool value) { IgnoreLabelColor = value; }
    void SetIgnorePunctuation(bool value) { IgnorePunctuation = value; }
    void SetIgnoreMfg(bool value) { IgnoreMfg = value; }
    void SetMinQty(int32_t value) { MinQty = value; }
    // An unset procedure is allowed: progress then goes nowhere.
    void SetOnProgress(TCompareProgressProc proc) { OnProgress = std::move(proc); }

    // Fills MissingFromOne (items of ListTwo that ListOne lacks) and MissingFromTwo afresh, each in
    // title order. A Quantity that is no number stops it with a message naming the item; the results
    // of the previous comparison then stay.
    void Compare(const TCartListClass& listOne, const TCartListClass& listTwo);
    // Which 1: Dest becomes a copy of MissingFromOne; 2: of MissingFromTwo; else nothing changes.
    void GetResult(int32_t which, TCartListClass& dest) const;

    const TCartListClass& GetMissingFromOne() const { return *MissingFromOne; }
    const TCartListClass& GetMissingFromTwo() const { return *MissingFromTwo; }

private:
    std::unique_ptr<TCartListClass> MissingFromOne;
    std::unique_ptr<TCartListClass> MissingFromTwo;
    bool IgnoreLabelType = false;
    bool IgnoreLabelColor = false;
    bool IgnorePunctuation = false;
    bool IgnoreMfg = false;
    int32_t MinQty = 2;
    TCompareProgressProc OnProgress;
};

}  // namespace quorvel

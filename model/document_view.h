// What the document needs of a view: the two calls of the document/view pattern.
#pragma once

#include <cstdint>

namespace palabrum {

// Update hints; the low 16 bits of every hint value carry one of these.
enum UpdateHint : std::uint32_t {
    kHintLayout = 0,  // the framework's own, sent at the end of an initial update
    kHintOptionsChanged = 1,
    kHintMarksReplaced = 2,
    kHintSquareChanged = 3,  // high 16 bits: square * 16 + new mark
    kHintListLoaded = 4,
};

constexpr std::uint32_t SquareChangedHint(int square, int mark) {
    return kHintSquareChanged | (static_cast<std::uint32_t>(square * 16 + mark) << 16);
}

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // A new game: the view rebuilds itself from the document.
    virtual void OnInitialUpdate() = 0;
    // A change the document announces, as a hint value.
    virtual void OnUpdate(std::uint32_t hint) = 0;
};

}  // namespace palabrum

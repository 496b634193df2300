// What the document needs of a view: the two calls of the document/view pattern.
#pragma once

namespace palabrum {

// One change the document announces; views switch on its kind.
struct DocumentChange {
    enum class Kind {
        kLayout,         // lay out again (an initial update ends with it, as does a resize)
        kOptionsChanged,
        kMarksReplaced,  // every mark at once
        kSquareChanged,  // one square's mark: `square` and `marked`
        kListLoaded,     // a new word list was dealt
    };
    Kind kind = Kind::kLayout;
    int square = -1;
    bool marked = false;

    static constexpr DocumentChange Square(int square, bool marked) { return {Kind::kSquareChanged, square, marked}; }
    bool operator==(const DocumentChange&) const = default;
};

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // A new game: the view rebuilds itself from the document.
    virtual void OnInitialUpdate() = 0;
    virtual void OnUpdate(const DocumentChange& change) = 0;
};

}  // namespace palabrum

// One run of the program against a state file: a scripted port, one recording
// view, and a document that has started up (read the file or dealt afresh).
#pragma once

#include <cstddef>
#include <filesystem>

#include "model/game_document.h"
#include "model/word_list.h"
#include "tests/support/scripted_port.h"

namespace palabrum::testing {

struct Session {
    explicit Session(const std::filesystem::path& statePath) : doc(port, statePath) {
        port.doc = &doc;
        doc.AddView(view);
        doc.NewDocument();
        view.calls.clear();
    }

    ScriptedPort port;
    RecordingView view;
    CPalabrumDoc doc;
};

// The built-in list in list order, nothing marked, no game under way.
inline bool DealtBuiltInListInOrder(const CPalabrumDoc& doc) {
    for (int s = 0; s < kListSize; ++s)
        if (doc.GetWord(s) != kBuiltInWords[static_cast<std::size_t>(s)] || doc.GetMark(s) != 0) return false;
    return !doc.IsStarted();
}

}  // namespace palabrum::testing

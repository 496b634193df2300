// A platform port that answers from a script and records what it was asked,
// and a view that records what it was told. No test ever blocks on a box.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/document_view.h"
#include "model/game_document.h"
#include "model/platform_port.h"

namespace palabrum::testing {

struct ShownBox {
    enum Kind { kError, kQuestion, kNotice } kind;
    std::u16string text;
    std::u16string caption;

    bool operator==(const ShownBox&) const = default;
};

class ScriptedPort : public PlatformPort {
public:
    // Answers to Yes/No questions, in order; an unscripted question answers No.
    std::deque<bool> answers;
    // Paths the open-file dialog returns, in order; nullopt is a cancel.
    std::deque<std::optional<std::filesystem::path>> filePicks;
    // Runs for the Options dialog; without one the dialog is cancelled.
    std::function<bool(CPalabrumDoc&)> optionsDialog;
    // Random draws, in order; when they run out a fixed sequence follows.
    std::deque<std::uint32_t> draws;
    // The document that New renews, as the framework would.
    CPalabrumDoc* doc = nullptr;

    std::vector<ShownBox> boxes;
    std::vector<std::vector<FileFilter>> dialogs;
    int newCommands = 0;
    int optionsRuns = 0;

    void ShowError(std::u16string_view text, std::u16string_view caption) override {
        boxes.push_back({ShownBox::kError, std::u16string(text), std::u16string(caption)});
    }
    bool AskYesNo(std::u16string_view text, std::u16string_view caption) override {
        boxes.push_back({ShownBox::kQuestion, std::u16string(text), std::u16string(caption)});
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void ShowNotice(std::u16string_view text, std::u16string_view caption) override {
        boxes.push_back({ShownBox::kNotice, std::u16string(text), std::u16string(caption)});
    }
    std::optional<std::filesystem::path> ChooseFileToOpen(const std::vector<FileFilter>& filters) override {
        dialogs.push_back(filters);
        if (filePicks.empty()) return std::nullopt;
        auto pick = filePicks.front();
        filePicks.pop_front();
        return pick;
    }
    bool RunOptionsDialog(CPalabrumDoc& document) override {
        ++optionsRuns;
        return optionsDialog ? optionsDialog(document) : false;
    }
    void FileNew() override {
        ++newCommands;
        if (doc) doc->NewDocument();
    }
    std::uint32_t Random() override {
        if (!draws.empty()) {
            const auto r = draws.front();
            draws.pop_front();
            return r;
        }
        m_seed = m_seed * 1664525u + 1013904223u;
        return m_seed;
    }

private:
    std::uint32_t m_seed = 12345;
};

class RecordingView : public DocumentView {
public:
    static constexpr std::uint32_t kInitialUpdate = 0xFFFFFFFF;
    std::vector<std::uint32_t> calls;  // hint values, kInitialUpdate for an initial update

    void OnInitialUpdate() override { calls.push_back(kInitialUpdate); }
    void OnUpdate(std::uint32_t hint) override { calls.push_back(hint); }
};

}  // namespace palabrum::testing

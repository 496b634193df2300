// A platform port that answers from a script and records what it was asked,
// and a view that records what it was told. No test ever blocks on a box.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
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
    // Paths the open-file and save-file dialogs return, in order; nullopt is a cancel.
    std::deque<std::optional<std::filesystem::path>> filePicks;
    // Numbers asked for, in order; nullopt (or none left) is a cancel.
    std::deque<std::optional<int>> numbers;
    // Runs for the Options dialog; without one the dialog is cancelled.
    std::function<std::optional<OptionsChoice>(const PalabrumOptions&)> optionsDialog;
    // Random draws, in order; when they run out a fixed sequence follows.
    std::deque<std::uint32_t> draws;
    // The document that New renews, as the framework would.
    CPalabrumDoc* doc = nullptr;

    std::vector<ShownBox> boxes;
    std::vector<std::vector<FileFilter>> dialogs;  // the filters of every file dialog shown
    std::tuple<int, int, int> askedNumber;  // the last number's start, least and greatest
    int newCommands = 0;
    int aboutBoxes = 0;

    void ShowError(std::u16string_view text, std::u16string_view caption) override {
        boxes.push_back({ShownBox::kError, std::u16string(text), std::u16string(caption)});
    }
    bool AskYesNo(std::u16string_view text, std::u16string_view caption) override {
        boxes.push_back({ShownBox::kQuestion, std::u16string(text), std::u16string(caption)});
        return Take(answers).value_or(false);
    }
    void ShowNotice(std::u16string_view text, std::u16string_view caption) override {
        boxes.push_back({ShownBox::kNotice, std::u16string(text), std::u16string(caption)});
    }
    std::optional<int> AskNumber(std::u16string_view, std::u16string_view, int start, int low, int high) override {
        askedNumber = {start, low, high};
        return Take(numbers).value_or(std::nullopt);
    }
    std::optional<std::filesystem::path> ChooseFileToOpen(const std::vector<FileFilter>& filters) override {
        dialogs.push_back(filters);
        return Take(filePicks).value_or(std::nullopt);
    }
    std::optional<std::filesystem::path> ChooseFileToSave(std::u16string_view, std::u16string_view,
                                                          const std::vector<FileFilter>& filters) override {
        dialogs.push_back(filters);
        return Take(filePicks).value_or(std::nullopt);
    }
    std::optional<OptionsChoice> RunOptionsDialog(const PalabrumOptions& current) override {
        return optionsDialog ? optionsDialog(current) : std::nullopt;
    }
    void ShowAbout() override { ++aboutBoxes; }
    void FileNew() override {
        ++newCommands;
        if (doc) doc->NewDocument();
    }
    std::uint32_t Random() override {
        if (const auto scripted = Take(draws)) return *scripted;
        m_seed = m_seed * 1664525u + 1013904223u;
        return m_seed;
    }

private:
    template <class T>
    static std::optional<T> Take(std::deque<T>& script) {
        if (script.empty()) return std::nullopt;
        auto next = std::move(script.front());
        script.pop_front();
        return next;
    }

    std::uint32_t m_seed = 12345;
};

class RecordingView : public DocumentView {
public:
    std::vector<std::optional<DocumentChange>> calls;  // nullopt for an initial update

    void OnInitialUpdate() override { calls.push_back(std::nullopt); }
    void OnUpdate(const DocumentChange& change) override { calls.push_back(change); }
};

}  // namespace palabrum::testing

// The one game document: owns the board and the options, runs the four game
// commands, takes marks from the views and tells them what changed, and keeps
// the game in the state file between runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "board.h"
#include "document_view.h"
#include "palabrum_options.h"
#include "picture.h"

namespace palabrum {

class Archive;
class PlatformPort;
class SystemCalls;

enum CommandId : int {
    kCmdOptions = 32771,
    kCmdLoadDefaultList = 32772,
    kCmdNew = 57600,
    kCmdLoadCustomList = 57601,
};

// A saved game is some 20 KB; no file past this bound is read as one, which
// bounds every allocation a file can cause.
inline constexpr std::size_t kMaxStateFileBytes = 1u << 20;

// Thrown by ShowError when it is asked to abandon the running command; only
// the command dispatcher (CPalabrumDoc::OnCmdMsg) catches it.
struct CommandAbandoned {};

class CPalabrumDoc {
public:
    CPalabrumDoc(PlatformPort& port, std::filesystem::path statePath);
    CPalabrumDoc(const CPalabrumDoc&) = delete;
    CPalabrumDoc& operator=(const CPalabrumDoc&) = delete;

    // Views are not owned; a view must be removed before it is destroyed.
    void AddView(DocumentView& view);
    void RemoveView(DocumentView& view);
    void UpdateAllViews(const DocumentChange& change);

    // Runs one of the four game commands and returns true, or returns false
    // for any other id. A command abandoned after an error box ends quietly.
    bool OnCmdMsg(int commandId);
    void OnOptions();
    void OnNewGame();
    void OnLoadCustomList();
    void OnLoadDefaultList();

    // The framework's New: StartGame, then every view's initial update.
    void NewDocument();
    // The new-document step: the first call restores the saved game (or deals
    // the built-in list), every later call deals the same words again.
    void StartGame();
    // True when no game is under way, or the player agrees to drop it.
    bool ConfirmCancelGame();
    // Deals `words` at random squares and shows the views the new game, as a
    // meeting's every round does (the list needs no checking: it has 25 words).
    void DealAtRandom(const std::vector<std::u16string>& words);

    std::u16string GetWord(int square) const { return m_board.GetWord(square); }
    std::uint16_t GetMark(int square) const { return m_board.GetMark(square); }
    void SetMark(int square, int value);
    // Clears every mark, then marks the listed squares in order.
    void SetMarks(std::span<const std::int32_t> squares);
    bool IsBingo() const { return m_board.IsBingo(); }
    bool IsStarted() const { return m_board.IsStarted(); }
    int GetBingoLineStart() const { return m_board.LineStart(); }
    int GetBingoLineStep() const { return m_board.LineStep(); }
    std::int32_t GetBingoMessage() const { return m_options.m_bingoMessage; }
    // Falls back to the first built-in picture when the custom one is unusable.
    void ResetBingoMessage();

    void LoadDefaultList();
    // Deals the word list in `path`; on any fault shows why and abandons the
    // command with the game untouched.
    void ReadListFile(const std::filesystem::path& path);

    // The program's one error box; with `abandon` the running command ends
    // after it (throws CommandAbandoned).
    void ShowError(std::u16string_view text, std::u16string_view caption, bool abandon);

    const std::filesystem::path& GetStatePath() const { return m_statePath; }
    void Serialize(Archive& ar);
    // Restores options and game from the state file; a missing or damaged file
    // deals the built-in list without a word.
    void LoadState();
    // Reads options and board from state-file bytes; false when the bytes end
    // early or hold no valid board, and then the board is as it was and only
    // the option fields read before the damage have changed.
    bool ReadState(std::span<const std::uint8_t> bytes);
    // Writes the state file crash-safely; tells the player when it fails and
    // keeps the previous file.
    void SaveState();
    void OnFrameClosing() { SaveState(); }

    // Opens a game saved in the state-file layout, all or nothing: on success
    // the options and board are the file's and every view starts afresh; on
    // failure (false) nothing has changed. The state file is left alone.
    bool OpenDocumentFile(const std::filesystem::path& path);
    // Writes the game in the state-file layout to `path`, crash-safely.
    bool SaveDocumentFile(const std::filesystem::path& path);

    PalabrumOptions& Options() { return m_options; }
    const PalabrumOptions& Options() const { return m_options; }
    PictureHolder& PendingPicture() { return m_pendingPicture; }
    const Board& GetBoard() const { return m_board; }
    const std::u16string& GetTitle() const { return m_title; }
    PlatformPort& Port() { return m_port; }

    // Lets tests fail the save's system calls; the program keeps the real ones.
    void SetSystemCalls(SystemCalls& calls) { m_calls = &calls; }

private:
    RandomSource Random();

    PictureHolder m_pendingPicture;
    PalabrumOptions m_options;
    Board m_board;
    bool m_stateLoaded = false;

    PlatformPort& m_port;
    std::filesystem::path m_statePath;
    SystemCalls* m_calls;
    std::vector<DocumentView*> m_views;
    std::u16string m_title;
};

}  // namespace palabrum

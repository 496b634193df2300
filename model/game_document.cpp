#include "game_document.h"

#include <algorithm>

#include "archive.h"
#include "document_view.h"
#include "file_io.h"
#include "platform_port.h"
#include "translate.h"
#include "word_list.h"

namespace palabrum {

CPalabrumDoc::CPalabrumDoc(PlatformPort& port, std::filesystem::path statePath)
    : m_port(port), m_statePath(std::move(statePath)), m_calls(&SystemCalls::Real()) {}

void CPalabrumDoc::AddView(DocumentView& view) { m_views.push_back(&view); }

void CPalabrumDoc::RemoveView(DocumentView& view) { std::erase(m_views, &view); }

void CPalabrumDoc::UpdateAllViews(const DocumentChange& change) {
    for (auto* view : m_views) view->OnUpdate(change);
}

RandomSource CPalabrumDoc::Random() {
    return [this] { return m_port.Random(); };
}

bool CPalabrumDoc::OnCmdMsg(int commandId) {
    try {
        switch (commandId) {
        case kCmdOptions: OnOptions(); return true;
        case kCmdNew: OnNewGame(); return true;
        case kCmdLoadCustomList: OnLoadCustomList(); return true;
        case kCmdLoadDefaultList: OnLoadDefaultList(); return true;
        default: return false;
        }
    } catch (const CommandAbandoned&) {
        return true;  // the player has seen why; nothing more to say
    }
}

void CPalabrumDoc::OnOptions() {
    auto choice = m_port.RunOptionsDialog(m_options);
    if (!choice) return;
    m_options = std::move(choice->options);
    // The pane shows the new picture at the next bingo, or at once during one.
    if (choice->picture) m_pendingPicture.Give(std::move(choice->picture));
    UpdateAllViews({DocumentChange::Kind::kOptionsChanged});
}

void CPalabrumDoc::OnNewGame() {
    if (ConfirmCancelGame()) m_port.FileNew();
}

void CPalabrumDoc::OnLoadCustomList() {
    if (!ConfirmCancelGame()) return;
    const auto path = m_port.ChooseFileToOpen(
        {{Tr("CPalabrumDoc", "Text Files (*.txt)"), u"*.txt"}, {Tr("CPalabrumDoc", "All Files (*.*)"), u"*.*"}});
    if (path) ReadListFile(*path);
}

void CPalabrumDoc::OnLoadDefaultList() {
    if (!ConfirmCancelGame()) return;
    LoadDefaultList();
    m_port.FileNew();
}

void CPalabrumDoc::NewDocument() {
    StartGame();
    for (auto* view : m_views) view->OnInitialUpdate();
}

void CPalabrumDoc::StartGame() {
    if (!m_stateLoaded) {
        m_stateLoaded = true;
        LoadState();
    } else {
        m_board.Redeal(m_options.m_randomBoard != 0, Random());
    }
    m_title = u"Palabrum!";
}

bool CPalabrumDoc::ConfirmCancelGame() {
    if (!m_board.IsStarted() || m_board.IsBingo()) return true;
    return m_port.AskYesNo(Tr("CPalabrumDoc", "Cancel current game?"), Tr("CPalabrumDoc", "Cancel game?"));
}

void CPalabrumDoc::DealAtRandom(const std::vector<std::u16string>& words) {
    m_board.Deal(words, true, Random());
    m_title = u"Palabrum!";
    for (auto* view : m_views) view->OnInitialUpdate();
}

void CPalabrumDoc::SetMark(int square, int value) {
    m_board.SetMark(square, static_cast<std::uint32_t>(value));
    UpdateAllViews(DocumentChange::Square(square, m_board.GetMark(square) != 0));
}

void CPalabrumDoc::SetMarks(std::span<const std::int32_t> squares) {
    for (int square = 0; square < kSquares; ++square) m_board.SetMark(square, 0);
    for (auto square : squares) m_board.SetMark(square, 1);
    UpdateAllViews({DocumentChange::Kind::kMarksReplaced});
}

void CPalabrumDoc::ResetBingoMessage() {
    m_options.SetBingoMessage(kBingoPicture);
    m_options.m_customPicturePath.clear();
}

void CPalabrumDoc::LoadDefaultList() {
    m_board.Deal(BuiltInWordList(), m_options.m_randomBoard != 0, Random());
}

void CPalabrumDoc::ReadListFile(const std::filesystem::path& path) {
    const WordListRead list = ReadWordListFile(path);
    if (!list.ok()) ShowError(list.error, Tr("WordList", "File Read Error"), true);
    m_board.Deal(list.words, m_options.m_randomBoard != 0, Random());
    UpdateAllViews({DocumentChange::Kind::kListLoaded});
}

void CPalabrumDoc::ShowError(std::u16string_view text, std::u16string_view caption, bool abandon) {
    m_port.ShowError(text, caption);
    if (abandon) throw CommandAbandoned{};
}

void CPalabrumDoc::Serialize(Archive& ar) {
    m_options.Serialize(ar);
    m_board.Serialize(ar);
}

void CPalabrumDoc::LoadState() {
    const FileContents file = ReadFileContents(m_statePath, kMaxStateFileBytes);
    if (file.status != FileContents::Status::kWhole || file.bytes.empty()) {
        LoadDefaultList();
        return;
    }
    // Option fields read before any damage stay in force and decide this deal.
    if (!ReadState(file.bytes)) LoadDefaultList();
}

bool CPalabrumDoc::ReadState(std::span<const std::uint8_t> bytes) {
    try {
        auto ar = Archive::Loading(bytes);
        Serialize(ar);  // bytes after the board record are ignored
        return true;
    } catch (const ArchiveError&) {
        return false;
    }
}

void CPalabrumDoc::SaveState() {
    if (!SaveDocumentFile(m_statePath)) {
        ShowError(Tr("CPalabrumDoc", "Error saving state"), Tr("CPalabrumDoc", "Can't Save State"), false);
    }
}

bool CPalabrumDoc::SaveDocumentFile(const std::filesystem::path& path) {
    Bytes bytes;
    auto ar = Archive::Storing(bytes);
    Serialize(ar);
    return WriteFileAtomically(path, bytes, *m_calls);
}

bool CPalabrumDoc::OpenDocumentFile(const std::filesystem::path& path) {
    const FileContents file = ReadFileContents(path, kMaxStateFileBytes);
    if (file.status != FileContents::Status::kWhole) return false;
    PalabrumOptions options = m_options;
    Board board;
    try {
        auto ar = Archive::Loading(file.bytes);
        options.Serialize(ar);
        board.Serialize(ar);
    } catch (const ArchiveError&) {
        return false;
    }
    m_options = std::move(options);
    m_board = std::move(board);
    m_title = u"Palabrum!";
    for (auto* view : m_views) view->OnInitialUpdate();
    return true;
}

}  // namespace palabrum

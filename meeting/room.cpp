#include "meeting/room.h"

#include <algorithm>
#include <tuple>

namespace palabrum {

namespace {

std::shared_ptr<const BingoClaim> Shared(const std::optional<BingoClaim>& bingo) {
    return bingo ? std::make_shared<const BingoClaim>(*bingo) : nullptr;
}

}  // namespace

Room::Change Room::Apply(const Message& m) {
    switch (m.kind) {
        case Message::Kind::kRoom:
            // Only the starter deals, and only forwards.
            if (HasList() && (m.sender != m_starter || m.round <= m_round)) return Change::kNone;
            m_starter = m.sender;
            m_round = m.round;
            m_words = m.words;
            return Change::kRound;
        case Message::Kind::kPresence: {
            Known& known = m_players[m.sender];
            const bool wasBingo = known.bingo && known.round == m_round;
            // A last will is written when the connection starts: it says who
            // left, not how far they had come.
            if (m.gone && known.round == m.round) {
                known.name = m.name, known.gone = true;
                return Change::kPlayers;
            }
            known = {m.name, m.round, m.progress, m.gone, Shared(m.bingo)};
            const bool isBingo = HasList() && known.round == m_round && known.bingo && IsOnList(*known.bingo);
            return isBingo && !wasBingo ? Change::kBingo : Change::kPlayers;
        }
        case Message::Kind::kBingo: {
            if (!HasList() || m.round != m_round || !IsOnList(*m.bingo)) return Change::kNone;
            Known& known = m_players[m.sender];
            if (known.round == m_round && known.bingo) return Change::kNone;
            known = {m.name, m.round, kLineLength, false, Shared(m.bingo)};
            return Change::kBingo;
        }
    }
    return Change::kNone;
}

bool Room::IsOnList(const BingoClaim& bingo) const {
    return std::all_of(bingo.words.begin(), bingo.words.end(), [&](const std::string& word) {
        return std::find(m_words.begin(), m_words.end(), word) != m_words.end();
    });
}

PlayerEntry Room::EntryOf(const PlayerId& id, const Known& known) const {
    PlayerEntry entry{id, known.name, 0, known.gone, std::nullopt};
    if (HasList() && known.round == m_round) {
        entry.progress = known.progress;
        if (known.bingo && IsOnList(*known.bingo)) entry.bingo = *known.bingo;
    }
    return entry;
}

std::optional<PlayerEntry> Room::Player(const PlayerId& id) const {
    const auto found = m_players.find(id);
    if (found == m_players.end()) return std::nullopt;
    return EntryOf(id, found->second);
}

std::vector<PlayerEntry> Room::Players() const {
    std::vector<PlayerEntry> players;
    for (const auto& [id, known] : m_players) players.push_back(EntryOf(id, known));
    std::stable_sort(players.begin(), players.end(), [&](const PlayerEntry& a, const PlayerEntry& b) {
        return std::tuple(a.id != m_self, a.name) < std::tuple(b.id != m_self, b.name);
    });
    return players;
}

std::vector<PlayerEntry> Room::Bingos() const {
    std::vector<PlayerEntry> bingos;
    for (const PlayerEntry& player : Players())
        if (player.bingo) bingos.push_back(player);
    std::sort(bingos.begin(), bingos.end(), [](const PlayerEntry& a, const PlayerEntry& b) {
        return std::tuple(a.bingo->timeMs, a.id) < std::tuple(b.bingo->timeMs, b.id);
    });
    return bingos;
}

}  // namespace palabrum

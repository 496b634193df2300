// A meeting room as one player sees it: who started it, the round and its
// word list, everyone's progress and bingo, and the order the bingos came in.
// It takes messages that passed the gate and tells what they changed.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "meeting/message.h"

namespace palabrum {

struct PlayerEntry {
    PlayerId id{};
    std::string name;
    int progress = 0;  // in the room's round; 0 until they report for it
    bool gone = false;
    std::optional<BingoClaim> bingo;  // in the room's round
};

class Room {
public:
    enum class Change {
        kNone,
        kRound,    // a list or round of the room's starter: everyone deals again
        kPlayers,  // someone's name, progress or presence
        kBingo,    // a bingo not known before (the players changed too)
    };

    explicit Room(PlayerId self) : m_self(self) {}

    Change Apply(const Message& message);

    bool HasList() const { return !m_words.empty(); }
    const std::vector<std::string>& Words() const { return m_words; }
    std::uint32_t Round() const { return m_round; }
    bool IsStarter(const PlayerId& player) const { return HasList() && player == m_starter; }

    // Everyone known, the player first, then by name.
    std::vector<PlayerEntry> Players() const;
    // One player as the room knows them, if it does.
    std::optional<PlayerEntry> Player(const PlayerId& id) const;
    // The round's bingos in the order they happened (by their time, then
    // by player for a tie).
    std::vector<PlayerEntry> Bingos() const;

private:
    struct Known {
        std::string name;
        std::uint32_t round = 0;
        int progress = 0;
        bool gone = false;
        // Kept apart: most players never have one, and a room may hold a thousand.
        std::shared_ptr<const BingoClaim> bingo;
    };
    PlayerEntry EntryOf(const PlayerId& id, const Known& known) const;
    bool IsOnList(const BingoClaim& bingo) const;

    PlayerId m_self;
    PlayerId m_starter{};
    std::uint32_t m_round = 0;
    std::vector<std::string> m_words;
    std::map<PlayerId, Known> m_players;
};

}  // namespace palabrum

// Meeting play's plain C++: room codes and the secrets they give.
#include <gtest/gtest.h>

#include <algorithm>

#include "meeting/message_gate.h"
#include "meeting/room.h"
#include "meeting/room_code.h"
#include "meeting/sealed.h"
#include "meeting/sequence.h"
#include "meeting/topics.h"
#include "model/board.h"

namespace palabrum {
namespace {

// A new code is 50 random bits, read back however a person types it; the secrets are the same for everyone with
// the code (pinned, so that two versions of the game still meet), differ for every other code, never show it.
TEST(RoomCode, ReadsBackAsTypedAndGivesEveryoneTheSameSecrets) {
    const RoomCode a = NewRoomCode(), b = NewRoomCode();
    EXPECT_TRUE(a != b && ParseRoomCode(a.Shown()) == a && a.Shown().size() == 11 && a.Shown()[5] == '-');
    const std::optional<RoomCode> pinned = ParseRoomCode("0123456789");
    ASSERT_TRUE(pinned);
    for (const char* typed : {"01234-56789", " oi234 56789\t", "OL234-5678-9"}) EXPECT_EQ(ParseRoomCode(typed), pinned);
    for (const char* bad : {"", "01234-5678", "01234-567890", "01234-5678U", "01234_56789", "01234-5678\xC3\xA9"})
        EXPECT_FALSE(ParseRoomCode(bad)) << bad;
    const auto mine = DeriveRoomSecrets(*pinned), theirs = DeriveRoomSecrets(*ParseRoomCode("oi234 56789"));
    const auto other = DeriveRoomSecrets(a);
    ASSERT_TRUE(mine && theirs && other);
    EXPECT_EQ(mine->topic, "palabrum/v1/99afde6e20b330ad0b2cb859b09e808c");
    EXPECT_TRUE(mine->key == theirs->key && mine->topic == theirs->topic);
    EXPECT_TRUE(other->key != mine->key && other->topic != mine->topic &&
                other->topic.find(a.Shown().substr(0, 5)) == std::string::npos);
}

// A sealed message opens only whole, with its room's key, under its room's topic and version; the text never
// shows on the wire, each seal takes a fresh nonce, and nothing over 4 KiB is sealed or opened.
TEST(Sealed, OpensOnlyWholeInItsOwnRoom) {
    RoomSecrets room{"palabrum/v1/a", {}}, moved = room, stranger = room;
    room.key.fill(7), moved.key.fill(7), stranger.key.fill(8);
    moved.topic = "palabrum/v1/b";
    const WireBytes plain{'b', 'i', 'n', 'g', 'o'};
    const std::optional<WireBytes> wire = Seal(room, plain);
    ASSERT_TRUE(wire);
    EXPECT_EQ(std::pair(wire->size(), Open(room, *wire)), std::pair(plain.size() + 41, std::optional(plain)));
    const bool shown = std::search(wire->begin(), wire->end(), plain.begin(), plain.end()) != wire->end();
    EXPECT_TRUE(Seal(room, plain) != wire && !shown);
    for (std::size_t i = 0; i < wire->size(); ++i) {
        WireBytes bent = *wire;
        bent[i] ^= 1;
        EXPECT_FALSE(Open(room, bent)) << "byte " << i;
    }
    EXPECT_FALSE(Open(moved, *wire) || Open(stranger, *wire) || Open(room, {wire->begin(), wire->end() - 1}));
    EXPECT_TRUE(Seal(room, WireBytes(kMaxPlainBytes)) && !Seal(room, WireBytes(kMaxPlainBytes + 1)));
}


Message RoomOf(PlayerId starter, std::uint32_t round, std::uint64_t sequence) {
    Message m{.kind = Message::Kind::kRoom, .sender = starter, .sequence = sequence, .round = round, .name = "Ana"};
    for (int i = 0; i < 25; ++i) m.words.push_back("w\xC3\xB6rd " + std::to_string(i));
    return m;
}

Message PresenceOf(PlayerId player, std::string name, std::uint32_t round, int progress, std::uint64_t sequence) {
    return {.kind = Message::Kind::kPresence, .sender = player, .sequence = sequence, .round = round,
            .name = std::move(name), .progress = static_cast<std::uint8_t>(progress)};
}

BingoClaim ClaimOf(std::uint64_t timeMs, int firstWord) {
    BingoClaim claim{timeMs, {}};
    for (int k = 0; k < 5; ++k) claim.words[k] = "w\xC3\xB6rd " + std::to_string(firstWord + k);
    return claim;
}

// Every kind reads back as written; nothing breaking a rule is written or read: each cut of a good message, a
// byte too many, an unknown kind or flag, and fields out of bounds.
TEST(Message, ReadsBackExactlyWhatWasWrittenAndNothingElse) {
    Message presence = PresenceOf({1, 2, 3, 4, 5, 6, 7, 8}, "Bj\xC3\xB6rn", 3, 5, 0x0102030405060708);
    presence.bingo = ClaimOf(1234567890123, 0);
    Message bingo = presence;
    bingo.kind = Message::Kind::kBingo, bingo.progress = 0;
    Message gone = PresenceOf({9}, "Cy", 1, 2, 7);
    gone.gone = true;
    for (const Message& m : {RoomOf({1}, 7, 1), presence, bingo, gone}) {
        const std::vector<std::uint8_t> bytes = EncodeMessage(m);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(DecodeMessage(bytes), m);
        for (std::size_t cut = 0; cut < bytes.size(); ++cut)  // a copy each, so a read past its end is the sanitizers' to see
            EXPECT_FALSE(DecodeMessage(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut))) << "cut at " << cut;
        std::vector<std::uint8_t> longer = bytes;
        longer.push_back(0);
        EXPECT_FALSE(DecodeMessage(longer));
    }
    std::vector<std::uint8_t> bytes = EncodeMessage(gone);
    EXPECT_EQ(bytes.size(), 1u + 8 + 8 + 4 + 2 + 2 + 1 + 1 + 1);
    bytes[0] = 4;
    EXPECT_FALSE(DecodeMessage(bytes));
    bytes[0] = 2, bytes[bytes.size() - 2] = 2;  // gone is 0 or 1
    EXPECT_FALSE(DecodeMessage(bytes));

    const auto broken = [](Message m, auto&& change) {
        change(m);
        return EncodeMessage(m).empty();
    };
    EXPECT_TRUE(broken(gone, [](Message& m) { m.name.clear(); }));
    EXPECT_TRUE(broken(gone, [](Message& m) { m.name = std::string(41, 'x'); }));
    EXPECT_FALSE(broken(gone, [](Message& m) { m.name = std::string(40, 'x'); }));
    EXPECT_TRUE(broken(gone, [](Message& m) { m.name = "a\nb"; }));
    EXPECT_TRUE(broken(gone, [](Message& m) { m.name = "a\xC2\x85"; }));  // NEL, a C1 control
    EXPECT_TRUE(broken(gone, [](Message& m) { m.name = "\xC0\xAF"; }));   // overlong
    EXPECT_TRUE(broken(gone, [](Message& m) { m.progress = 6; }));
    EXPECT_TRUE(broken(gone, [](Message& m) { m.bingo = ClaimOf(1, 0); }));  // a bingo at progress 2
    EXPECT_TRUE(broken(bingo, [](Message& m) { m.bingo->words[4].clear(); }));
    EXPECT_TRUE(broken(bingo, [](Message& m) { m.bingo.reset(); }));
    EXPECT_TRUE(broken(RoomOf({1}, 1, 1), [](Message& m) { m.words.pop_back(); }));
    EXPECT_TRUE(broken(RoomOf({1}, 1, 1), [](Message& m) { m.words[3] = std::string(241, 'x'); }));
    EXPECT_FALSE(broken(RoomOf({1}, 1, 1), [](Message& m) { m.words[3] = std::string(240, 'x'); }));

    // A list too long for one sealed message is known before anything is sent.
    std::vector<std::string> longest(25, std::string(240, 'x'));
    EXPECT_FALSE(RoomListFits(longest, "Ana"));
    longest.assign(25, std::string(159, 'x'));
    EXPECT_TRUE(RoomListFits(longest, "Ana") && !RoomListFits(longest, std::string(40, 'x')));
}

struct GateFixture {
    RoomSecrets room{"palabrum/v1/test", {}};
    PlayerId self{0xEE};
    MessageGate gate{room, self};
    std::uint64_t now = 1000;

    std::optional<Message> Send(const Message& m, std::string topic = {}) {
        if (topic.empty())
            topic = m.kind == Message::Kind::kRoom       ? RoomTopic(room)
                    : m.kind == Message::Kind::kPresence ? PresenceTopic(room, m.sender)
                                                         : BingoTopic(room);
        return gate.Admit(topic, *Seal(room, EncodeMessage(m)), now);
    }
};

// Only what the room sealed, well formed, in its place, newer than the last of its kind from its sender and at
// its sender's pace passes; each drop is counted by its reason, and the player's own echoes pass silently.
TEST(MessageGate, PassesOnlyFreshSealedMessagesInTheirPlaceAtTheirPace) {
    GateFixture f;
    const PlayerId ana{1}, bo{2};
    f.room.key.fill(3);
    f.gate = MessageGate(f.room, f.self);
    EXPECT_TRUE(f.Send(RoomOf(ana, 1, 10)));
    EXPECT_TRUE(f.Send(PresenceOf(ana, "Ana", 1, 0, 5)));  // other kinds count apart: retained ones come in any order
    EXPECT_FALSE(f.Send(PresenceOf(ana, "Ana", 1, 0, 5)));
    EXPECT_FALSE(f.Send(PresenceOf(ana, "Ana", 1, 0, 4)));
    EXPECT_EQ(f.gate.Drops().replayed, 2u);
    EXPECT_FALSE(f.Send(PresenceOf(ana, "Ana", 1, 0, 6), PresenceTopic(f.room, bo)));
    EXPECT_FALSE(f.Send(PresenceOf(ana, "Ana", 1, 0, 7), BingoTopic(f.room)));
    EXPECT_FALSE(f.Send(PresenceOf(ana, "Ana", 1, 0, 8), f.room.topic + "/p/0100000000000000x"));
    EXPECT_EQ(f.gate.Drops().misplaced, 3u);
    EXPECT_FALSE(f.Send(PresenceOf(f.self, "Me", 1, 0, 1)));

    RoomSecrets stranger = f.room;
    stranger.key.fill(4);
    const WireBytes forged = *Seal(stranger, EncodeMessage(PresenceOf(bo, "Bo", 1, 5, 1)));
    EXPECT_FALSE(f.gate.Admit(PresenceTopic(f.room, bo), forged, f.now));
    EXPECT_FALSE(f.gate.Admit(BingoTopic(f.room), *Seal(f.room, WireBytes{3, 1, 2}), f.now));
    EXPECT_FALSE(f.gate.Admit(BingoTopic(f.room), WireBytes(kMaxWireBytes + 1, 1), f.now));
    const DropCounts drops = f.gate.Drops();
    EXPECT_EQ(std::tuple(drops.unsealed, drops.malformed, drops.oversized, drops.Total()), std::tuple(1, 1, 1, 8));

    std::uint64_t sequence = 100;
    int passed = 0;
    for (int i = 0; i < 30; ++i) passed += f.Send(PresenceOf(bo, "Bo", 1, 1, ++sequence)).has_value();
    f.now += 1000;
    for (int i = 0; i < 30; ++i) passed += f.Send(PresenceOf(bo, "Bo", 1, 1, ++sequence)).has_value();
    EXPECT_EQ(passed, 20 + 4);
    EXPECT_EQ(f.gate.Drops().tooFrequent, 36u);

    for (int i = 0; f.gate.Drops().crowded == 0 && i < 6000; ++i)
        f.Send(PresenceOf({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 9}, "X", 1, 0, 1));
    EXPECT_EQ(f.gate.Drops().crowded, 1u);
    f.now += 1000;
    EXPECT_TRUE(f.Send(PresenceOf(bo, "Bo", 1, 1, sequence + 1000)));  // the known still pass
}

// A connection's last will is newer than everything it sent and older than anything of the next connection,
// even one in the same second.
TEST(SequenceCounter, PutsTheWillBetweenConnections) {
    SequenceCounter counter;
    counter.BeginConnection(500);
    const std::uint64_t first = counter.Next(), second = counter.Next(), will = counter.Will();
    counter.BeginConnection(500);
    EXPECT_TRUE(first < second && second < will && will < counter.Next());
}

// The starter's list makes the room; only the starter deals again, and a new round wipes every progress and bingo
// until the player reports for it. Bingos come in the order they happened, not as they arrived, and only once.
TEST(Room, KeepsTheStartersRoundsAndTheBingosInTheOrderTheyHappened) {
    const PlayerId self{9}, ana{1}, bo{2}, cy{3};
    Room room(self);
    EXPECT_EQ(room.Apply(PresenceOf(bo, "Bo", 1, 3, 1)), Room::Change::kPlayers);
    EXPECT_EQ(room.Players()[0].progress, 0);  // no round known yet
    EXPECT_EQ(room.Apply(RoomOf(ana, 1, 1)), Room::Change::kRound);
    EXPECT_TRUE(room.IsStarter(ana) && !room.IsStarter(bo) && room.Words().size() == 25u);
    EXPECT_EQ(room.Players()[0].progress, 3);
    EXPECT_EQ(room.Apply(RoomOf(bo, 2, 2)), Room::Change::kNone);
    EXPECT_EQ(room.Apply(RoomOf(ana, 1, 2)), Room::Change::kNone);

    // Bo's bingo arrives first and Bo comes first by name, but Cy's happened first.
    Message cyBingo = PresenceOf(cy, "Cy", 1, 5, 1);
    cyBingo.bingo = ClaimOf(2000, 0);
    Message boPresence = PresenceOf(bo, "Bo", 1, 5, 2);
    boPresence.bingo = ClaimOf(3000, 5);
    Message boBingo = boPresence;
    boBingo.kind = Message::Kind::kBingo;
    EXPECT_EQ(room.Apply(boBingo), Room::Change::kBingo);
    EXPECT_EQ(room.Apply(boPresence), Room::Change::kPlayers);  // the same bingo, now in the presence
    EXPECT_EQ(room.Apply(cyBingo), Room::Change::kBingo);
    Message offList = PresenceOf(ana, "Ana", 1, 5, 3);
    offList.bingo = ClaimOf(500, 21);  // "wörd 25" is on no square
    offList.kind = Message::Kind::kBingo;
    EXPECT_EQ(room.Apply(offList), Room::Change::kNone);
    room.Apply(PresenceOf(self, "Me", 1, 4, 1));
    std::vector<std::string> order;
    for (const PlayerEntry& p : room.Players()) order.push_back(p.name + std::to_string(p.progress));
    EXPECT_EQ(order, (std::vector<std::string>{"Me4", "Bo5", "Cy5"}));
    ASSERT_EQ(room.Bingos().size(), 2u);
    EXPECT_EQ(room.Bingos()[0].name + room.Bingos()[1].name, "CyBo");

    EXPECT_EQ(room.Apply(RoomOf(ana, 2, 3)), Room::Change::kRound);
    EXPECT_TRUE(room.Bingos().empty());
    for (const PlayerEntry& p : room.Players()) EXPECT_EQ(p.progress, 0) << p.name;
    room.Apply(PresenceOf(cy, "Cy", 2, 2, 4));
    Message will = PresenceOf(cy, "Cy", 2, 0, 5);
    will.gone = true;
    room.Apply(will);
    EXPECT_TRUE(room.Players().back().gone && room.Players().back().progress == 2);
}

// Progress is the fullest line: rows, columns and both diagonals.
TEST(Room, ProgressIsTheMostMarksInOneLine) {
    Board board;
    std::vector<std::u16string> words;
    for (int i = 0; i < 25; ++i) words.push_back(std::u16string(1, static_cast<char16_t>(u'a' + i)));
    board.Deal(words, false, {});
    EXPECT_EQ(board.MostMarksInALine(), 0);
    for (int square : {3, 8, 13, 23}) board.SetMark(square, 1);  // four down column 3, no more than one elsewhere
    EXPECT_EQ(board.MostMarksInALine(), 4);
    for (int square : {0, 6, 12}) board.SetMark(square, 1);  // three down the diagonal
    EXPECT_EQ(board.MostMarksInALine(), 4);
    for (int square : {4, 16, 20}) board.SetMark(square, 1);  // the other diagonal: 4, 8, 12, 16, 20
    EXPECT_EQ(board.MostMarksInALine(), 5);
}

}  // namespace
}  // namespace palabrum

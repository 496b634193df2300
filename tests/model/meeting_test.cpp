// Meeting play's plain C++: room codes and the secrets they give.
#include <gtest/gtest.h>

#include <algorithm>

#include "meeting/room_code.h"
#include "meeting/sealed.h"

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

}  // namespace
}  // namespace palabrum

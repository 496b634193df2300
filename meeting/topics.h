// Where a room's messages live on the broker, all under the topic its code
// gives: the room itself (retained), each player's presence (retained, named
// by their id) and the bingos.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "meeting/message.h"
#include "meeting/room_code.h"

namespace palabrum {

std::string RoomTopic(const RoomSecrets& room);
std::string PresenceTopic(const RoomSecrets& room, const PlayerId& player);
std::string BingoTopic(const RoomSecrets& room);
// What a player subscribes to: everything under the room's topic.
std::string RoomSubscription(const RoomSecrets& room);

// Which message kind belongs on `topic`, and for a presence whose: none for a
// topic that is no room's place.
struct TopicPlace {
    Message::Kind kind;
    PlayerId player{};  // a presence's
};
std::optional<TopicPlace> PlaceOfTopic(const RoomSecrets& room, std::string_view topic);

std::string HexOf(const PlayerId& player);

}  // namespace palabrum

#include "meeting/topics.h"

namespace palabrum {

std::string HexOf(const PlayerId& player) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t b : player) hex += {kDigits[b >> 4], kDigits[b & 15]};
    return hex;
}

std::string RoomTopic(const RoomSecrets& room) { return room.topic + "/room"; }
std::string PresenceTopic(const RoomSecrets& room, const PlayerId& player) {
    return room.topic + "/p/" + HexOf(player);
}
std::string BingoTopic(const RoomSecrets& room) { return room.topic + "/bingo"; }
std::string RoomSubscription(const RoomSecrets& room) { return room.topic + "/#"; }

std::optional<TopicPlace> PlaceOfTopic(const RoomSecrets& room, std::string_view topic) {
    if (topic == RoomTopic(room)) return TopicPlace{Message::Kind::kRoom};
    if (topic == BingoTopic(room)) return TopicPlace{Message::Kind::kBingo};
    const std::string prefix = room.topic + "/p/";
    if (!topic.starts_with(prefix) || topic.size() != prefix.size() + 16) return std::nullopt;
    TopicPlace place{Message::Kind::kPresence};
    for (std::size_t i = 0; i < place.player.size(); ++i) {
        int value = 0;
        for (char c : topic.substr(prefix.size() + 2 * i, 2)) {
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            if (digit < 0) return std::nullopt;
            value = value * 16 + digit;
        }
        place.player[i] = static_cast<std::uint8_t>(value);
    }
    return place;
}

}  // namespace palabrum

#include "meeting/message_gate.h"

#include <algorithm>

#include "meeting/sealed.h"
#include "meeting/topics.h"

namespace palabrum {

std::optional<Message> MessageGate::Admit(std::string_view topic, std::span<const std::uint8_t> wire,
                                          std::uint64_t nowMs) {
    if (wire.size() > kMaxWireBytes) return ++m_drops.oversized, std::nullopt;
    const std::optional<WireBytes> plain = Open(m_room, wire);
    if (!plain) return ++m_drops.unsealed, std::nullopt;
    std::optional<Message> message = DecodeMessage(*plain);
    if (!message) return ++m_drops.malformed, std::nullopt;
    const std::optional<TopicPlace> place = PlaceOfTopic(m_room, topic);
    if (!place || place->kind != message->kind ||
        (place->kind == Message::Kind::kPresence && place->player != message->sender)) {
        return ++m_drops.misplaced, std::nullopt;
    }
    // The player's own room message counts (it tells a restarted starter the
    // round); their own presence and bingos they know better than the broker.
    if (message->sender == m_self && message->kind != Message::Kind::kRoom) return std::nullopt;

    auto found = m_senders.find(message->sender);
    if (found == m_senders.end()) {
        if (m_senders.size() >= kMostSenders) return ++m_drops.crowded, std::nullopt;
        found = m_senders.emplace(message->sender, Sender{.refilledMs = nowMs}).first;
    }
    Sender& sender = found->second;
    std::uint64_t& last = sender.last[static_cast<int>(message->kind)];
    if (message->sequence <= last) return ++m_drops.replayed, std::nullopt;
    const double elapsed = nowMs > sender.refilledMs ? static_cast<double>(nowMs - sender.refilledMs) : 0;
    sender.tokens = std::min(kBurst, sender.tokens + elapsed * kPerSecond / 1000);
    sender.refilledMs = std::max(sender.refilledMs, nowMs);
    if (sender.tokens < 1) return ++m_drops.tooFrequent, std::nullopt;
    sender.tokens -= 1;
    last = message->sequence;
    return message;
}

}  // namespace palabrum

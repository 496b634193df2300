#include "shell/broker_link.h"

#include <mosquitto.h>

#include <algorithm>
#include <chrono>

#include "meeting/sealed.h"

namespace palabrum {

namespace {

// How often the broker hears from a quiet client, and so how soon it notices
// a lost one and publishes its will: within one and a half of these.
constexpr int kKeepAliveSeconds = 10;

QString Reason(int code) {
    return code == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(strerror(errno))
                                  : QString::fromUtf8(mosquitto_strerror(code));
}

}  // namespace

BrokerLink::BrokerLink(BrokerSettings settings, std::string password, std::string subscription, WillMaker will)
    : m_settings(std::move(settings)),
      m_password(std::move(password)),
      m_subscription(std::move(subscription)),
      m_will(std::move(will)) {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
    m_client = mosquitto_new(nullptr, true, this);
    mosquitto_threaded_set(m_client, true);
    mosquitto_connect_callback_set(m_client, &BrokerLink::OnConnect);
    mosquitto_message_callback_set(m_client, &BrokerLink::OnMessage);
    mosquitto_publish_callback_set(m_client, &BrokerLink::OnPublish);
    if (!m_settings.user.empty())
        mosquitto_username_pw_set(m_client, m_settings.user.c_str(), m_password.empty() ? nullptr : m_password.c_str());
    if (m_settings.tls) {
        // The given authority, or the system's; the host name is checked either way.
        mosquitto_tls_set(m_client, m_settings.caFile.empty() ? nullptr : m_settings.caFile.c_str(),
                          m_settings.caFile.empty() ? "/etc/ssl/certs" : nullptr, nullptr, nullptr, nullptr);
    }
}

BrokerLink::~BrokerLink() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    mosquitto_destroy(m_client);
}

void BrokerLink::Start() { m_thread = std::thread([this] { Run(); }); }

void BrokerLink::Publish(const Outgoing& message) {
    if (message.wire.empty()) return;
    int mid = 0;
    const int code = mosquitto_publish(m_client, &mid, message.topic.c_str(), static_cast<int>(message.wire.size()),
                                       message.wire.data(), message.qos, message.retain);
    if (code == MOSQ_ERR_SUCCESS && message.qos > 0) {
        std::lock_guard lock(m_lock);
        m_unacknowledged.insert(mid);
    }
}

void BrokerLink::SleepUnlessStopped(int milliseconds) {
    for (int slept = 0; slept < milliseconds && !m_stop; slept += 50)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

bool BrokerLink::HasUnacknowledged() {
    std::lock_guard lock(m_lock);
    return !m_unacknowledged.empty();
}

void BrokerLink::Run() {
    bool linked = false;
    int delay = 250;  // doubles to 8 s while the broker stays away
    while (!m_stop) {
        if (!linked) {
            const Outgoing will = m_will();
            mosquitto_will_set(m_client, will.topic.c_str(), static_cast<int>(will.wire.size()), will.wire.data(),
                               will.qos, will.retain);
            const int code = mosquitto_connect(m_client, m_settings.host.c_str(), m_settings.port, kKeepAliveSeconds);
            if (code != MOSQ_ERR_SUCCESS) {
                emit connectionLost(Reason(code));
                SleepUnlessStopped(delay);
                delay = std::min(delay * 2, 8000);
                continue;
            }
            linked = true;
            delay = 250;
        }
        const int code = mosquitto_loop(m_client, 100, 1);
        if (code != MOSQ_ERR_SUCCESS && !m_stop) {
            linked = false;
            std::lock_guard lock(m_lock);
            m_unacknowledged.clear();
        }
        if (!linked) {
            emit connectionLost(Reason(code));
            SleepUnlessStopped(delay);
        }
    }
    if (!linked) return;
    // Leaving: what is queued (the "gone" presence) goes out first.
    for (int i = 0; i < 20 && (HasUnacknowledged() || mosquitto_want_write(m_client)); ++i)
        mosquitto_loop(m_client, 50, 1);
    mosquitto_disconnect(m_client);
    mosquitto_loop(m_client, 50, 1);
}

void BrokerLink::OnConnect(mosquitto* client, void* self, int code) {
    auto* link = static_cast<BrokerLink*>(self);
    if (code != 0) {
        // Refused (a wrong password, say): the loop sees the connection end.
        emit link->connectionLost(QString::fromUtf8(mosquitto_connack_string(code)));
        mosquitto_disconnect(client);
        return;
    }
    mosquitto_subscribe(client, nullptr, link->m_subscription.c_str(), 1);
    emit link->connected();
}

void BrokerLink::OnMessage(mosquitto*, void* self, const mosquitto_message* message) {
    // Past the wire's bound only the size matters: the receiver drops and
    // counts it, and a huge payload is not copied to say so.
    const int size = std::min<int>(message->payloadlen, kMaxWireBytes + 1);
    emit static_cast<BrokerLink*>(self)->received(QString::fromUtf8(message->topic),
                                                  QByteArray(static_cast<const char*>(message->payload), size));
}

void BrokerLink::OnPublish(mosquitto*, void* self, int mid) {
    auto* link = static_cast<BrokerLink*>(self);
    std::lock_guard lock(link->m_lock);
    link->m_unacknowledged.erase(mid);
}

}  // namespace palabrum

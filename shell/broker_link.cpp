#include "shell/broker_link.h"

#include <mosquitto.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

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
    m_wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
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
    Wake();
    if (m_thread.joinable()) m_thread.join();
    mosquitto_destroy(m_client);
    if (m_wake >= 0) close(m_wake);
}

void BrokerLink::Start() { m_thread = std::thread([this] { Run(); }); }

void BrokerLink::Publish(const Outgoing& message) {
    if (message.wire.empty()) return;
    {
        std::lock_guard lock(m_lock);
        m_queue.push_back(message);
    }
    Wake();
}

void BrokerLink::Wake() {
    const std::uint64_t one = 1;
    if (m_wake >= 0) (void)!write(m_wake, &one, sizeof one);
}

void BrokerLink::SendQueued() {
    std::deque<Outgoing> queue;
    {
        std::lock_guard lock(m_lock);
        queue.swap(m_queue);
    }
    for (const Outgoing& message : queue) {
        int mid = 0;
        const int code = mosquitto_publish(m_client, &mid, message.topic.c_str(),
                                           static_cast<int>(message.wire.size()), message.wire.data(), message.qos,
                                           message.retain);
        if (code == MOSQ_ERR_SUCCESS && message.qos > 0) {
            std::lock_guard lock(m_lock);
            m_unacknowledged.insert(mid);
        }
    }
}

int BrokerLink::Serve() {
    while (!m_stop) {
        pollfd fds[2] = {{mosquitto_socket(m_client), POLLIN, 0}, {m_wake, POLLIN, 0}};
        if (mosquitto_want_write(m_client)) fds[0].events |= POLLOUT;
        // A tenth of a second at most, for the keep-alive's clock.
        if (poll(fds, 2, 100) < 0 && errno != EINTR) return MOSQ_ERR_ERRNO;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count = 0;
            (void)!read(m_wake, &count, sizeof count);
            SendQueued();
        }
        int code = MOSQ_ERR_SUCCESS;
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) code = mosquitto_loop_read(m_client, 1);
        if (code == MOSQ_ERR_SUCCESS && mosquitto_want_write(m_client)) code = mosquitto_loop_write(m_client, 1);
        if (code == MOSQ_ERR_SUCCESS) code = mosquitto_loop_misc(m_client);
        if (code != MOSQ_ERR_SUCCESS) return code;
    }
    return MOSQ_ERR_SUCCESS;
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
    int delay = 250;  // doubles to 8 s while the broker stays away
    while (!m_stop) {
        const Outgoing will = m_will();
        mosquitto_will_set(m_client, will.topic.c_str(), static_cast<int>(will.wire.size()), will.wire.data(),
                           will.qos, will.retain);
        int code = mosquitto_connect(m_client, m_settings.host.c_str(), m_settings.port, kKeepAliveSeconds);
        if (code == MOSQ_ERR_SUCCESS) {
            delay = 250;
            code = Serve();
            if (code == MOSQ_ERR_SUCCESS) break;  // stopping, still connected
            std::lock_guard lock(m_lock);
            m_unacknowledged.clear();
        }
        emit connectionLost(Reason(code));
        SleepUnlessStopped(delay);
        delay = std::min(delay * 2, 8000);
    }
    if (!m_stop || mosquitto_socket(m_client) < 0) return;
    // Leaving: what is queued (the "gone" presence) goes out first.
    SendQueued();
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

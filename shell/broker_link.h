// The thin adapter to the MQTT broker: one libmosquitto client run by a
// network thread of its own, which connects (again and again, with a fresh
// last will each time, until told to stop), subscribes to the room, and hands
// every message it receives to the program's thread through a queued signal.
// Only that thread calls the library: what the program publishes waits in a
// queue, and a wake-up descriptor tells the thread at once.
// It knows nothing of what the messages say.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <deque>
#include <set>
#include <string>
#include <thread>

#include "meeting/broker_settings.h"
#include "meeting/outbox.h"

struct mosquitto;
struct mosquitto_message;

namespace palabrum {

class BrokerLink : public QObject {
    Q_OBJECT
public:
    // Called on the network thread before every connection: the will the
    // broker is to publish if the connection dies.
    using WillMaker = std::function<Outgoing()>;

    BrokerLink(BrokerSettings settings, std::string password, std::string subscription, WillMaker will);
    // Leaves: sends what is queued (a second at most), disconnects cleanly
    // (so the broker publishes no will) and ends the thread.
    ~BrokerLink() override;

    void Start();
    // Queues `message` for the broker; safe from any thread. What is queued
    // while the connection is down goes out when it is back.
    void Publish(const Outgoing& message);

signals:
    // Connected and subscribed (each time, after every reconnection).
    void connected();
    // A connection failed, was refused or dropped; it is tried again.
    void connectionLost(const QString& reason);
    void received(const QString& topic, const QByteArray& payload);

private:
    void Run();
    void SleepUnlessStopped(int milliseconds);
    bool HasUnacknowledged();
    // Runs the connection until it drops (an error code) or the link stops (success).
    int Serve();
    void SendQueued();
    void Wake();
    static void OnConnect(mosquitto*, void* self, int code);
    static void OnMessage(mosquitto*, void* self, const mosquitto_message* message);
    static void OnPublish(mosquitto*, void* self, int mid);

    const BrokerSettings m_settings;
    const std::string m_password;
    const std::string m_subscription;
    const WillMaker m_will;
    mosquitto* m_client = nullptr;
    std::atomic<bool> m_stop{false};
    int m_wake = -1;  // an eventfd: the program's thread has queued something
    std::mutex m_lock;
    std::deque<Outgoing> m_queue;
    std::set<int> m_unacknowledged;  // at-least-once messages the broker has not acknowledged
    std::thread m_thread;
};

}  // namespace palabrum

// The meeting under load, on loopback against a real mosquitto that this
// program starts and stops: for 100, 500 and 1,000 simulated players in one
// room, how long a bingo takes to reach every player, opened, checked and
// applied (median and 99th percentile of the trials), beside the broker's own
// floor measured in the same run (the same fan-out of an unsealed message to
// plain subscribers); then the CPU and memory of a real client (the whole
// program, in a process of its own, joined through its Meeting menu) while
// every simulated player reports progress once a second.
//
//   meeting_load [TRIALS] [SECONDS]     defaults 30 trials, 10 seconds of progress
//
// Bounded: every wait has a deadline, the sizes are fixed, and the broker and
// the client are killed when it ends.
#include <mosquitto.h>
#include <poll.h>

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "meeting/message_gate.h"
#include "meeting/outbox.h"
#include "meeting/room.h"
#include "meeting/topics.h"
#include "model/word_list.h"
#include "shell/app.h"
#include "shell/meeting_controller.h"
#include "shell/meeting_dialogs.h"
#include "shell/meeting_session.h"
#include "tests/support/broker.h"

namespace palabrum {
namespace {

using Clock = std::chrono::steady_clock;

std::uint64_t NowMs() {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
}

// One broker connection of a simulated player (or a plain subscriber), run by
// the one poll loop below; no threads.
struct Peer {
    mosquitto* client = nullptr;
    std::unique_ptr<MessageGate> gate;  // none: a plain subscriber of the floor
    std::unique_ptr<Room> room;
    Clock::time_point reached{};
    bool subscribed = false;
};

void OnMessage(mosquitto*, void* self, const mosquitto_message* m) {
    auto* peer = static_cast<Peer*>(self);
    if (peer->gate) {
        const std::optional<Message> message =
            peer->gate->Admit(m->topic, {static_cast<const std::uint8_t*>(m->payload),
                                         static_cast<std::size_t>(m->payloadlen)}, NowMs());
        if (!message || peer->room->Apply(*message) != Room::Change::kBingo) return;
    }
    peer->reached = Clock::now();
}

void Pump(std::vector<std::unique_ptr<Peer>>& peers, int ms) {
    std::vector<pollfd> fds;
    for (auto& peer : peers) {
        short events = POLLIN;
        if (mosquitto_want_write(peer->client)) events |= POLLOUT;
        fds.push_back({mosquitto_socket(peer->client), events, 0});
    }
    poll(fds.data(), fds.size(), ms);
    for (std::size_t i = 0; i < peers.size(); ++i) {
        mosquitto* client = peers[i]->client;
        if (fds[i].revents & POLLIN) mosquitto_loop_read(client, 1);
        if (mosquitto_want_write(client)) mosquitto_loop_write(client, 1);
        mosquitto_loop_misc(client);
    }
}

template <typename Done>
bool PumpUntil(std::vector<std::unique_ptr<Peer>>& peers, Done done, double seconds) {
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (Clock::now() > end) return false;
        Pump(peers, 5);
    }
    return true;
}

std::unique_ptr<Peer> Connect(int port, const std::string& topic) {
    auto peer = std::make_unique<Peer>();
    peer->client = mosquitto_new(nullptr, true, peer.get());
    mosquitto_message_callback_set(peer->client, OnMessage);
    mosquitto_subscribe_callback_set(peer->client, [](mosquitto*, void* self, int, int, const int*) {
        static_cast<Peer*>(self)->subscribed = true;
    });
    if (mosquitto_connect(peer->client, "127.0.0.1", port, 60) != MOSQ_ERR_SUCCESS) return nullptr;
    if (!topic.empty()) mosquitto_subscribe(peer->client, nullptr, topic.c_str(), 1);
    return peer;
}

struct Figures {
    double median = 0, p99 = 0;
};

Figures Percentiles(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) return {};
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)]};
}

// Publishes from `sender` and waits until every peer of `peers` from `first`
// on has it: the milliseconds that took, or a negative number on timeout.
double FanOut(std::vector<std::unique_ptr<Peer>>& peers, std::size_t first, Peer& sender, const Outgoing& message) {
    for (std::size_t i = first; i < peers.size(); ++i) peers[i]->reached = {};
    const auto start = Clock::now();
    mosquitto_publish(sender.client, nullptr, message.topic.c_str(), static_cast<int>(message.wire.size()),
                      message.wire.data(), 1, false);
    const bool all = PumpUntil(peers, [&] {
        for (std::size_t i = first; i < peers.size(); ++i)
            if (peers[i]->reached == Clock::time_point{}) return false;
        return true;
    }, 10);
    if (!all) return -1;
    Clock::time_point last = start;
    for (std::size_t i = first; i < peers.size(); ++i) last = std::max(last, peers[i]->reached);
    return std::chrono::duration<double, std::milli>(last - start).count();
}

// /proc figures of a process: processor time in clock ticks and resident memory in KiB.
std::pair<long, long> UsageOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 1; stat >> field && i <= 15; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    long rss = 0;
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) rss = std::stol(line.substr(6));
    return {utime + stime, rss};
}

struct JoinDialogs : MeetingDialogs {
    QString code;
    std::optional<MeetingEntry> AskEntry(bool, const QString&) override { return MeetingEntry{code, "Client"}; }
    std::optional<BrokerSettings> AskSettings(const BrokerSettings&) override { return std::nullopt; }
    std::optional<QString> AskPassword(const BrokerSettings&) override { return std::nullopt; }
};

// The real client: the whole program, joining through its Meeting menu.
int RunClient(int argc, char* argv[], int port, const char* code) {
    const testing::TempDir home;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.File("config").string()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Palabrum"));
    QApplication::setApplicationName(QStringLiteral("Palabrum"));
    QSettings().setValue(QStringLiteral("Meeting/Host"), QStringLiteral("127.0.0.1"));
    QSettings().setValue(QStringLiteral("Meeting/Port"), port);
    JoinDialogs dialogs;
    dialogs.code = QString::fromLatin1(code);
    CPalabrumApp program(home.File("state.dat"));
    program.SetMeetingDialogs(dialogs);
    program.InitInstance({.file = {}, .singleInstance = false, .unattended = false});
    program.Meeting()->Join();
    QTimer::singleShot(300000, &app, &QCoreApplication::quit);
    return app.exec();
}

int Run(int trials, int seconds) {
    testing::Broker broker;
    if (!broker.started) return std::fprintf(stderr, "meeting_load: mosquitto did not start\n"), 1;
    mosquitto_lib_init();
    const RoomCode code = NewRoomCode();
    const RoomSecrets secrets = *DeriveRoomSecrets(code);
    Outbox starter(secrets, PlayerId{1}, "Starter");
    std::vector<std::string> words;
    for (const std::u16string& word : BuiltInWordList()) words.push_back(std::string(word.begin(), word.end()));
    const Outgoing list = starter.RoomList(1, words);

    std::vector<std::unique_ptr<Peer>> peers;  // [0] the sender, [1] the floor's sender
    peers.push_back(Connect(broker.port, {}));
    peers.push_back(Connect(broker.port, {}));
    mosquitto_publish(peers[0]->client, nullptr, list.topic.c_str(), static_cast<int>(list.wire.size()),
                      list.wire.data(), 1, true);

    std::printf("players | bingo to all, median / p99 (ms) | floor, median / p99 (ms) | p99 ratio | "
                "client CPU (%% of a core) | client memory growth (bytes a player known)\n");
    std::vector<std::unique_ptr<Peer>> floor;
    floor.push_back(Connect(broker.port, {}));

    // The real client joins the room once; its memory is counted from here, over all the players it comes to know.
    testing::TempDir dir;
    testing::Child client = testing::Child::Start(
        {"/proc/self/exe", "--client", std::to_string(broker.port), code.Shown()}, dir.File("out").string(),
        dir.File("err").string());
    const pid_t pid = client.Pid();
    PumpUntil(peers, [] { return false; }, 3);
    const long baseline = UsageOf(pid).second;
    int known = 0;
    for (const int size : {100, 500, 1000}) {
        // Players join (each their own gate and room) and plain subscribers to match.
        while (static_cast<int>(peers.size()) - 2 < size) {
            auto peer = Connect(broker.port, secrets.topic + "/+");  // the room and its bingos
            if (!peer) return std::fprintf(stderr, "meeting_load: a player could not connect\n"), 1;
            peer->gate = std::make_unique<MessageGate>(secrets, PlayerId{2, static_cast<std::uint8_t>(peers.size())});
            peer->room = std::make_unique<Room>(PlayerId{});
            peers.push_back(std::move(peer));
            floor.push_back(Connect(broker.port, "floor/bingo"));
        }
        if (!PumpUntil(peers, [&] {
                return std::all_of(peers.begin() + 2, peers.end(), [](auto& p) { return p->subscribed && p->room->HasList(); });
            }, 30) ||
            !PumpUntil(floor, [&] { return std::all_of(floor.begin() + 1, floor.end(), [](auto& p) { return p->subscribed; }); }, 30)) {
            return std::fprintf(stderr, "meeting_load: players did not join in time\n"), 1;
        }
        std::vector<double> bingo, plain;
        for (int t = 0; t < trials; ++t) {
            // A new round each trial, so that each bingo is news to every room.
            const Outgoing round = starter.RoomList(static_cast<std::uint32_t>(t + 2 + size * 1000), words);  // rounds only grow
            mosquitto_publish(peers[0]->client, nullptr, round.topic.c_str(), static_cast<int>(round.wire.size()),
                              round.wire.data(), 1, true);
            PumpUntil(peers, [&] { return std::all_of(peers.begin() + 2, peers.end(), [&](auto& p) {
                return p->room->Round() == static_cast<std::uint32_t>(t + 2 + size * 1000); }); }, 10);
            const BingoClaim claim{NowMs(), {words[0], words[1], words[2], words[3], words[4]}};
            bingo.push_back(FanOut(peers, 2, *peers[0], starter.Bingo(static_cast<std::uint32_t>(t + 2 + size * 1000), claim)));
            plain.push_back(FanOut(floor, 1, *floor[0], {"floor/bingo", WireBytes(200, 'b'), 1, false}));
            // Two messages a trial from the starter stay within a sender's pace (four a second).
            PumpUntil(peers, [] { return false; }, 0.6);
        }
        if (std::count(bingo.begin(), bingo.end(), -1) + std::count(plain.begin(), plain.end(), -1) > 0)
            return std::fprintf(stderr, "meeting_load: a fan-out timed out at %d players\n", size), 1;
        const Figures b = Percentiles(bingo), f = Percentiles(plain);
        std::printf("%7d | %13.1f / %5.1f | %13.1f / %5.1f | %9.2f | ", size, b.median, b.p99, f.median, f.p99, b.p99 / f.p99);
        std::fflush(stdout);

        // Every simulated player, each with an identity of its own at each size, reports progress once a second.
        std::vector<std::unique_ptr<Outbox>> outboxes;
        for (int i = 0; i < size; ++i)
            outboxes.push_back(std::make_unique<Outbox>(
                secrets, PlayerId{3, static_cast<std::uint8_t>(size / 100), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8)},
                "Player " + std::to_string(i)));
        const std::uint32_t current = peers[2]->room->Round();
        const auto [ticks0, rss0] = UsageOf(pid);
        const auto start = Clock::now();
        for (int second = 0; second < seconds; ++second) {
            for (int i = 0; i < size; ++i) {
                const Outgoing presence = outboxes[i]->Presence(current, (second + i) % 5, std::nullopt);
                mosquitto_publish(peers[2 + i % size]->client, nullptr, presence.topic.c_str(),
                                  static_cast<int>(presence.wire.size()), presence.wire.data(), 0, true);
                if (i % 50 == 0) Pump(peers, 0);
            }
            PumpUntil(peers, [] { return false; }, std::chrono::duration<double>(start + std::chrono::seconds(second + 1) - Clock::now()).count());
        }
        const auto [ticks1, rss1] = UsageOf(pid);
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        known += size;
        std::printf("%24.1f | %37.0f\n", 100.0 * (ticks1 - ticks0) / sysconf(_SC_CLK_TCK) / wall,
                    (rss1 - baseline) * 1024.0 / known);
        std::fflush(stdout);
    }
    for (auto& peer : peers) mosquitto_destroy(peer->client);
    for (auto& peer : floor) mosquitto_destroy(peer->client);
    return 0;
}

}  // namespace
}  // namespace palabrum

int main(int argc, char* argv[]) {
    if (argc == 4 && std::string(argv[1]) == "--client") return palabrum::RunClient(argc, argv, std::atoi(argv[2]), argv[3]);
    return palabrum::Run(argc > 1 ? std::atoi(argv[1]) : 30, argc > 2 ? std::atoi(argv[2]) : 10);
}

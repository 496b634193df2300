// Meeting play end to end: players in this process (the whole program for the
// starter and one who joins through the menu) and in another, over a real
// broker that is killed and restarted; hostile messages from a client of the
// broker's own.
#include <gtest/gtest.h>
#include <mosquitto.h>

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <deque>
#include <memory>
#include <random>

#include "meeting/sealed.h"
#include "meeting/topics.h"
#include "model/utf8.h"
#include "shell/app.h"
#include "shell/main_frame.h"
#include "shell/meeting_controller.h"
#include "shell/meeting_dialogs.h"
#include "shell/meeting_session.h"
#include "tests/support/broker.h"
#include "tests/support/session.h"
#include "views/players_panel.h"

namespace palabrum {
namespace {

using testing::Broker;

// Every player's own random deals, as every machine has.
void Shuffle(testing::ScriptedPort& port) {
    std::random_device random;
    for (int i = 0; i < 500; ++i) port.draws.push_back(random());
}

struct ScriptedMeetingDialogs : MeetingDialogs {
    std::deque<std::optional<MeetingEntry>> entries;
    std::optional<BrokerSettings> settings;
    std::optional<MeetingEntry> AskEntry(bool, const QString&) override {
        if (entries.empty()) return std::nullopt;
        auto entry = entries.front();
        entries.pop_front();
        return entry;
    }
    std::optional<BrokerSettings> AskSettings(const BrokerSettings&) override { return settings; }
    std::optional<QString> AskPassword(const BrokerSettings&) override { return std::nullopt; }
};

// The whole program, as a player starts it, with scripted boxes and dialogs.
struct Program {
    testing::TempDir dir;
    testing::ScriptedPort port;
    ScriptedMeetingDialogs dialogs;
    CPalabrumApp app;
    explicit Program(const std::filesystem::path& state = {}) : app(state.empty() ? dir.File("state.dat") : state, &port) {
        Shuffle(port);
        app.SetMeetingDialogs(dialogs);
        app.InitInstance({.singleInstance = false});
        port.doc = &app.Document();
    }
    MeetingController& Meeting() { return *app.Meeting(); }
};

// A player of the model alone, with a session of its own.
struct Player {
    testing::TempDir dir;
    testing::Session game{dir.File("state.dat")};
    std::unique_ptr<MeetingSession> session;
    Player(const RoomCode& code, std::string name, const BrokerSettings& settings, bool starter = false) {
        Shuffle(game.port);
        MeetingSeat seat{code, std::move(name), {}, starter, 0};
        seat.self[0] = static_cast<std::uint8_t>(seat.name[0]);
        session = std::make_unique<MeetingSession>(game.doc, seat, *DeriveRoomSecrets(code), settings, "");
    }
    const Room& room() const { return session->GetRoom(); }
};

bool Eventually(const std::function<bool()>& condition, int ms = 10000) { return QTest::qWaitFor(condition, ms); }

std::optional<PlayerEntry> Find(const Room& room, const std::string& name) {
    for (const PlayerEntry& player : room.Players())
        if (player.name == name) return player;
    return std::nullopt;
}

std::vector<std::u16string> Card(const CPalabrumDoc& doc) {
    std::vector<std::u16string> words;
    for (int s = 0; s < kSquares; ++s) words.push_back(doc.GetWord(s));
    return words;
}

std::vector<std::u16string> Sorted(std::vector<std::u16string> words) {
    std::sort(words.begin(), words.end());
    return words;
}

void MarkRow(CPalabrumDoc& doc, int row, int count) {
    for (int k = 0; k < count; ++k) doc.SetMark(row * kSide + k, 1);
}

// Three players in one room: the starter's code on the clipboard and in a notice, the room's list on every
// board in a different order, progress and bingos reaching everyone in the order they happened, the panel and
// the status bar telling them as plain text, and a new round dealt to all. A wrong code, a room that does not
// exist and a broker that does not answer each say so and leave the board as it was.
TEST(MeetingPlay, ThreePlayersShareTheRoomTheirProgressAndTheBingosInOrder) {
    Broker broker;
    ASSERT_TRUE(broker.started);
    QSettings().remove(QStringLiteral("Meeting"));
    Program ana, bo;
    ana.dialogs.settings = BrokerSettings{"127.0.0.1", broker.port, false, {}, {}};
    ana.Meeting().Settings();
    EXPECT_EQ(MeetingController::SavedSettings(), *ana.dialogs.settings);

    ana.dialogs.entries = {MeetingEntry{{}, QStringLiteral("Ana")}};
    ana.Meeting().StartAction()->trigger();
    ASSERT_TRUE(Eventually([&] { return ana.port.boxes.size() == 1; }));
    ASSERT_TRUE(ana.Meeting().Session()) << QString::fromStdU16String(ana.port.boxes[0].text).toStdString();
    const MeetingSession& started = *ana.Meeting().Session();
    const QString code = QString::fromStdString(started.Seat().code.Shown());
    EXPECT_EQ(QApplication::clipboard()->text(), code);
    EXPECT_NE(QString::fromStdU16String(ana.port.boxes[0].text).indexOf(code), -1);
    EXPECT_FALSE(ana.Meeting().StartAction()->isEnabled() || ana.Meeting().JoinAction()->isEnabled());
    EXPECT_TRUE(ana.Meeting().NewRoundAction()->isEnabled() && ana.Meeting().Dock()->isVisible());

    const std::vector<std::u16string> before = Card(bo.app.Document());
    bo.dialogs.entries = {MeetingEntry{QStringLiteral("  notaroomcode"), QStringLiteral("Bo")},
                          MeetingEntry{code.toLower().replace('-', ' '), QStringLiteral("<b>Bo</b>")}};
    bo.Meeting().JoinAction()->trigger();
    ASSERT_EQ(bo.port.boxes.size(), 1u);
    EXPECT_EQ(bo.port.boxes[0].caption, u"Join Meeting");
    bo.Meeting().JoinAction()->trigger();
    Player cy(started.Seat().code, "Cy", *ana.dialogs.settings);
    ASSERT_TRUE(Eventually([&] {
        return ana.Meeting().Session()->GetRoom().Players().size() == 3 && bo.Meeting().Session()->IsPlaying() &&
               cy.session->IsPlaying() && cy.room().Players().size() == 3;
    }));
    const std::vector<std::u16string> anaCard = Card(ana.app.Document()), boCard = Card(bo.app.Document()),
                                      cyCard = Card(cy.game.doc);
    EXPECT_TRUE(anaCard != boCard && boCard != cyCard && anaCard != cyCard && boCard != before);
    EXPECT_TRUE(Sorted(anaCard) == Sorted(boCard) && Sorted(boCard) == Sorted(cyCard));

    MarkRow(bo.app.Document(), 0, 3);
    ASSERT_TRUE(Eventually([&] { return Find(cy.room(), "<b>Bo</b>")->progress == 3; }));
    QListWidget* players = ana.Meeting().Panel()->PlayerList();
    ASSERT_TRUE(Eventually([&] { return players->count() == 3 && players->item(1)->text() == "<b>Bo</b>: 3 of 5"; }));
    EXPECT_EQ(players->item(0)->text(), "Ana: 0 of 5");
    EXPECT_EQ(players->focusPolicy(), Qt::NoFocus);

    std::vector<std::string> column;  // Cy's bingo runs down a column, so its words are not a row's
    for (int square = 2; square < kSquares; square += kSide) {
        cy.game.doc.SetMark(square, 1);
        column.push_back(Utf8FromUtf16(cy.game.doc.GetWord(square)));
    }
    QTest::qWait(50);  // bingos are ordered by the millisecond they happened in
    MarkRow(bo.app.Document(), 0, 5);
    QListWidget* bingos = ana.Meeting().Panel()->BingoList();
    ASSERT_TRUE(Eventually([&] { return bingos->count() == 2; }));
    EXPECT_TRUE(bingos->item(0)->text().startsWith("1. Cy: ") && bingos->item(1)->text().startsWith("2. <b>Bo</b>: "));
    EXPECT_EQ(bingos->item(0)->text().count(QStringLiteral(" \u00B7 ")), 4);
    EXPECT_TRUE(ana.app.MainFrame()->statusBar()->currentMessage().startsWith("Bingo! "));
    ASSERT_TRUE(Eventually([&] { return bo.Meeting().Session()->GetRoom().Bingos().size() == 2; }));
    EXPECT_EQ(bo.Meeting().Session()->GetRoom().Bingos()[0].name, "Cy");
    const std::vector<PlayerEntry> bingosSeen = bo.Meeting().Session()->GetRoom().Bingos();
    EXPECT_EQ(std::vector<std::string>(bingosSeen[0].bingo->words.begin(), bingosSeen[0].bingo->words.end()), column);
    EXPECT_EQ(ana.port.boxes.size(), 1u);  // no box for any bingo

    ana.Meeting().NewRoundAction()->trigger();
    ASSERT_TRUE(Eventually([&] { return cy.room().Round() == 2 && bo.Meeting().Session()->GetRoom().Round() == 2; }));
    EXPECT_TRUE(!cy.game.doc.IsStarted() && !bo.app.Document().IsStarted() && cy.room().Bingos().empty());
    EXPECT_FALSE(bo.Meeting().NewRoundAction()->isEnabled());

    bo.Meeting().LeaveAction()->trigger();
    ASSERT_TRUE(Eventually([&] { return Find(cy.room(), "<b>Bo</b>")->gone; }));

    // A code nobody started, then a broker that is not there.
    Program dee;
    const std::vector<std::u16string> deeCard = Card(dee.app.Document());
    dee.dialogs.entries = {MeetingEntry{QString::fromStdString(NewRoomCode().Shown()), QStringLiteral("Dee")}};
    dee.Meeting().JoinAction()->trigger();
    ASSERT_TRUE(Eventually([&] { return dee.port.boxes.size() == 1; }, MeetingSession::kRoomWaitMs + 5000));
    EXPECT_TRUE(QString::fromStdU16String(dee.port.boxes[0].text).startsWith("There is no meeting with the code "));
    QSettings().setValue(QStringLiteral("Meeting/Port"), testing::FreeLoopbackPort());
    dee.dialogs.entries = {MeetingEntry{code, QStringLiteral("Dee")}};
    dee.Meeting().JoinAction()->trigger();
    ASSERT_TRUE(Eventually([&] { return dee.port.boxes.size() == 2; }));
    EXPECT_TRUE(QString::fromStdU16String(dee.port.boxes[1].text).startsWith("Could not reach the meeting server "));
    EXPECT_TRUE(Card(dee.app.Document()) == deeCard && dee.Meeting().Session() == nullptr);
    QSettings().remove(QStringLiteral("Meeting"));
}

// A player's process killed is seen to go (the broker's last will); the broker killed and restarted mid-game
// loses nothing: a bingo made while it was away reaches everyone when it is back, and the room is still there
// for a newcomer.
TEST(MeetingPlay, PlayGoesOnThroughABrokerRestartAndAKilledPlayerIsSeenToGo) {
    Broker broker;
    ASSERT_TRUE(broker.started);
    const BrokerSettings settings{"127.0.0.1", broker.port, false, {}, {}};
    const RoomCode code = NewRoomCode();
    Player ana(code, "Ana", settings, true), bo(code, "Bo", settings);
    ASSERT_TRUE(Eventually([&] { return ana.session->IsPlaying() && bo.session->IsPlaying(); }));

    testing::TempDir dir;
    testing::Child dee = testing::Child::Start(
        {"/proc/self/exe", "--meeting-player", std::to_string(broker.port), code.Shown(), "Dee"},
        dir.File("out").string(), dir.File("err").string());
    ASSERT_TRUE(Eventually([&] {
        const auto found = Find(ana.room(), "Dee");
        return found && found->progress == 2;
    }));
    dee.Signal(SIGKILL);
    ASSERT_TRUE(Eventually([&] { return Find(ana.room(), "Dee")->gone && Find(bo.room(), "Dee")->gone; }));

    broker.Kill();
    ASSERT_TRUE(Eventually([&] { return !ana.session->IsOnline(); }));
    MarkRow(ana.game.doc, 4, 5);  // offline
    ASSERT_TRUE(ana.game.doc.IsBingo());
    ASSERT_TRUE(broker.Start());
    ASSERT_TRUE(Eventually([&] { return bo.room().Bingos().size() == 1; }, 20000));
    EXPECT_EQ(bo.room().Bingos()[0].name, "Ana");
    Player cy(code, "Cy", settings);
    ASSERT_TRUE(Eventually([&] { return cy.session->IsPlaying() && cy.room().Bingos().size() == 1; }));
    EXPECT_EQ(Find(cy.room(), "Bo")->gone, false);
}

// A restart in a meeting comes back to it, even with the server away for a while: the same card with its marks,
// and the others see the player back.
TEST(MeetingPlay, ARestartInAMeetingComesBackToTheSameCardAndMarks) {
    Broker broker;
    ASSERT_TRUE(broker.started);
    QSettings().remove(QStringLiteral("Meeting"));
    const testing::TempDir dir;
    const std::filesystem::path state = dir.File("state.dat");
    auto ana = std::make_unique<Program>(state);
    ana->dialogs.settings = BrokerSettings{"127.0.0.1", broker.port, false, {}, {}};
    ana->Meeting().Settings();
    ana->dialogs.entries = {MeetingEntry{{}, QStringLiteral("Ana")}};
    ana->Meeting().Start();
    ASSERT_TRUE(Eventually([&] { return ana->port.boxes.size() == 1; }));
    Player bo(ana->Meeting().Session()->Seat().code, "Bo", *ana->dialogs.settings);
    MarkRow(ana->app.Document(), 1, 2);
    ASSERT_TRUE(Eventually([&] { return bo.session->IsPlaying() && Find(bo.room(), "Ana")->progress == 2; }));
    const std::vector<std::u16string> card = Card(ana->app.Document());

    ana->app.MainFrame()->close();
    ana.reset();
    ASSERT_TRUE(Eventually([&] { return Find(bo.room(), "Ana")->gone; }));
    broker.Kill();  // and the server is away when the program starts again: it plays on offline
    ana = std::make_unique<Program>(state);
    QTest::qWait(1000);
    ASSERT_TRUE(ana->Meeting().Session() && !ana->Meeting().Session()->IsOnline() && ana->port.boxes.empty());
    EXPECT_TRUE(ana->Meeting().Dock()->isVisible() && Card(ana->app.Document()) == card);
    ASSERT_TRUE(broker.Start());
    ASSERT_TRUE(Eventually([&] { return ana->Meeting().Session()->IsPlaying(); }, 20000));
    EXPECT_TRUE(Card(ana->app.Document()) == card && ana->app.Document().GetBoard().MostMarksInALine() == 2);
    EXPECT_TRUE(Eventually([&] { return !Find(bo.room(), "Ana")->gone && Find(bo.room(), "Ana")->progress == 2; }, 20000));
    EXPECT_TRUE(ana->Meeting().NewRoundAction()->isEnabled());  // still the starter
    EXPECT_EQ(ana->port.boxes.size(), 0u);  // the code is not shown again
    QSettings().remove(QStringLiteral("Meeting"));
}

class RawClient {
public:
    explicit RawClient(const Broker& broker) : m_client(mosquitto_new(nullptr, true, this)) {
        mosquitto_tls_set(m_client, broker.CaFile().c_str(), nullptr, nullptr, nullptr, nullptr);
        mosquitto_message_callback_set(m_client, [](mosquitto*, void* self, const mosquitto_message* m) {
            static_cast<RawClient*>(self)->seen.emplace_back(
                m->topic, WireBytes(static_cast<const std::uint8_t*>(m->payload),
                                    static_cast<const std::uint8_t*>(m->payload) + m->payloadlen));
        });
        connected = mosquitto_connect(m_client, "127.0.0.1", broker.tlsPort, 10) == MOSQ_ERR_SUCCESS &&
                    mosquitto_loop_start(m_client) == MOSQ_ERR_SUCCESS;
    }
    ~RawClient() {
        mosquitto_disconnect(m_client);
        mosquitto_loop_stop(m_client, false);
        mosquitto_destroy(m_client);
    }
    void Subscribe(const std::string& topic) { mosquitto_subscribe(m_client, nullptr, topic.c_str(), 1); }
    void Publish(const std::string& topic, const WireBytes& bytes) {
        mosquitto_publish(m_client, nullptr, topic.c_str(), static_cast<int>(bytes.size()), bytes.data(), 1, false);
    }
    bool connected = false;
    std::vector<std::pair<std::string, WireBytes>> seen;  // written by the client's thread

private:
    mosquitto* m_client;
};

// Over TLS with the test authority: anything not sealed by the room, oversized, malformed or replayed from a
// broker client of its own is dropped and counted, and the room stays as it was; a server whose certificate
// the given authority did not sign is not talked to.
TEST(MeetingPlay, OverTlsOnlyTheRoomsOwnFreshMessagesCount) {
    Broker broker;
    ASSERT_TRUE(broker.started);
    ASSERT_TRUE(broker.tlsReady) << "openssl could not make the test certificates";
    const BrokerSettings settings{"127.0.0.1", broker.tlsPort, true, broker.CaFile(), {}};
    const RoomCode code = NewRoomCode();
    const RoomSecrets room = *DeriveRoomSecrets(code);
    Player ana(code, "Ana", settings, true), bo(code, "Bo", settings);
    ASSERT_TRUE(Eventually([&] { return ana.room().Players().size() == 2 && bo.session->IsPlaying(); }));

    RawClient raw(broker);
    ASSERT_TRUE(raw.connected);
    raw.Subscribe(PresenceTopic(room, bo.session->Seat().self));
    ASSERT_TRUE(Eventually([&] { return !raw.seen.empty(); }));
    const auto captured = raw.seen.front();
    RoomSecrets stranger = room;
    stranger.key[0] ^= 1;
    Message forged{.kind = Message::Kind::kBingo, .sender = {9}, .sequence = ~0ull, .round = 1, .name = "Eve"};
    forged.bingo = BingoClaim{1, {room.topic, room.topic, room.topic, room.topic, room.topic}};
    raw.Publish(BingoTopic(room), *Seal(stranger, EncodeMessage(forged)));
    raw.Publish(BingoTopic(room), WireBytes(kMaxWireBytes + 1, 1));
    raw.Publish(BingoTopic(room), *Seal(room, WireBytes{3, 0, 0}));
    raw.Publish(captured.first, captured.second);
    EXPECT_TRUE(Eventually([&] { return ana.session->Drops().Total() == 4; }));
    const DropCounts drops = ana.session->Drops();
    EXPECT_EQ(std::tuple(drops.unsealed, drops.oversized, drops.malformed, drops.replayed), std::tuple(1, 1, 1, 1));
    EXPECT_TRUE(ana.room().Players().size() == 2 && ana.room().Bingos().empty());

    Broker other;  // another authority's certificate
    bool failed = false;
    Player cy(code, "Cy", {"127.0.0.1", broker.tlsPort, true, other.CaFile(), {}});
    QObject::connect(cy.session.get(), &MeetingSession::joinFailed, [&] { failed = true; });
    EXPECT_TRUE(Eventually([&] { return failed; }));
}

}  // namespace
}  // namespace palabrum

// The players panel: who is in the meeting, how near each is to a bingo (the
// most marks in one line, of 5), who has gone, and the bingos in the order
// they happened, with their words. Everything a player typed is shown as
// plain text, and nothing here takes the keyboard from the board.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "meeting/room.h"

class QLabel;
class QListWidget;

namespace palabrum {

class PlayersPanel : public QWidget {
    Q_OBJECT
public:
    explicit PlayersPanel(QWidget* parent = nullptr);

    // The room line over the lists: its code and whether the player is online.
    void ShowRoom(const QString& code, bool online);
    // The players (the player first) and the round's bingos, in order.
    void ShowPlayers(const std::vector<PlayerEntry>& players, const std::vector<PlayerEntry>& bingos);
    // Not in a meeting: empty lists and a line that says how to join one.
    void ShowNoMeeting();

    QListWidget* PlayerList() const { return m_players; }
    QListWidget* BingoList() const { return m_bingos; }
    QLabel* RoomLine() const { return m_room; }

    // One bingo as the panel and the status bar show it: "Ana: a · b · c · d · e".
    static QString BingoLine(const QString& name, const QStringList& words);

private:
    QLabel* m_room;
    QListWidget* m_players;
    QLabel* m_bingoTitle;
    QListWidget* m_bingos;
};

}  // namespace palabrum

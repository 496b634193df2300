#include "views/players_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "views/qt_text.h"

namespace palabrum {

namespace {

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QListWidget* QuietList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setFocusPolicy(Qt::NoFocus);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setWordWrap(true);
    return list;
}

}  // namespace

PlayersPanel::PlayersPanel(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    m_room = PlainLabel(QString(), this);
    m_players = QuietList(this);
    m_bingoTitle = PlainLabel(tr("Bingos"), this);
    m_bingos = QuietList(this);
    layout->addWidget(m_room);
    layout->addWidget(m_players, 2);
    layout->addWidget(m_bingoTitle);
    layout->addWidget(m_bingos, 1);
    ShowNoMeeting();
}

QString PlayersPanel::BingoLine(const QString& name, const QStringList& words) {
    return tr("%1: %2").arg(name, words.join(QStringLiteral(" \u00B7 ")));
}

void PlayersPanel::ShowRoom(const QString& code, bool online) {
    m_room->setText(online ? tr("Meeting %1").arg(code) : tr("Meeting %1 (offline: playing on)").arg(code));
}

namespace {

// The list's lines become `lines`, item by item: a busy room changes a few
// lines at a time, and items kept are not made again.
void SetLines(QListWidget* list, const QStringList& lines) {
    while (list->count() > lines.size()) delete list->takeItem(list->count() - 1);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == list->count()) list->addItem(lines[i]);
        else if (list->item(static_cast<int>(i))->text() != lines[i]) list->item(static_cast<int>(i))->setText(lines[i]);
    }
}

}  // namespace

void PlayersPanel::ShowPlayers(const std::vector<PlayerEntry>& players, const std::vector<PlayerEntry>& bingos) {
    QStringList lines;
    for (const PlayerEntry& player : players) {
        const QString name = ToQString(player.name);
        QString line = player.bingo ? tr("%1: Bingo!").arg(name) : tr("%1: %2 of 5").arg(name).arg(player.progress);
        if (player.gone) line = tr("%1 (gone)").arg(line);
        lines << line;
    }
    SetLines(m_players, lines);
    lines.clear();
    for (const PlayerEntry& bingo : bingos) {
        QStringList words;
        for (const std::string& word : bingo.bingo->words) words << ToQString(word);
        lines << tr("%1. %2").arg(lines.size() + 1).arg(BingoLine(ToQString(bingo.name), words));
    }
    SetLines(m_bingos, lines);
}

void PlayersPanel::ShowNoMeeting() {
    m_room->setText(tr("Not in a meeting. Meeting > Start Meeting... opens one; Join Meeting... joins one."));
    m_players->clear();
    m_bingos->clear();
}

}  // namespace palabrum

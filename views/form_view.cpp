#include "views/form_view.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "model/bingo_pictures.h"
#include "model/game_document.h"
#include "palabrum/product_info.h"
#include "views/board_accessible.h"
#include "views/board_window.h"
#include "views/qt_text.h"
#include "views/status_pane.h"

namespace palabrum {

namespace {

constexpr int kSquareRole = Qt::UserRole;

}  // namespace

QString CPalabrumView::AboutText() {
    return tr("Palabrum(TM)!\n%1\n%2\n%3\nSee Help/Help Topics\nfor instructions\nand terms of use")
        .arg(QString::fromUtf8(product::kNotice), QString::fromUtf8(product::kAuthor),
             QString::fromUtf8(product::kWebHost));
}

CPalabrumView::CPalabrumView(CPalabrumDoc& doc, PlatformPort& port, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_port(port), m_wordLabel(new QLabel(this)), m_wordList(new QListWidget(this)) {
    setObjectName(QStringLiteral("CPalabrumView"));
    setAutoFillBackground(true);
    m_wordList->setObjectName(QStringLiteral("wordList"));
    m_wordList->setSelectionMode(QAbstractItemView::MultiSelection);
    m_wordList->setAccessibleName(tr("Words"));
    m_wordLabel->setObjectName(QStringLiteral("wordLabel"));
    m_wordLabel->setAccessibleName(tr("Word"));
    m_wordLabel->setTextFormat(Qt::PlainText);  // a player's word is never markup
    m_wordLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_wordLabel->setWordWrap(true);
    connect(m_wordList, &QListWidget::itemSelectionChanged, this, &CPalabrumView::OnWordListSelChange);
    m_doc.AddView(*this);
}

CPalabrumView::~CPalabrumView() { m_doc.RemoveView(*this); }

void CPalabrumView::LoadPicture() {
    const int choice = m_doc.GetBingoMessage();
    // An unknown choice shows a white pane; a custom picture that fails falls back for good.
    if (LoadChosenPicture(m_port, choice, m_doc.Options().m_customPicturePath, m_picture) || choice != kCustomPicture)
        return;
    m_doc.ShowError(tr("Invalid custom bitmap.\nUsing default.").toStdU16String(), tr("Bad bitmap").toStdU16String(),
                    false);
    LoadChosenPicture(m_port, kBingoPicture, {}, m_picture);
    m_doc.ResetBingoMessage();
}

void CPalabrumView::OnInitialUpdate() {
    if (!m_boardWnd) {
        m_boardWnd = new UIBoard(m_doc, this);
        connect(m_boardWnd, &UIBoard::squareWordRequested, this, &CPalabrumView::ShowSquareWord);
        m_boardWnd->show();  // children made after the view is shown start hidden
        m_statusPane = new StatusPane(m_doc, m_picture, this);
        m_statusPane->setAccessibleName(tr("Bingo"));
        m_statusPane->hide();
        SetWordsOnBoard(m_wordsOnBoard);
        LoadPicture();
    }
    RefreshAll();
    OnUpdate({DocumentChange::Kind::kLayout});
    if (!m_doc.IsBingo()) {
        QRect raised = m_labelArea.ToQRect();
        raised.setTop(raised.top() - 30);
        m_wordLabel->setGeometry(raised);
        m_wordLabel->setText(AboutText());
    }
}

void CPalabrumView::OnUpdate(const DocumentChange& change) {
    using Kind = DocumentChange::Kind;
    switch (change.kind) {
    case Kind::kLayout: LayOut(); break;
    case Kind::kOptionsChanged:
        LayOut();
        ShowBingoIfWon();  // a new picture shows at once during a bingo
        break;
    case Kind::kSquareChanged: {
        const int item = FindListItem(change.square);
        if (item >= 0) {
            const QSignalBlocker quiet(m_wordList);  // our own change, not the player's
            m_wordList->item(item)->setSelected(change.marked);
        }
        if (m_boardWnd) AnnounceMarkChanged(*m_boardWnd, change.square);
        [[fallthrough]];
    }
    case Kind::kMarksReplaced:
        if (m_boardWnd) m_boardWnd->Refresh();
        ShowBingoIfWon();
        break;
    case Kind::kListLoaded: RefreshAll(); break;
    }
}

void CPalabrumView::LayOut() {
    if (!m_boardWnd) return;
    const FormLayout f = LayOutForm(width(), height(), m_doc.Options().m_listPosition, m_wordsOnBoard);
    m_wordList->setGeometry(f.list.ToQRect());
    m_labelArea = f.label;
    m_wordLabel->setGeometry(m_labelArea.ToQRect());
    m_boardArea = FitSquare(f.board);
    m_paneArea = FitSquare(f.pane);
    m_boardWnd->setGeometry(m_boardArea.ToQRect());
    m_boardWnd->update();
    m_statusPane->setGeometry(m_paneArea.ToQRect());
    update();
}

void CPalabrumView::RefreshAll() {
    // Sorted as a person expects, whatever the process locale: case-insensitive,
    // then by case, then by square, so that equal words keep square order and
    // the k-th item of a text stands for the k-th square holding it.
    std::vector<std::pair<QString, int>> items;
    for (int square = 0; square < kSquares; ++square) items.emplace_back(ToQString(m_doc.GetWord(square)), square);
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        const int folded = QString::compare(a.first, b.first, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : QString::compare(a.first, b.first, Qt::CaseSensitive) < 0;
    });
    {
        const QSignalBlocker quiet(m_wordList);
        m_wordList->setUpdatesEnabled(false);
        m_wordList->clear();
        for (const auto& [word, square] : items) {
            auto* item = new QListWidgetItem(word, m_wordList);
            item->setData(kSquareRole, square);
            item->setSelected(m_doc.GetMark(square) != 0);
        }
        m_wordList->setUpdatesEnabled(true);
    }
    if (m_boardWnd) m_boardWnd->Refresh();
    ShowBingoIfWon();
}

void CPalabrumView::ShowBingoIfWon() {
    if (!m_statusPane) return;
    const bool wasShown = m_statusPane->isVisible();
    m_statusPane->Refresh();  // shows itself on a bingo, hides itself without one
    if (!wasShown && m_statusPane->isVisible()) {
        QAccessibleEvent alert(m_statusPane, QAccessible::Alert);  // a screen reader says "Bingo"
        Announce(alert);
    }
}

int CPalabrumView::FindListItem(int square) const {
    for (int i = 0; i < m_wordList->count(); ++i) {
        if (m_wordList->item(i)->data(kSquareRole).toInt() == square) return i;
    }
    return -1;
}

void CPalabrumView::ShowSquareWord(int square) {
    m_wordLabel->setGeometry(m_labelArea.ToQRect());
    if (square < 0) {
        if (!m_wordLabel->text().isEmpty()) m_wordLabel->clear();
    } else {
        m_wordLabel->setText(ToQString(m_doc.GetWord(square)));
    }
    m_wordLabel->repaint();
}

void CPalabrumView::OnWordListSelChange() {
    ShowSquareWord(-1);
    std::vector<std::int32_t> squares;
    for (int i = 0; i < m_wordList->count(); ++i) {
        if (m_wordList->item(i)->isSelected()) squares.push_back(m_wordList->item(i)->data(kSquareRole).toInt());
    }
    m_doc.SetMarks(squares);
}

void CPalabrumView::SetWordsOnBoard(bool on) {
    m_wordsOnBoard = on;
    if (!m_boardWnd) return;
    m_boardWnd->SetWordsShown(on);
    m_statusPane->SetPictureGrows(on);
    LayOut();
}

void CPalabrumView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_boardWnd) OnUpdate({DocumentChange::Kind::kLayout});
}

}  // namespace palabrum

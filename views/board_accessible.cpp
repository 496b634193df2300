#include "views/board_accessible.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QAccessibleWidget>
#include <array>
#include <memory>

#include "model/game_document.h"
#include "views/board_window.h"
#include "views/qt_text.h"

namespace palabrum {

namespace {

// The texts of this file, for the translation tools and at run time.
struct BoardTexts {
    Q_DECLARE_TR_FUNCTIONS(BoardAccessible)
};

class BoardAccessible;

class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(BoardAccessible* table, UIBoard* board, int square) : m_table(table), m_board(board), m_square(square) {}

    bool isValid() const override { return m_board != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_square % kSide; }
    int rowIndex() const override { return m_square / kSide; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    bool Marked() const { return m_board->Document().GetMark(m_square) != 0; }

    BoardAccessible* m_table;
    UIBoard* m_board;
    int m_square;
};

class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(UIBoard* board) : QAccessibleWidget(board, QAccessible::Table), m_board(board) {}
    ~BoardAccessible() override {
        for (QAccessible::Id id : m_cellIds) {
            if (id) QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return kSquares; }
    QAccessibleInterface* child(int index) const override { return Cell(index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < kSquares; ++i) {
            if (m_cellIds[static_cast<std::size_t>(i)] &&
                QAccessible::accessibleInterface(m_cellIds[static_cast<std::size_t>(i)]) == child)
                return i;
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override { return m_board->hasFocus() ? Cell(m_board->FocusSquare()) : nullptr; }
    QAccessibleInterface* childAt(int x, int y) const override {
        return Cell(m_board->SquareFromPoint(m_board->mapFromGlobal(QPoint(x, y))));
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= kSide || column < 0 || column >= kSide) return nullptr;
        return Cell(kSide * row + column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return BoardTexts::tr("Column %1").arg(column + 1); }
    QString rowDescription(int row) const override { return BoardTexts::tr("Row %1").arg(row + 1); }
    int columnCount() const override { return kSide; }
    int rowCount() const override { return kSide; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // Cells live as long as the table and are found again by their ids.
    QAccessibleInterface* Cell(int square) const {
        if (square < 0 || square >= kSquares) return nullptr;
        auto& id = m_cellIds[static_cast<std::size_t>(square)];
        if (!id) id = QAccessible::registerAccessibleInterface(new CellAccessible(const_cast<BoardAccessible*>(this), m_board, square));
        return QAccessible::accessibleInterface(id);
    }

private:
    UIBoard* m_board;
    mutable std::array<QAccessible::Id, kSquares> m_cellIds{};
};

QWindow* CellAccessible::window() const { return m_table->window(); }
QAccessibleInterface* CellAccessible::parent() const { return m_table; }
QAccessibleInterface* CellAccessible::table() const { return m_table; }

QString CellAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name: return ToQString(m_board->Document().GetWord(m_square));
    case QAccessible::Description:
        return BoardTexts::tr("Row %1, column %2, %3")
            .arg(rowIndex() + 1)
            .arg(columnIndex() + 1)
            .arg(Marked() ? BoardTexts::tr("marked") : BoardTexts::tr("not marked"));
    default: return {};
    }
}

QRect CellAccessible::rect() const {
    const Rect r = m_board->SquareRect(m_square);
    return QRect(m_board->mapToGlobal(QPoint(r.left, r.top)), QSize(r.Width(), r.Height()));
}

QAccessible::State CellAccessible::state() const {
    QAccessible::State s;
    s.focusable = true;
    s.checkable = true;
    s.checked = Marked();
    s.focused = m_board->hasFocus() && m_board->FocusSquare() == m_square;
    return s;
}

QAccessibleInterface* BoardFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("palabrum::UIBoard") && object && object->isWidgetType())
        return new BoardAccessible(static_cast<UIBoard*>(object));
    return nullptr;
}

}  // namespace

void InstallBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(BoardFactory);
        return true;
    }();
    (void)installed;
}

namespace {
std::function<void(const QAccessibleEvent&)>& Listener() {
    static std::function<void(const QAccessibleEvent&)> listener;
    return listener;
}
}  // namespace

void SetAccessibilityListener(std::function<void(const QAccessibleEvent&)> listener) {
    Listener() = std::move(listener);
}

void Announce(QAccessibleEvent& event) {
    if (Listener()) Listener()(event);
    QAccessible::updateAccessibility(&event);
}

void AnnounceMarkChanged(UIBoard& board, int square) {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(&board, changed);
    event.setChild(square);
    Announce(event);
}

}  // namespace palabrum

#include "qt/tape/TapeAccessible.h"

#include "qt/tape/TapeView.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>

#include <unordered_map>

namespace kalpeno::qt {

namespace {

// One line of a tape. It holds the tape weakly: a row of a tape that has gone, or a row beyond
// the tape's lines after a clear, is no longer valid.
class RowAccessible : public QAccessibleInterface {
public:
    RowAccessible(TapeView& tape, int row) : tape_(&tape), row_(row) {}

    bool isValid() const override { return tape_ && row_ < tape_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return tape_ ? tape_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return tape_ ? QAccessible::queryAccessibleInterface(tape_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text type) const override {
        return isValid() && type == QAccessible::Name ? tape_->line(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect shown = tape_->rowRect(row_);
        return {tape_->viewport()->mapToGlobal(shown.topLeft()), shown.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.multiSelectable = true;
        state.extSelectable = true;
        state.focusable = true;
        state.selected = tape_->isSelected(row_);
        state.focused = tape_->hasFocus() && tape_->currentRow() == row_;
        state.invisible = !tape_->isVisible();
        state.offscreen = !tape_->viewport()->rect().intersects(tape_->rowRect(row_));
        state.disabled = !tape_->isEnabled();
        return state;
    }

private:
    QPointer<TapeView> tape_;
    int row_;
};

// The tape itself: a list whose children are its rows; the scroll bars are not reported.
class TapeAccessible : public QAccessibleWidget {
public:
    explicit TapeAccessible(TapeView& tape)
        : QAccessibleWidget(&tape, QAccessible::List), tape_(tape) {}
    ~TapeAccessible() override {
        for (const auto& [row, id] : rows_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return tape_.count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= tape_.count()) {
            return nullptr;
        }
        auto found = rows_.find(index);
        if (found == rows_.end()) {
            auto* row = new RowAccessible(tape_, index);
            found = rows_.emplace(index, QAccessible::registerAccessibleInterface(row)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [row, id] : rows_) {
            if (QAccessible::accessibleInterface(id) == child) {
                return row < tape_.count() ? row : -1;
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint inside = tape_.viewport()->mapFromGlobal(QPoint(x, y));
        if (!tape_.viewport()->rect().contains(inside)) {
            return nullptr;
        }
        const int row = tape_.rowAt(inside);
        return row >= 0 ? child(row) : nullptr;
    }

private:
    TapeView& tape_;
    mutable std::unordered_map<int, QAccessible::Id> rows_;
};

// Asked for each class of an object from the most derived one up; a tape first shows as the
// scroll area it is built on.
QAccessibleInterface* tapeFactory(const QString& className, QObject* object) {
    if (className != QLatin1StringView("QAbstractScrollArea")) {
        return nullptr;
    }
    auto* tape = dynamic_cast<TapeView*>(object);
    return tape ? new TapeAccessible(*tape) : nullptr;
}

} // namespace

void installTapeAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(tapeFactory);
        return true;
    }();
    (void)installed;
}

namespace {

void announceRow(TapeView& tape, int row, QAccessible::Event type) {
    QAccessibleEvent event(&tape, type);
    event.setChild(row);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void announceLastRowAdded(TapeView& tape) {
    if (QAccessible::isActive() && tape.count() > 0) {
        announceRow(tape, tape.count() - 1, QAccessible::ObjectCreated);
    }
}

void announceRowsRemoved(TapeView& tape) {
    if (!QAccessible::isActive()) {
        return;
    }
    for (int row = tape.count() - 1; row >= 0; --row) {
        announceRow(tape, row, QAccessible::ObjectDestroyed);
    }
}

} // namespace kalpeno::qt

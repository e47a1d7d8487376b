#include "qt/tape/TapeView.h"

#include "layer/Presentation.h"
#include "layer/UserEvents.h"
#include "qt/Conversions.h"
#include "qt/tape/TapeAccessible.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace kalpeno::qt {

namespace {

// Asks a tape to show its last line, once the lines an event adds are all there.
const QEvent::Type scrollToEnd = static_cast<QEvent::Type>(QEvent::registerEventType());

constexpr qsizetype keptLayouts = 512;

forms::ListSelection::Modifiers modifiersOf(Qt::KeyboardModifiers modifiers) {
    return {.shift = modifiers.testFlag(Qt::ShiftModifier),
            .control = modifiers.testFlag(Qt::ControlModifier)};
}

} // namespace

TapeView::TapeView(forms::ListBox& list, UserEvents& events, QWidget* parent)
    : QAbstractScrollArea(parent), ControlView(list, events) {
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(1);
    selection_.rowChanged = [this](int row) { updateRow(row); };
    selection_.currentChanged = [this](int row) { announceCurrent(row); };
    installTapeAccessibility();
}

void TapeView::mirrorOwn(forms::Property property) {
    if (property == forms::Property::LinesAdded) {
        showAddedLine();
    } else if (property == forms::Property::LinesCleared) {
        announceRowsRemoved(*this);
        showAllLines();
    }
}

void TapeView::mirrorAllOwn() {
    showAllLines();
}

// The model's lines afresh, none selected or current: at the start, and after a clear.
void TapeView::showAllLines() {
    lines_.clear();
    lines_.reserve(list()->lines().size());
    for (const std::u16string& line : list()->lines()) {
        lines_.push_back(toQString(line));
    }
    fitWidth();
    selection_.reset(count());
    scrollToBottom();
    shownOffset_ = offset();
    viewport()->update();
}

// One line more at the end: one row painted, never a rebuild. The view goes to the end once for
// all the lines of one event ("=" adds three), each of which would otherwise move the rows in
// view again. The request is posted at the normal priority, so it is handled before the repaint,
// which Qt posts at a low one: no frame shows the tape unscrolled.
void TapeView::showAddedLine() {
    const auto& lines = list()->lines();
    if (static_cast<std::size_t>(count()) + 1 != lines.size()) {
        showAllLines();
        return;
    }
    append(toQString(lines.back()));
    announceLastRowAdded(*this);
    if (!scrollPending_) {
        scrollPending_ = true;
        QCoreApplication::postEvent(this, new QEvent(scrollToEnd));
    }
}

void TapeView::append(QString line) {
    const int before = columnWidth();
    widenFor(line);
    lines_.push_back(std::move(line));
    selection_.append();
    if (columnWidth() != before) {
        viewport()->update(); // every row is as wide as the column
    } else {
        updateRow(count() - 1);
    }
}

bool TapeView::event(QEvent* event) {
    if (event->type() == scrollToEnd) {
        scrollPending_ = false;
        scrollToBottom();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TapeView::scrollToBottom() {
    updateScrollBars();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    followOffset(0);
}

// Every row has the height of an item of one line of the tape's font, as the style sizes the
// items of a list. The item's margins are measured once; a line's width is then its text's
// advance and those margins. Measured when first needed: an empty tape needs neither.
void TapeView::measure() const {
    if (measured_) {
        return;
    }
    QStyleOptionViewItem option = viewItemOption();
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    const QSize item = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    margins_ = std::max(item.width() - option.fontMetrics.horizontalAdvance(option.text), 0);
    rowHeight_ = std::max(item.height(), 1);
    measured_ = true;
}

int TapeView::rowHeight() const {
    measure();
    return rowHeight_;
}

// The column is as wide as the tape, or as the widest line where that is wider: a line is never
// cut short, and the horizontal scroll bar reaches its end.
int TapeView::columnWidth() const {
    return std::max(viewport()->width(), widest_);
}

void TapeView::widenFor(const QString& line) {
    measure();
    widest_ = std::max(widest_, fontMetrics().horizontalAdvance(line) + margins_);
}

void TapeView::fitWidth() {
    widest_ = 0;
    for (const QString& shown : lines_) {
        widenFor(shown);
    }
}

// The scroll bar counts rows; scrolled to its end, the last row lies on the bottom edge, as in
// Qt's tables, and the top row may show in part.
int TapeView::offset() const {
    if (count() == 0) {
        return 0;
    }
    const int height = rowHeight();
    const QScrollBar* vertical = verticalScrollBar();
    if (vertical->value() >= vertical->maximum()) {
        return std::max(count() * height - viewport()->height(), 0);
    }
    return vertical->value() * height;
}

QRect TapeView::rowRect(int row) const {
    const int height = rowHeight();
    return {-horizontalScrollBar()->value(), row * height - offset(), columnWidth(), height};
}

int TapeView::rowAt(QPoint point) const {
    if (point.y() < 0 || count() == 0) {
        return -1;
    }
    const int row = (point.y() + offset()) / rowHeight();
    return row < count() ? row : -1;
}

// The rows wholly in view; the view scrolls by whole rows.
int TapeView::rowsInView() const {
    return std::max(viewport()->height() / rowHeight(), 1);
}

void TapeView::updateScrollBars() {
    QScrollBar* vertical = verticalScrollBar();
    if (count() == 0) {
        vertical->setRange(0, 0);
    } else {
        const int rows = rowsInView();
        vertical->setRange(0, std::max(count() - rows, 0));
        vertical->setPageStep(rows);
    }
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    horizontal->setRange(0, std::max(widest_ - width, 0));
    horizontal->setPageStep(width);
    if (count() > 0) { // an empty tape needs no font engine yet
        horizontal->setSingleStep(std::max(fontMetrics().averageCharWidth() * 2, 1));
    }
}

void TapeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    shownOffset_ = offset(); // a resized viewport is painted whole
}

void TapeView::scrollContentsBy(int dx, int /*rows*/) {
    followOffset(dx);
}

// Rows moved by less than a view are moved on the screen as they are; only the rows that come
// into view are painted.
void TapeView::followOffset(int dx) {
    const int now = offset();
    const int dy = shownOffset_ - now;
    shownOffset_ = now;
    if (dx == 0 && dy == 0) {
        return;
    }
    if (std::abs(dy) >= viewport()->height() || std::abs(dx) >= viewport()->width()) {
        viewport()->update();
    } else {
        viewport()->scroll(dx, dy);
    }
}

void TapeView::updateRow(int row) {
    if (row >= 0 && row < count()) {
        viewport()->update(rowRect(row));
    }
}

void TapeView::ensureVisible(int row) {
    const QRect shown = rowRect(row);
    if (shown.top() < 0) {
        verticalScrollBar()->setValue(row);
    } else if (shown.bottom() >= viewport()->height()) {
        verticalScrollBar()->setValue(row - rowsInView() + 1);
    }
}

// What Qt's item views give their delegates: the widget's state, font and palette, the
// style's icon size and the view's alignments. The focus and the active state show only while
// the tape has the focus.
QStyleOptionViewItem TapeView::viewItemOption() const {
    QStyleOptionViewItem option;
    option.initFrom(this);
    option.state &= ~QStyle::State_MouseOver;
    option.font = font();
    if (!hasFocus()) {
        option.state &= ~QStyle::State_Active;
    }
    option.state &= ~QStyle::State_HasFocus;
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    option.decorationSize = QSize(icon, icon);
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.decorationAlignment = Qt::AlignCenter;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideRight;
    option.rect = QRect();
    option.showDecorationSelected =
        style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, this);
    option.locale = locale();
    option.locale.setNumberOptions(QLocale::OmitGroupSeparator);
    option.widget = this;
    return option;
}

void TapeView::paintEvent(QPaintEvent* event) {
    if (count() == 0) {
        return;
    }
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int height = rowHeight();
    const int first = (std::max(area.top(), 0) + offset()) / height;
    const int last = std::min(count() - 1, (std::max(area.bottom(), 0) + offset()) / height);
    const QStyleOptionViewItem option = viewItemOption();
    for (int row = first; row <= last; ++row) {
        paintRow(painter, option, row);
    }
}

// A row as an item view paints it: the row's panel, the item's panel (selection, focus), the
// line's text in the colour of the row's state, left-aligned within the style's text margin and
// centred in the row's height, and the focus frame of the current row.
void TapeView::paintRow(QPainter& painter, QStyleOptionViewItem option, int row) const {
    option.rect = rowRect(row);
    if (isSelected(row)) {
        option.state |= QStyle::State_Selected;
    }
    if (option.state.testFlag(QStyle::State_Enabled)) {
        option.palette.setCurrentColorGroup(QPalette::Normal);
    }
    if (row == currentRow() && hasFocus()) {
        option.state |= QStyle::State_HasFocus;
    }
    const QStyle* shown = style();
    shown->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
    shown->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, &painter, this);

    QPalette::ColorGroup group =
        option.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !option.state.testFlag(QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    const QPalette::ColorRole role =
        option.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    const int margin = shown->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int height = option.fontMetrics.height();
    painter.save();
    painter.setClipRect(option.rect);
    painter.setFont(option.font);
    painter.setPen(option.palette.color(group, role));
    painter.drawStaticText(QPoint(option.rect.left() + margin,
                                  option.rect.top() + (option.rect.height() - height) / 2),
                           layout(line(row)));
    painter.restore();

    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = option.palette.color(
            group,
            option.state.testFlag(QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
        shown->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

const QStaticText& TapeView::layout(const QString& line) const {
    auto found = layouts_.find(line);
    if (found != layouts_.end()) {
        return *found;
    }
    if (layouts_.size() >= keptLayouts) {
        layouts_.clear();
    }
    QStaticText text(line);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    return *layouts_.insert(line, text);
}

// A row that another becomes current is announced to assistive technology as the focus.
void TapeView::announceCurrent(int row) {
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(row);
        QAccessible::updateAccessibility(&focus);
    }
}

// The row moved to is brought into view.
void TapeView::follow(forms::ListSelection::Result result) {
    if (result == forms::ListSelection::Result::Moved) {
        ensureVisible(currentRow());
    }
}

void TapeView::setCurrentRow(int row) {
    follow(selection_.setCurrent(row));
}

void TapeView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        event->accept();
        return;
    }
    using Key = forms::ListSelection::Key;
    static const std::pair<int, Key> keys[] = {
        {Qt::Key_Up, Key::Up},         {Qt::Key_Down, Key::Down},
        {Qt::Key_PageUp, Key::PageUp}, {Qt::Key_PageDown, Key::PageDown},
        {Qt::Key_Home, Key::Home},     {Qt::Key_End, Key::End},
        {Qt::Key_Space, Key::Space},
    };
    const auto* found = std::find_if(std::begin(keys), std::end(keys), [event](const auto& key) {
        return key.first == event->key();
    });
    // Left and Right are left to others too: there is only one column.
    const auto result =
        found == std::end(keys)
            ? forms::ListSelection::Result::Ignored
            : selection_.press(found->second, modifiersOf(event->modifiers()), rowsInView());
    if (result == forms::ListSelection::Result::Ignored) {
        event->ignore();
        return;
    }
    follow(result);
    event->accept();
}

// A press selects the row under it (Ctrl adds or removes it, Shift extends to it), a drag with
// the left button extends the selection, and a left click gives the tape the focus, as a click
// into a text box does. A right press on a selected row keeps the selection for the menu.
void TapeView::mousePressEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        follow(selection_.leftPress(row, modifiersOf(event->modifiers())));
        if (control()) {
            events().giveFocus(*control());
        }
    } else if (event->button() == Qt::RightButton) {
        follow(selection_.rightPress(row));
    }
    event->accept();
}

void TapeView::mouseMoveEvent(QMouseEvent* event) {
    if (!selection_.dragging() || !event->buttons().testFlag(Qt::LeftButton) || count() == 0) {
        return;
    }
    // Above or below the rows, the drag reaches the row beyond the view's edge, which scrolls in.
    const int at = offset() + event->position().toPoint().y();
    follow(selection_.dragTo(at >= 0 ? at / rowHeight() : -1));
}

void TapeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        selection_.endDrag();
    }
}

QString TapeView::selectedText() const {
    QStringList lines;
    for (int row = 0; row < count(); ++row) {
        if (isSelected(row)) {
            lines.push_back(line(row));
        }
    }
    return lines.join(u'\n');
}

void TapeView::copySelection() const {
    const QString text = selectedText();
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

void TapeView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QString::fromUtf16(layer::copyCaption));
    copyAction->setEnabled(selection_.anySelected());
    QAction* selectAllAction = menu.addAction(QString::fromUtf16(layer::selectAllCaption));
    selectAllAction->setEnabled(count() > 0);
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copyAction) {
        copySelection();
    } else if (chosen == selectAllAction) {
        selectAll();
    }
}

// Coming in by the keyboard, the newest line becomes the current one (it is in view); the
// selection's colours and the focus frame follow the focus.
void TapeView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason) {
        selection_.enterByKeyboard();
    }
    viewport()->update();
}

void TapeView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    selection_.endDrag();
    viewport()->update();
}

void TapeView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
        measured_ = false;
        layouts_.clear();
        fitWidth();
        updateScrollBars();
        shownOffset_ = offset();
        viewport()->update();
        break;
    case QEvent::ActivationChange:
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        viewport()->update();
        break;
    default:
        break;
    }
}

} // namespace kalpeno::qt

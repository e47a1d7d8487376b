// What the widgets paint where the window layer paints itself: the one-line boxes' frames, the
// labels' captions and the tapes' rows. Labels and rows must look exactly as Qt's own widgets
// would paint them.
#include "GuiProgram.h"

#include "qt/Conversions.h"
#include "qt/controls/Artwork.h"
#include "qt/tape/TapeView.h"
#include "qt/window/ClientArea.h"
#include "qt/window/DesignFonts.h"

#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

namespace kalpeno::qt::test {

namespace {

using PaintTest = GuiProgram;

QImage picture(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The box's frame is one pixel of the outline colour, or of the highlight colour while it has
// the focus; inside it, the box's back colour.
TEST_F(PaintTest, BoxFrameIsOnePixelAndShowsTheFocus) {
    auto* entry = widget<QLineEdit>(QStringLiteral("Text1"));
    auto* total = widget<QLineEdit>(QStringLiteral("Text2"));
    ASSERT_TRUE(entry && total);
    entry->setFocus();
    GuiSession::settle();
    ASSERT_TRUE(entry->hasFocus());
    struct Case {
        QLineEdit* box;
        QColor frame;
    };
    const QPalette& palette = entry->palette();
    for (const Case& c : {Case{entry, palette.highlight().color().darker(125)},
                          Case{total, palette.window().color().darker(140)}}) {
        const QImage shown = picture(*c.box);
        const int middle = shown.height() / 2;
        EXPECT_EQ(shown.pixel(0, middle), c.frame.rgb()) << c.box->objectName().toStdString();
        EXPECT_EQ(shown.pixel(shown.width() - 1, middle), c.frame.rgb());
        EXPECT_EQ(shown.pixel(shown.width() / 2, 0), c.frame.rgb());
        EXPECT_EQ(shown.pixel(0, 0), c.frame.rgb()); // square corners
        EXPECT_EQ(shown.pixel(3, 3), c.box->palette().color(QPalette::Base).rgb());
    }
}

// A QLabel of the same text, font, colours, alignment and size paints the same pixels.
void expectPaintedAsQLabel(QLabel& label) {
    QLabel plain;
    plain.setTextFormat(Qt::PlainText);
    plain.setText(label.text());
    plain.setFont(label.font());
    plain.setPalette(label.palette());
    plain.setAutoFillBackground(label.autoFillBackground());
    plain.setAlignment(label.alignment());
    plain.resize(label.size());
    EXPECT_EQ(picture(label), picture(plain)) << label.objectName().toStdString();
}

TEST_F(PaintTest, LabelsPaintAsQtsLabels) {
    const QList<QLabel*> labels = window()->client().findChildren<QLabel*>();
    ASSERT_GE(labels.size(), 10);
    for (QLabel* label : labels) {
        expectPaintedAsQLabel(*label);
    }
    session().click({.name = u"Command3", .index = 0}); // "+" shows its sign in Label6
    auto* sign = widget<QLabel>(QStringLiteral("Label6"));
    ASSERT_FALSE(sign->text().isEmpty());
    expectPaintedAsQLabel(*sign);
}

// Qt's own table of one stretched column without headers or grid, its rows as high as the
// tape's and scrolled by rows, showing the tape's lines, selection and current row, in the tape's
// place, font and palette; with the focus where the tape had it.
QImage qtTablePicture(TapeView& tape, bool focused) {
    QStandardItemModel lines;
    for (int row = 0; row < tape.count(); ++row) {
        lines.appendRow(new QStandardItem(tape.line(row)));
    }
    QTableView table(tape.parentWidget());
    table.setFont(tape.font());
    table.setPalette(tape.palette());
    table.setGeometry(tape.geometry());
    table.setShowGrid(false);
    table.setWordWrap(false);
    table.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table.horizontalHeader()->hide();
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table.horizontalHeader()->setMinimumSectionSize(
        tape.columnWidth() > tape.viewport()->width() ? tape.columnWidth() : 0);
    table.verticalHeader()->hide();
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setMinimumSectionSize(0);
    table.verticalHeader()->setDefaultSectionSize(tape.rowHeight());
    table.setModel(&lines);
    table.show();
    if (tape.currentRow() >= 0) {
        table.selectionModel()->setCurrentIndex(lines.index(tape.currentRow(), 0),
                                                QItemSelectionModel::NoUpdate);
    }
    for (int row = 0; row < tape.count(); ++row) {
        if (tape.isSelected(row)) {
            table.selectionModel()->select(lines.index(row, 0), QItemSelectionModel::Select);
        }
    }
    table.verticalScrollBar()->setValue(tape.verticalScrollBar()->value());
    table.horizontalScrollBar()->setValue(tape.horizontalScrollBar()->value());
    if (focused) {
        table.setFocus();
    }
    GuiSession::settle();
    return picture(table);
}

// The tape's rows, plain, selected and current, with and without the focus, scrolled or not,
// as Qt's own item view paints them.
TEST_F(PaintTest, TapeRowsPaintAsQtsItemView) {
    struct Case {
        const char* name;
        int lines;
        bool wide;
        bool focused;
    };
    for (const Case& c :
         {Case{"few, focused", 5, false, true}, Case{"few", 5, false, false},
          Case{"scrolled, focused", 40, false, true}, Case{"wide, scrolled", 40, true, false}}) {
        forms::ListBox& list = app().loaded(u"Kalpeno")->listBox(u"List1");
        list.clear();
        for (int i = 0; i < c.lines; ++i) {
            list.addItem(i == 2 && c.wide ? std::u16string(40, u'8') + u"." : u"1,234.");
        }
        GuiSession::settle();
        auto* tape = widget<TapeView>(QStringLiteral("List1"));
        ASSERT_EQ(tape->count(), c.lines);
        tape->setFocus();
        tape->setCurrentRow(c.lines - 2);
        tape->setSelected(c.lines - 4, true);
        tape->scrollToBottom();
        if (c.wide) {
            tape->horizontalScrollBar()->setValue(tape->horizontalScrollBar()->maximum() / 2);
        }
        if (!c.focused) {
            widget(QStringLiteral("Text1"))->setFocus();
        }
        GuiSession::settle();
        const QImage ours = picture(*tape);
        EXPECT_EQ(ours, qtTablePicture(*tape, c.focused)) << c.name;
    }
}

// The markers start hidden and are drawn only when first shown; shown, each paints its picture
// stretched to the control, as the letter tiles shown from the start do.
TEST_F(PaintTest, PicturesPaintTheirArtworkAlsoWhenShownLater) {
    DesignFonts fonts;
    Artwork artwork(fonts);
    struct Case {
        const char16_t* control;
        const char16_t* picture;
    };
    for (const Case& c : {Case{u"Image1", u"tileA"}, Case{u"Image5", u"markerB"}}) {
        forms::Control& control = app().loaded(u"Kalpeno")->control(c.control);
        control.setVisible(true);
        GuiSession::settle();
        QWidget* shown = widget<QWidget>(toQString(c.control));
        ASSERT_TRUE(shown && shown->isVisible());
        QImage expected(shown->size(), QImage::Format_RGB32);
        expected.fill(Qt::magenta); // the artwork is opaque: none of this may show
        {
            QPainter painter(&expected);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawPixmap(expected.rect(), artwork.picture(c.picture));
        }
        EXPECT_EQ(picture(*shown), expected) << toQString(c.control).toStdString();
    }
}

// Counts the paint events each widget gets.
class PaintCount : public QObject {
public:
    explicit PaintCount(const std::vector<QWidget*>& widgets) {
        for (QWidget* widget : widgets) {
            widget->installEventFilter(this);
        }
    }
    int operator[](QObject* widget) const { return counts_.value(widget); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++counts_[watched];
        }
        return false;
    }

private:
    QHash<QObject*, int> counts_;
};

// A key repaints the two boxes it changed, once each, and nothing under or over them that did
// not change.
TEST_F(PaintTest, AKeyRepaintsOnlyTheBoxesItChanged) {
    auto* entry = widget<QLineEdit>(QStringLiteral("Text1"));
    auto* display = widget<QLineEdit>(QStringLiteral("Text7"));
    auto* caption = widget<QLabel>(QStringLiteral("Label1")); // overlaps the entry box by a row
    ASSERT_TRUE(entry && display && caption);
    entry->setFocus();
    GuiSession::settle();
    QWidget* area = entry->parentWidget();
    const PaintCount painted({entry, display, caption, area});
    QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QApplication::sendEvent(entry, &press);
    GuiSession::settle();
    ASSERT_EQ(display->text(), QStringLiteral("5"));
    for (const auto& [shown, times] :
         {std::pair<QWidget*, int>{entry, 1}, {display, 1}, {caption, 0}, {area, 0}}) {
        EXPECT_EQ(painted[shown], times) << shown->objectName().toStdString();
    }
}

} // namespace

} // namespace kalpeno::qt::test

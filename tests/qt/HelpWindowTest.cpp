// The Help window: a real plain-text editor that fills its client area, typed into through the
// model like the entry boxes.
#include "GuiProgram.h"

#include "qt/boxes/MultiLineBox.h"
#include "qt/boxes/MultiLineMapping.h"
#include "qt/window/ClientArea.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

namespace kalpeno::qt::test {

namespace {

class HelpWindowTest : public GuiProgram {
protected:
    MultiLineBox& openHelp() {
        session().menu(u"Kalpeno", u"mnuHelp");
        return *widget<MultiLineBox>(QStringLiteral("Text1"), u"frmHelp");
    }
};

TEST_F(HelpWindowTest, ShowsTheFileWithItsLines) {
    writeHelpFile("abc\r\ndef\r\n");
    MultiLineBox& editor = openHelp();
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("abc\ndef\n"));
    EXPECT_EQ(editor.shownText(), u"abc\r\ndef\r\n");
    EXPECT_EQ(editor.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(editor.isReadOnly());
    EXPECT_EQ(session().focusName(), u"frmHelp.Text1");
}

TEST_F(HelpWindowTest, LoneLineFeedsStayInsideTheLine) {
    writeHelpFile("a\nb\n");
    MultiLineBox& editor = openHelp();
    EXPECT_EQ(editor.document()->blockCount(), 2); // "a␊b␊" and the empty last line
    EXPECT_EQ(editor.shownText(), u"a\nb\n\r\n");
}

TEST_F(HelpWindowTest, TextBoxFillsTheClientAreaAfterAResize) {
    MultiLineBox& editor = openHelp();
    FormWindow& help = *window(u"frmHelp");
    for (const QSize size : {QSize(800, 500), QSize(300, 200), QSize(651, 434)}) {
        help.resize(size);
        GuiSession::settle();
        const QSize client = help.client().size();
        EXPECT_EQ(editor.geometry(), QRect(QPoint(0, 0), client));
        const forms::Form& form = *app().loaded(u"frmHelp");
        EXPECT_EQ(form.ScaleWidth(), client.width() * 15);
        EXPECT_EQ(form.ScaleHeight(), client.height() * 15);
        EXPECT_EQ(form.textBox(u"Text1").bounds(),
                  (forms::Bounds{0, 0, client.width() * 15, client.height() * 15}));
    }
}

TEST_F(HelpWindowTest, TypingGoesThroughTheModel) {
    writeHelpFile("abc\r\n");
    MultiLineBox& editor = openHelp();
    QTest::keyClicks(&editor, QStringLiteral("xy"));
    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QTest::keyClick(&editor, Qt::Key_Backspace);
    EXPECT_EQ(modelText(u"Text1", u"frmHelp"), u"xabc\r\n");
    EXPECT_EQ(editor.shownText(), u"xabc\r\n");
    QTest::keyClick(&editor, Qt::Key_Delete);
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.shownText(), u"xabc\r\n");
}

TEST_F(HelpWindowTest, PasteAndDropDoNotBypassTheModel) {
    MultiLineBox& editor = openHelp();
    QGuiApplication::clipboard()->setText(QStringLiteral("one\ntwo"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(modelText(u"Text1", u"frmHelp"), u"one\r\ntwo");
    QMimeData data;
    data.setText(QStringLiteral("dropped"));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &drop);
    EXPECT_EQ(modelText(u"Text1", u"frmHelp"), u"one\r\ntwo");
    EXPECT_EQ(editor.shownText(), u"one\r\ntwo");
}

// A line of no line end, far longer than the editor's paragraphs: shown in pieces, each
// position on screen is the model's, and a copy gives the line whole.
TEST_F(HelpWindowTest, LongLineIsShownInPiecesAndStaysOneLine) {
    MultiLineBox& editor = openHelp();
    std::u16string line;
    for (qsizetype i = 0; i < 3 * splitLength + 5; ++i) {
        line += u"12+"[i % 3];
    }
    QGuiApplication::clipboard()->setText(toQString(line));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(modelText(u"Text1", u"frmHelp"), line);
    EXPECT_EQ(editor.shownText(), line);
    EXPECT_EQ(editor.document()->blockCount(), 4);
    // The caret put by the model near where a piece ends, moved by an arrow key on screen, then
    // a key typed: one arrow press is one step in the model also from piece to piece.
    struct Step {
        std::size_t at;
        Qt::Key key;
        std::size_t typedAt;
    };
    const auto split = static_cast<std::size_t>(splitLength);
    const std::size_t end = std::u16string::npos; // the end of the text
    forms::TextBox& box = app().loaded(u"frmHelp")->textBox(u"Text1");
    for (const Step& step :
         {Step{split - 1, Qt::Key_Right, split}, Step{split, Qt::Key_Right, split + 1},
          Step{split + 1, Qt::Key_Left, split}, Step{2 * split, Qt::Key_Left, 2 * split - 1},
          Step{end, Qt::Key_Right, end}}) {
        box.setCaret(std::min(step.at, line.size()));
        GuiSession::settle();
        QTest::keyClick(&editor, step.key);
        QTest::keyClick(&editor, Qt::Key_X);
        line.insert(std::min(step.typedAt, line.size()), u"x");
        EXPECT_EQ(box.text(), line) << step.at;
    }
    EXPECT_EQ(editor.shownText(), line);
    editor.selectAll();
    QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), toQString(line));
}

TEST_F(HelpWindowTest, TypingKeepsTheViewWhereItIs) {
    QByteArray lines;
    for (int i = 0; i < 200; ++i) {
        lines += "line " + QByteArray::number(i) + "\r\n";
    }
    writeHelpFile(lines);
    MultiLineBox& editor = openHelp();
    editor.verticalScrollBar()->setValue(100);
    session().caret({.form = u"frmHelp", .name = u"Text1"}, std::nullopt);
    const int scrolled = editor.verticalScrollBar()->value();
    QTest::keyClick(&editor, Qt::Key_A);
    EXPECT_EQ(editor.verticalScrollBar()->value(), scrolled);
    EXPECT_TRUE(modelText(u"Text1", u"frmHelp").ends_with(u"line 199\r\na"));
}

// A text of more lines than the editor's paragraphs: several lines share a paragraph.
QByteArray longHelpText(int lines) {
    QByteArray text;
    for (int i = 0; i < lines; ++i) {
        text += "line " + QByteArray::number(i) + (i % 7 == 0 ? QByteArray(90, 'w') : "") + "\r\n";
    }
    return text;
}

TEST_F(HelpWindowTest, LongTextHoldsSeveralLinesPerParagraphAndLooksTheSame) {
    const int lines = 3 * static_cast<int>(maxParagraphs);
    writeHelpFile(longHelpText(lines));
    MultiLineBox& editor = openHelp();
    EXPECT_LE(editor.document()->blockCount(), maxParagraphs + 1);
    EXPECT_EQ(editor.shownText(), modelText(u"Text1", u"frmHelp"));
    // Line for line as Qt shows one paragraph per line, long lines wrapped alike.
    QPlainTextEdit plain;
    plain.setFont(editor.font());
    plain.setPalette(editor.palette());
    plain.setLineWrapMode(editor.lineWrapMode());
    plain.setVerticalScrollBarPolicy(editor.verticalScrollBarPolicy());
    plain.setFrameShape(editor.frameShape());
    plain.resize(editor.size());
    plain.setPlainText(editor.toPlainText());
    plain.show();
    for (QPlainTextEdit* view : {static_cast<QPlainTextEdit*>(&editor), &plain}) {
        view->setCursorWidth(0); // the caret blinks in one of them only
    }
    GuiSession::settle();
    EXPECT_EQ(plain.document()->blockCount(), lines + 1);
    EXPECT_EQ(editor.viewport()->grab().toImage(), plain.viewport()->grab().toImage());
    // Further down, with the ends of paragraphs in view.
    for (QPlainTextEdit* view : {static_cast<QPlainTextEdit*>(&editor), &plain}) {
        QTextCursor line(view->document());
        line.setPosition(view->document()->toPlainText().indexOf(QStringLiteral("line 20001")));
        view->setTextCursor(line);
        view->centerCursor();
    }
    GuiSession::settle();
    EXPECT_GT(editor.cursorForPosition(QPoint(2, 2)).position(), 0);
    EXPECT_EQ(editor.viewport()->grab().toImage(), plain.viewport()->grab().toImage());
}

TEST_F(HelpWindowTest, TypingIntoALongTextChangesOnlyThatLine) {
    writeHelpFile(longHelpText(3 * static_cast<int>(maxParagraphs)));
    MultiLineBox& editor = openHelp();
    const int paragraphs = editor.document()->blockCount();
    std::u16string text = modelText(u"Text1", u"frmHelp");
    const std::size_t at = text.find(u"line 100\r\n") + 8;
    session().caret({.form = u"frmHelp", .name = u"Text1"}, at);
    QTest::keyClick(&editor, Qt::Key_X);
    QTest::keyClick(&editor, Qt::Key_Return);
    text.insert(at, u"x\r\n");
    EXPECT_EQ(modelText(u"Text1", u"frmHelp"), text);
    EXPECT_EQ(editor.shownText(), text);
    EXPECT_EQ(editor.document()->blockCount(), paragraphs + 1); // the new line end, nothing rebuilt
}

// A third click selects one line with its line end, also inside a paragraph of several lines.
TEST_F(HelpWindowTest, TripleClickSelectsTheLine) {
    for (const int lines : {3, 3 * static_cast<int>(maxParagraphs)}) {
        writeHelpFile(longHelpText(lines));
        MultiLineBox& editor = openHelp();
        QTextCursor onLine(editor.document());
        onLine.setPosition(editor.document()->toPlainText().indexOf(QStringLiteral("line 1\n")) +
                           2);
        const QPoint at = editor.cursorRect(onLine).center();
        QTest::mouseDClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(editor.textCursor().selectedText().size(), 7) << lines; // "line 1" and its end
        EXPECT_TRUE(editor.textCursor().selectedText().startsWith(QStringLiteral("line 1")))
            << lines;
        session().menu(u"frmHelp", u"mnuModoru");
    }
}

} // namespace

} // namespace kalpeno::qt::test

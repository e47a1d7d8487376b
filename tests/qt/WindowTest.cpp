// The calculator window as built from its design: names, fonts, colours, focus, tab order, the
// tapes, and the end of the program when its last shown window closes.
#include "GuiProgram.h"

#include "layer/UserEvents.h"
#include "qt/Conversions.h"
#include "qt/controls/ControlView.h"
#include "qt/tape/TapeView.h"
#include "qt/window/ClientArea.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <set>

namespace kalpeno::qt::test {

namespace {

using WindowTest = GuiProgram;

// Counts the timer events and queued calls the application delivers while it lives.
struct TimerCount : QObject {
    TimerCount() { qApp->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Timer || event->type() == QEvent::MetaCall;
        return false;
    }
    int count = 0;
};

TEST_F(WindowTest, EveryControlHasItsOwnJapaneseAccessibleName) {
    EXPECT_EQ(widget(QStringLiteral("Text1"))->accessibleName(), QStringLiteral(u"電卓Aの入力"));
    EXPECT_EQ(widget(QStringLiteral("Text4"))->accessibleName(), QStringLiteral(u"電卓Bの合計"));
    EXPECT_EQ(widget(QStringLiteral("List3"))->accessibleName(),
              QStringLiteral(u"電卓Cの入力リスト"));
    EXPECT_EQ(widget(QStringLiteral("Command2(10)"))->accessibleName(), QStringLiteral(u"小数点"));
    std::set<QString> names;
    std::size_t labels = 0; // named by what they show ("=" three times), their purpose described
    const QList<QWidget*> controls =
        window()->client().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        if (qobject_cast<QLabel*>(control)) {
            EXPECT_FALSE(control->accessibleDescription().isEmpty());
            ++labels;
        } else {
            names.insert(control->accessibleName());
        }
    }
    EXPECT_EQ(labels, 10u);
    EXPECT_EQ(names.size() + labels, static_cast<std::size_t>(controls.size()));
    EXPECT_EQ(controls.size(), 48); // every control of the design but the timer
}

TEST_F(WindowTest, TabFollowsTheDesignsTabOrder) {
    std::vector<std::u16string> visited;
    const auto& order = app().loaded(u"Kalpeno")->tabOrder();
    for (std::size_t i = 0; i <= order.size(); ++i) {
        visited.push_back(session().focusName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        GuiSession::settle();
        EXPECT_EQ(app().focus() ? app().focus()->qualifiedName() : u"", session().focusName());
    }
    std::vector<std::u16string> expected;
    for (const forms::Control* control : order) {
        expected.push_back(control->qualifiedName());
    }
    expected.push_back(u"Text1"); // round again
    EXPECT_EQ(visited, expected);
}

TEST_F(WindowTest, ButtonsTakeTheFocusByTabOnlyAndPicturesNever) {
    EXPECT_EQ(widget(QStringLiteral("Command2(0)"))->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(widget(QStringLiteral("cmdKotae1"))->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(widget(QStringLiteral("Image1"))->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(widget(QStringLiteral("Image4"))->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(widget(QStringLiteral("Label6"))->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(widget(QStringLiteral("Text1"))->focusPolicy(), Qt::StrongFocus);
}

TEST_F(WindowTest, KeypadClicksLeaveTheFocusInTheEntryBox) {
    for (const char* button : {"Command2(0)", "Command3(0)", "Command2(1)"}) {
        QTest::mouseClick(widget(QString::fromLatin1(button)), Qt::LeftButton);
        GuiSession::settle();
        EXPECT_EQ(QApplication::focusWidget(), widget(QStringLiteral("Text1")));
    }
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    EXPECT_EQ(modelText(u"Text1"), u"1+23");
    QTest::mouseClick(widget(QStringLiteral("cmdKotae1")), Qt::LeftButton);
    GuiSession::settle();
    EXPECT_EQ(modelText(u"Text1"), u"1+23=");
    // Enter now goes to the entry box, whose handler refuses a completed calculation; it does not
    // press "=" again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    GuiSession::settle();
    EXPECT_EQ(
        session().takeMessages(),
        std::vector<std::u16string>{u"電卓のA,B,C又は全クリアのボタンをクリックしてください。"});
    EXPECT_EQ(modelText(u"Text1"), u"1+23=");
    EXPECT_EQ(widget<TapeView>(QStringLiteral("List1"))->count(), 4);
}

TEST_F(WindowTest, MenuCommandLeavesTheFocusWhereItIs) {
    session().focus({.name = u"Text5"});
    session().menu(u"Kalpeno", u"mnuGreen");
    EXPECT_EQ(session().focusName(), u"Text5");
}

TEST_F(WindowTest, ClosingAWindowReturnsTheFocusToTheOneBefore) {
    session().focus({.name = u"Text3"});
    session().menu(u"Kalpeno", u"mnuVersion");
    EXPECT_EQ(session().focusName(), u"frmVersion4.Command1");
    session().close(u"frmVersion4");
    EXPECT_EQ(session().focusName(), u"Text3");
}

TEST_F(WindowTest, ProgramEndsWhenItsLastShownWindowCloses) {
    QSignalSpy finished(&session().layer(), &QtLayer::programFinished);
    session().menu(u"Kalpeno", u"mnuWhite"); // loads the Help window hidden
    ASSERT_NE(window(u"frmHelp"), nullptr);
    EXPECT_FALSE(window(u"frmHelp")->isVisible());
    window()->close();
    GuiSession::settle();
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(window(u"Kalpeno"), nullptr);
    EXPECT_EQ(window(u"frmHelp"), nullptr);
}

TEST_F(WindowTest, ProgramGoesOnWhileAShownWindowRemains) {
    session().menu(u"Kalpeno", u"mnuHelp");
    window()->close();
    GuiSession::settle();
    EXPECT_FALSE(app().ended());
    EXPECT_EQ(session().focusName(), u"frmHelp.Text1");
    window(u"frmHelp")->close();
    GuiSession::settle();
    EXPECT_TRUE(app().ended());
}

TEST_F(WindowTest, ClickOnTheVisibleMarkerReachesTheLetterBeneath) {
    EXPECT_TRUE(widget(QStringLiteral("Image4"))->isVisible());
    EXPECT_TRUE(widget(QStringLiteral("Image4"))->testAttribute(Qt::WA_TransparentForMouseEvents));
    session().key({.name = u"Text1"}, U'5');
    session().click({.name = u"Image4"});
    EXPECT_EQ(widget<QLineEdit>(QStringLiteral("Text1"))->text(), QString());
    EXPECT_EQ(session().calculatorWindow()->ActiveCalc, 1);
}

// The window is its design's size and cannot be resized; every control's widget is in its
// design's place, font size and back colour, and follows a colour the menu gives it. The boxes'
// font is the Gothic face or its stand-in.
TEST_F(WindowTest, EveryControlIsShownAsItsDesignSays) {
    const forms::Form& form = *app().loaded(u"Kalpeno");
    EXPECT_EQ(window()->client().size(),
              QSize(toPixels(form.ScaleWidth()), toPixels(form.ScaleHeight())));
    EXPECT_EQ(window()->minimumSize(), window()->maximumSize());
    EXPECT_EQ(window()->windowTitle(), toQString(form.caption()));
    const auto matchesDesign = [this](const forms::Control& control) {
        auto* shown = dynamic_cast<ControlView*>(widget(toQString(control.qualifiedName())));
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->widget().geometry(), toPixels(control.bounds()))
            << toQString(control.qualifiedName()).toStdString();
        if (control.font().points > 0) {
            EXPECT_DOUBLE_EQ(shown->widget().font().pointSizeF(), control.font().points);
        }
        if (control.backColour()) {
            EXPECT_EQ(shown->widget().palette().color(shown->colourRole()),
                      toQColor(*control.backColour()))
                << toQString(control.qualifiedName()).toStdString();
        }
    };
    for (const auto& control : form.controls()) {
        if (control->kind() != forms::ControlKind::Timer) {
            matchesDesign(*control);
        }
    }
    const QString family = QFontInfo(widget(QStringLiteral("Text1"))->font()).family();
    EXPECT_TRUE(family == QStringLiteral(u"ＭＳ Ｐゴシック") ||
                family.startsWith(QStringLiteral("IPA")))
        << family.toStdString();
    session().menu(u"Kalpeno", u"mnuGreen");
    matchesDesign(form.textBox(u"Text1"));
}

TEST_F(WindowTest, LabelsShowPlainText) {
    for (QLabel* label : window()->client().findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}

// Lines are added at the end: a row selected and made current before "=" stays so after it.
TEST_F(WindowTest, TapeGetsOneRowPerLineAndKeepsItsSelection) {
    auto* tape = widget<TapeView>(QStringLiteral("List1"));
    for (const char16_t c : std::u16string(u"12+3*4")) {
        session().key({.name = u"Text1"}, c);
    }
    ASSERT_EQ(tape->count(), 2);
    tape->setCurrentRow(1);
    session().click({.name = u"cmdKotae1"});
    EXPECT_EQ(tape->count(), 5);
    EXPECT_EQ(tape->currentRow(), 1);
    EXPECT_TRUE(tape->isSelected(1));
    EXPECT_FALSE(tape->isSelected(4));
}

TEST_F(WindowTest, TapeLinesCanBeSelectedAndCopied) {
    for (const char16_t c : std::u16string(u"12+3")) {
        session().key({.name = u"Text1"}, c);
    }
    session().click({.name = u"cmdKotae1"});
    auto* tape = widget<TapeView>(QStringLiteral("List1"));
    tape->setSelected(0, true);
    tape->setSelected(1, true);
    QTest::keyClick(tape, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12.\n3."));
    EXPECT_EQ(tape->count(), 4);
}

// A size taken while the model is busy (the window manager resizes a window while a handler waits
// in a message box) reaches the model once it is free, and nothing polls for that meanwhile.
TEST_F(WindowTest, SizeTakenWhileTheModelIsBusyReachesItOnceItIsFree) {
    session().menu(u"Kalpeno", u"mnuHelp");
    FormWindow* help = window(u"frmHelp");
    const forms::Form& form = *app().loaded(u"frmHelp");
    const int widthBefore = form.ScaleWidth();
    TimerCount timers;
    {
        UserEvents::Busy busy(session().layer().events());
        help->resize(help->width() + 90, help->height() + 60);
        for (int round = 0; round < 50; ++round) {
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(form.ScaleWidth(), widthBefore);
    }
    EXPECT_LT(timers.count, 10);
    GuiSession::settle();
    EXPECT_EQ(form.ScaleWidth(), toTwips(help->client().width()));
    EXPECT_NE(form.ScaleWidth(), widthBefore);
}

// A context menu runs an event loop of its own inside its widget's event handler; the window
// closed meanwhile (its close box) takes the menu with it and goes once the handler is done.
TEST_F(WindowTest, WindowClosedUnderAnOpenContextMenuGoesWithTheMenu) {
    for (const char* name : {"List1", "Text1"}) {
        SCOPED_TRACE(name);
        session().menu(u"Kalpeno", u"mnuHelp"); // keeps the program going
        QPointer<FormWindow> calculator = window();
        QPointer<QWidget> target = widget(QString::fromLatin1(name));
        bool closedUnderMenu = false;
        QTimer::singleShot(0, [&] {
            closedUnderMenu = QApplication::activePopupWidget() != nullptr;
            calculator->close();
        });
        QTimer guard; // should the menu stay open, the test fails rather than waits
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popup->close();
            }
        });
        guard.start(5000);
        const QPoint place(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Keyboard, place, target->mapToGlobal(place));
        QApplication::sendEvent(target, &event);
        GuiSession::settle();
        EXPECT_TRUE(closedUnderMenu);
        EXPECT_TRUE(calculator.isNull());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        window(u"frmHelp")->close();
        GuiSession::settle();
        ASSERT_TRUE(app().ended());
        session_ = std::make_unique<GuiSession>(toU16(folder_.path()));
    }
}

} // namespace

} // namespace kalpeno::qt::test

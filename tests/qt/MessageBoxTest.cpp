// The handlers' message box is a real modal QMessageBox: plain text, one OK button, no icon,
// the title "Kalpeno", and the handler waits until it is closed.
#include "GuiProgram.h"

#include "qt/window/QtMessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

namespace kalpeno::qt::test {

namespace {

struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons;
    qsizetype buttonCount = 0;
    Qt::WindowModality modality = Qt::NonModal;
    bool visible = false;
};

TEST(MessageBoxTest, IsAModalPlainTextBoxWithOneOkButtonAndNoIcon) {
    QtMessageBox port;
    SeenBox seen;
    bool waited = true;
    port.onShown = [&](QMessageBox& box) {
        seen = {box.windowTitle(),     box.text(),           box.textFormat(),     box.icon(),
                box.standardButtons(), box.buttons().size(), box.windowModality(), box.isVisible()};
        waited = true;
        QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    };
    waited = false;
    port.showMessage(u"<b>演算子は取り消しできません。</b>", u"Kalpeno");
    EXPECT_TRUE(waited); // showMessage returned only after the box was shown and closed
    EXPECT_EQ(seen.title, QStringLiteral("Kalpeno"));
    EXPECT_EQ(seen.text, QStringLiteral(u"<b>演算子は取り消しできません。</b>"));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.buttonCount, 1);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
    EXPECT_TRUE(seen.visible);
}

class ProgramMessageTest : public GuiProgram {};

TEST_F(ProgramMessageTest, HandlerMessagePopsUpAndTheFocusComesBack) {
    session().menu(u"Kalpeno", u"mnuSilver"); // no Help.txt: the Help window's load complains
    EXPECT_EQ(session().takeMessages(),
              std::vector<std::u16string>{u"Help.txtファイルがありません。"});
    EXPECT_EQ(session().focusName(), u"Text1");
}

} // namespace

} // namespace kalpeno::qt::test

// The resolution field: what typing, pasting, the arrows, leaving the field and the program do to
// its text and value.
#include "platform/spinedit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SpinEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedBeep = platform::SpinEdit::beepHook();
        platform::SpinEdit::beepHook() = [this] { ++beeps; };
        window = std::make_unique<QWidget>();
        spin = new platform::SpinEdit(window.get());
        spin->setObjectName("BWSpinEdit");
        spin->setRange(10, 600);
        spin->setGeometry(8, 8, 57, 26);
        other = new QLineEdit(window.get());
        other->setGeometry(8, 40, 57, 26);
        window->show();
        window->activateWindow();
        spin->setFocus();
    }
    void TearDown() override
    {
        window.reset();
        platform::SpinEdit::beepHook() = m_savedBeep;
    }

    std::unique_ptr<QWidget> window;
    platform::SpinEdit *spin = nullptr;
    QLineEdit *other = nullptr;
    int beeps = 0;

private:
    std::function<void()> m_savedBeep;
};

// The inner line edit is found by the field's name, as tests of the dialog look it up.
TEST_F(SpinEditTest, InnerEditCarriesTheName)
{
    EXPECT_EQ(window->findChild<QLineEdit *>("BWSpinEdit"), spin->lineEdit());
    EXPECT_EQ(window->findChild<platform::SpinEdit *>("BWSpinEdit"), spin);
}

// Typed keys: which reach the text and which are refused with a beep.
TEST_F(SpinEditTest, TypingAcceptsNumberCharactersAndEditingKeysOnly)
{
    const QString decimal = QLocale().decimalPoint();
    struct Row
    {
        const char *name;
        QString start;
        QString typed; // characters typed one by one
        QList<int> keys; // then these keys
        QString text;
        int beeps;
    };
    const QList<Row> rows = {
        {"digits", "", "123", {}, "123", 0},
        {"signs", "", "+-5", {}, "+-5", 0},
        {"decimal separator", "", "1" + decimal + "5", {}, "1" + decimal + "5", 0},
        {"letters refused", "", "1a2b", {}, "12", 2},
        {"space refused", "", "1 2", {}, "12", 1},
        {"other punctuation refused",
         "",
         "1,;/*",
         {},
         decimal == "," ? "1," : "1",
         decimal == "," ? 3 : 4},
        {"enter refused", "12", "", {Qt::Key_Return, Qt::Key_Enter}, "12", 2},
        {"backspace edits", "123", "", {Qt::Key_Backspace}, "12", 0},
        {"home and delete edit", "123", "", {Qt::Key_Home, Qt::Key_Delete}, "23", 0},
        {"left then type inserts", "13", "", {Qt::Key_Left}, "13", 0},
        {"end then backspace", "456", "", {Qt::Key_Home, Qt::Key_End, Qt::Key_Backspace}, "45", 0},
        {"escape is no character", "45", "", {Qt::Key_Escape}, "45", 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        spin->setText(row.start);
        spin->lineEdit()->end(false);
        beeps = 0;
        for (QChar c : row.typed)
            QTest::keyClick(spin->lineEdit(), c.toLatin1());
        for (int key : row.keys)
            QTest::keyClick(spin->lineEdit(), Qt::Key(key));
        EXPECT_EQ(spin->text(), row.text);
        EXPECT_EQ(beeps, row.beeps);
    }
}

// The clipboard and selection shortcuts work, and pasted text is taken as it is.
TEST_F(SpinEditTest, ClipboardKeysWorkAndPasteIsNotFiltered)
{
    QApplication::clipboard()->setText("12a");
    spin->setText("99");
    QTest::keyClick(spin->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(spin->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "12a");
    EXPECT_EQ(spin->value(), 10);
    QTest::keyClick(spin->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(spin->lineEdit(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "12a");
    EXPECT_EQ(beeps, 0);
}

// The value read from the text, limited to the range, or the minimum when it is no whole number.
TEST_F(SpinEditTest, ValueOfText)
{
    const QList<std::pair<QString, int>> rows = {
        {"300", 300}, {"12a", 10}, {"+25", 25},  {"-3", 10},
        {"1.5", 10},  {"1,5", 10}, {" 20 ", 20}, {"", 10},
        {"+", 10},    {"-", 10},   {"700", 600}, {"5", 10},
        {"600", 600}, {"10", 10},  {"0042", 42}, {"99999999999999999999", 600},
        {"--5", 10},  {"5-", 10},  {"2 0", 10},  {"-99999999999999999999", 10},
    };
    for (const auto &[text, value] : rows) {
        SCOPED_TRACE(text.toStdString());
        spin->setText(text);
        EXPECT_EQ(spin->value(), value);
        EXPECT_EQ(spin->text(), text);
    }
}

// Leaving the field puts an out-of-range number at the nearer limit and leaves other text alone.
TEST_F(SpinEditTest, LeavingLimitsTheText)
{
    const QList<std::pair<QString, QString>> rows = {
        {"700", "600"},
        {"5", "10"},
        {"-3", "10"},
        {"601", "600"},
        {"9", "10"},
        {"600", "600"},
        {"10", "10"},
        {"250", "250"},
        {"", ""},
        {"12a", "12a"},
        {"1.5", "1.5"},
        {" 20 ", " 20 "},
        {"99999999999999999999", "600"},
    };
    for (const auto &[typed, left] : rows) {
        SCOPED_TRACE(typed.toStdString());
        spin->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return spin->lineEdit()->hasFocus(); }, 2000));
        spin->setText(typed);
        other->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return other->hasFocus(); }, 2000));
        EXPECT_EQ(spin->text(), left);
    }
}

// The field's own context menu taking the focus is no leaving: the text stays until it is left.
TEST_F(SpinEditTest, PopupFocusLossKeepsText)
{
    spin->setText("700");
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(spin->lineEdit(), &popup);
    EXPECT_EQ(spin->text(), "700");
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(spin->lineEdit(), &tab);
    EXPECT_EQ(spin->text(), "600");
}

// Typing 700 by key and tabbing away shows 600.
TEST_F(SpinEditTest, Typed700ShowsLimitAfterTab)
{
    spin->setText("");
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spin->lineEdit()->hasFocus(); }, 2000));
    QTest::keyClicks(spin->lineEdit(), "700");
    EXPECT_EQ(spin->text(), "700");
    QTest::keyClick(spin->lineEdit(), Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return other->hasFocus(); }, 2000));
    EXPECT_EQ(spin->text(), "600");
}

// A value set by the program is limited like a typed one.
TEST_F(SpinEditTest, SetValueLimits)
{
    const QList<std::pair<int, QString>> rows = {
        {300, "300"}, {700, "600"}, {5, "10"}, {-1, "10"}, {10, "10"}, {600, "600"},
    };
    for (const auto &[set, shown] : rows) {
        spin->setValue(set);
        EXPECT_EQ(spin->text(), shown) << set;
    }
}

// Up/Down keys and the arrow buttons move by one and stop at the limits.
TEST_F(SpinEditTest, ArrowsStepByOneWithinRange)
{
    struct Row
    {
        const char *name;
        QString start;
        bool up;
        bool byButton;
        QString after;
    };
    const QList<Row> rows = {
        {"up key", "100", true, false, "101"},
        {"down key", "100", false, false, "99"},
        {"up key at max", "600", true, false, "600"},
        {"down key at min", "10", false, false, "10"},
        {"up button", "100", true, true, "101"},
        {"down button", "100", false, true, "99"},
        {"up button at max", "600", true, true, "600"},
        {"down button at min", "10", false, true, "10"},
        {"up from beyond max", "700", true, false, "600"},
        {"down from below min", "3", false, false, "10"},
        {"up from no number", "12a", true, false, "11"},
        {"down from blank", "", false, true, "10"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        spin->setText(row.start);
        if (row.byButton)
            (row.up ? spin->upButton() : spin->downButton())->click();
        else
            QTest::keyClick(spin->lineEdit(), row.up ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(spin->text(), row.after);
    }
    EXPECT_EQ(beeps, 0);
}

// Holding an arrow repeats until the limit and no further.
TEST_F(SpinEditTest, RepeatedStepsStopAtTheLimit)
{
    spin->setValue(595);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(spin->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(spin->value(), 600);
    spin->setValue(15);
    for (int i = 0; i < 20; ++i)
        spin->downButton()->click();
    EXPECT_EQ(spin->value(), 10);
}

// A reversed range is kept ordered, so value() never leaves it.
TEST_F(SpinEditTest, ReversedRangeCollapses)
{
    spin->setRange(50, 20);
    EXPECT_EQ(spin->minimum(), 50);
    EXPECT_EQ(spin->maximum(), 50);
    spin->setText("30");
    EXPECT_EQ(spin->value(), 50);
}

} // namespace

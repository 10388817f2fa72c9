// The paper-size radio group: items, selection by program and by user, and clearing.
#include "platform/radiogroup.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class RadioGroupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        group = std::make_unique<platform::RadioGroup>();
        group->setObjectName("SizeGroup");
        group->setCaption("&Paper sizes");
        group->setItems({"1", "2", "3", "4", "5"});
        group->resize(273, 153);
        group->show();
    }
    std::unique_ptr<platform::RadioGroup> group;
};

// A new group has its items, named by number, and none selected.
TEST_F(RadioGroupTest, ItemsStartUnselected)
{
    EXPECT_EQ(group->items(), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(group->itemIndex(), -1);
    for (int i = 0; i < 5; ++i) {
        QRadioButton *button
            = group->findChild<QRadioButton *>("SizeGroupItem" + QString::number(i + 1));
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button, group->button(i));
        EXPECT_EQ(button->text(), QString::number(i + 1));
        EXPECT_FALSE(button->isChecked());
    }
    EXPECT_EQ(group->button(5), nullptr);
    EXPECT_EQ(group->button(-1), nullptr);
}

// The program selects any item, and -1 or an index outside the items clears the selection.
TEST_F(RadioGroupTest, SetItemIndexSelectsOrClears)
{
    const QList<std::pair<int, int>> rows = {
        {3, 3}, {0, 0}, {-1, -1}, {4, 4}, {5, -1}, {2, 2}, {-7, -1}, {-1, -1},
    };
    for (const auto &[set, expected] : rows) {
        group->setItemIndex(set);
        EXPECT_EQ(group->itemIndex(), expected) << set;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(group->button(i)->isChecked(), i == expected) << set << " item " << i;
    }
}

// The user picks by clicking, which signals; clicking the selected item again does not clear it.
TEST_F(RadioGroupTest, UserCanPickButNotClear)
{
    int clicks = 0;
    QObject::connect(group.get(), &platform::RadioGroup::clicked, [&] { ++clicks; });
    QTest::mouseClick(group->button(1), Qt::LeftButton);
    EXPECT_EQ(group->itemIndex(), 1);
    QTest::mouseClick(group->button(1), Qt::LeftButton);
    EXPECT_EQ(group->itemIndex(), 1);
    QTest::mouseClick(group->button(4), Qt::LeftButton);
    EXPECT_EQ(group->itemIndex(), 4);
    EXPECT_EQ(clicks, 3);
    group->setItemIndex(2);
    EXPECT_EQ(clicks, 3);
    // After the program cleared it, the user can pick again and exclusivity still holds.
    group->setItemIndex(-1);
    QTest::mouseClick(group->button(0), Qt::LeftButton);
    QTest::mouseClick(group->button(3), Qt::LeftButton);
    EXPECT_EQ(group->itemIndex(), 3);
    EXPECT_FALSE(group->button(0)->isChecked());
}

// Items stand in one column, in order, evenly spaced, inside the frame below the caption.
TEST_F(RadioGroupTest, ItemsSpreadInOneColumn)
{
    const int captionBottom = group->fontMetrics().height();
    int previousTop = captionBottom;
    int spacing = -1;
    for (int i = 0; i < 5; ++i) {
        const QRect r = group->button(i)->geometry();
        EXPECT_EQ(r.left(), group->button(0)->geometry().left());
        EXPECT_GT(r.top(), previousTop - (i == 0 ? 1 : 0)) << i;
        EXPECT_LE(r.bottom(), group->height()) << i;
        if (i > 0) {
            const int step = r.top() - group->button(i - 1)->geometry().top();
            if (spacing < 0)
                spacing = step;
            EXPECT_EQ(step, spacing) << i;
        }
        previousTop = r.top();
    }
    EXPECT_GE(spacing, 20);
}

// Replacing the items drops the old buttons and the selection.
TEST_F(RadioGroupTest, SetItemsReplaces)
{
    group->setItemIndex(2);
    group->setItems({"a", "b&c"});
    EXPECT_EQ(group->itemIndex(), -1);
    EXPECT_EQ(group->findChildren<QRadioButton *>().size(), 2);
    EXPECT_EQ(group->button(1)->text(), "b&&c");
    EXPECT_EQ(group->button(2), nullptr);
}

// The caption's access key moves the focus from elsewhere to the group's selected item.
TEST(RadioGroupAccessKey, FocusesTheSelectedItem)
{
    QWidget window;
    auto *edit = new QLineEdit(&window);
    edit->setGeometry(0, 0, 100, 24);
    auto *group = new platform::RadioGroup(&window);
    group->setCaption("&Paper sizes");
    group->setItems({"1", "2", "3", "4", "5"});
    group->setGeometry(0, 30, 273, 153);
    group->setItemIndex(3);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }, 2000));
    QTest::keyClick(edit, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return group->button(3)->hasFocus(); }, 2000))
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                        : "no focus");
}

} // namespace

namespace {

// Tab enters the group at its selected item and leaves it with the next Tab; Tab is no way to
// walk from item to item (the arrow keys are).
TEST(RadioGroupTabbing, GroupIsOneTabStop)
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *group = new platform::RadioGroup(&window);
    group->setItems({"1", "2", "3", "4", "5"});
    group->setGeometry(0, 30, 273, 153);
    auto *after = new QLineEdit(&window);
    after->setGeometry(0, 200, 100, 24);
    group->setItemIndex(2);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return before->hasFocus(); }, 2000));
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(group->button(2)->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(group->itemIndex(), 3);
    EXPECT_TRUE(group->button(3)->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus()) << QApplication::focusWidget()->objectName().toStdString();
    QTest::keyClick(after, Qt::Key_Backtab);
    EXPECT_TRUE(group->button(3)->hasFocus());
}

} // namespace

// Dragging the bar by its move handle: the ghost follows the mouse, the bar jumps to the drop,
// and a drop beyond the desktop's top or left edge docks it there.
#include "launcher_fixture.h"

#include "Qx01.h"
#include "Qx05.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace {

struct Step
{
    enum Kind { Down, MoveTo, Up } What;
    QPoint At; // relative to the move handle
    Qt::MouseButton Button = Qt::LeftButton;
    // After a move: where the ghost must be, relative to the bar's position when the drag began.
    QPoint GhostOffset = {};
};

Step Down(QPoint At, Qt::MouseButton Button = Qt::LeftButton)
{
    return {Step::Down, At, Button};
}
Step MoveTo(QPoint At, QPoint GhostOffset)
{
    return {Step::MoveTo, At, Qt::LeftButton, GhostOffset};
}
Step Up(QPoint At, Qt::MouseButton Button = Qt::LeftButton)
{
    return {Step::Up, At, Button};
}

struct DragCase
{
    const char *Name;
    QByteArray Axis;
    bool AllInstalled;
    QPoint Start; // Col, Row in Win.Ini
    QRect Desktop;
    std::vector<Step> Steps;
    QPoint Dropped;
    QByteArray AxisAfter;
    QSize SizeAfter;
    bool GhostEverShown;
};

const QRect OneScreen(0, 0, 1920, 1080);
// A second screen left of the primary one, and one above it.
const QRect ScreenOnLeft(-1280, 0, 3200, 1080);
const QRect ScreenAbove(0, -1024, 1920, 2104);

} // namespace

// Each row: a bar, a mouse path on its handle, and where and in what shape the bar ends.
TEST_F(LauncherTest, DragAndDock)
{
    const QPoint G(5, 5); // grip point on the handle
    const DragCase Cases[] = {
        {"click without a move",
         "H",
         true,
         {200, 100},
         OneScreen,
         {Down(G), Up(G)},
         {200, 100},
         "H",
         {262, 22},
         false},
        {"plain move",
         "H",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(10, 3), {10, 3}), MoveTo(G + QPoint(40, 60), {40, 60}),
          Up(G + QPoint(40, 60))},
         {240, 160},
         "H",
         {262, 22},
         true},
        {"release elsewhere than the last move",
         "H",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(40, 60), {40, 60}), Up(G + QPoint(90, 90))},
         {240, 160},
         "H",
         {262, 22},
         true},
        {"row dropped at top -1 stays a row",
         "H",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(0, -101), {0, -101}), Up(G + QPoint(0, -101))},
         {200, 0},
         "H",
         {262, 22},
         true},
        {"column dropped at top -30 becomes a row",
         "V",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(0, -130), {0, -130}), Up(G + QPoint(0, -130))},
         {200, 0},
         "H",
         {262, 22},
         true},
        {"row dropped at left -5 becomes a column",
         "H",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(-205, 0), {-205, 0}), Up(G + QPoint(-205, 0))},
         {0, 100},
         "V",
         {30, 190},
         true},
        {"column dropped at left -5 stays a column",
         "V",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(-205, 0), {-205, 0}), Up(G)},
         {0, 100},
         "V",
         {30, 190},
         true},
        {"top-left corner: only the top rule, left stays negative",
         "V",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(-205, -105), {-205, -105}), Up(G)},
         {-5, 0},
         "H",
         {262, 22},
         true},
        {"exactly 0, 0 does not dock",
         "V",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(-200, -100), {-200, -100}), Up(G)},
         {0, 0},
         "V",
         {30, 190},
         true},
        {"beyond the right and bottom edges the bar stays",
         "H",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(1800, 1000), {1800, 1000}), Up(G)},
         {2000, 1100},
         "H",
         {262, 22},
         true},
        {"axis X at the top only moves the bar",
         "X",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(0, -110), {0, -110}), Up(G)},
         {200, 0},
         "X",
         {30, 190},
         true},
        {"axis X at the left only moves the bar",
         "X",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(-210, 0), {-210, 0}), Up(G)},
         {0, 100},
         "X",
         {30, 190},
         true},
        {"nothing installed, column docked at the top",
         "V",
         false,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(0, -150), {0, -150}), Up(G)},
         {200, 0},
         "H",
         {117, 22},
         true},
        {"stored negative row docks on a mere click",
         "H",
         true,
         {50, -20},
         OneScreen,
         {Down(G), Up(G)},
         {50, 0},
         "H",
         {262, 22},
         false},
        {"stored negative column docks a row as a column on a mere click",
         "H",
         true,
         {-12, 300},
         OneScreen,
         {Down(G), Up(G)},
         {0, 300},
         "V",
         {30, 190},
         false},
        {"second button down starts over from the bar",
         "H",
         true,
         {200, 100},
         OneScreen,
         {Down(G), MoveTo(G + QPoint(50, 0), {50, 0}), Down({10, 5}, Qt::RightButton),
          MoveTo({30, 5}, {20, 0}), Up({30, 5}, Qt::RightButton), Up({30, 5})},
         {220, 100},
         "H",
         {262, 22},
         true},
        {"any mouse button drags",
         "H",
         true,
         {200, 100},
         OneScreen,
         {Down(G, Qt::MiddleButton), MoveTo(G + QPoint(7, 8), {7, 8}),
          Up(G + QPoint(7, 8), Qt::MiddleButton)},
         {207, 108},
         "H",
         {262, 22},
         true},
        {"two screens: left of the primary is still desktop",
         "H",
         true,
         {200, 100},
         ScreenOnLeft,
         {Down(G), MoveTo(G + QPoint(-205, 0), {-205, 0}), Up(G)},
         {-5, 100},
         "H",
         {262, 22},
         true},
        {"two screens: beyond the desktop's left edge docks there",
         "H",
         true,
         {200, 100},
         ScreenOnLeft,
         {Down(G), MoveTo(G + QPoint(-1500, 0), {-1500, 0}), Up(G)},
         {-1280, 100},
         "V",
         {30, 190},
         true},
        {"two screens: above the primary is still desktop",
         "V",
         true,
         {200, 100},
         ScreenAbove,
         {Down(G), MoveTo(G + QPoint(0, -150), {0, -150}), Up(G)},
         {200, -50},
         "V",
         {30, 190},
         true},
        {"two screens: beyond the desktop's top edge docks there",
         "V",
         true,
         {200, 100},
         ScreenAbove,
         {Down(G), MoveTo(G + QPoint(0, -1200), {0, -1200}), Up(G)},
         {200, -1024},
         "H",
         {262, 22},
         true},
    };
    for (const DragCase &C : Cases) {
        SCOPED_TRACE(C.Name);
        WriteWinIni(
            "[Quixbar]\nAxis=" + C.Axis + "\nCol=" + QByteArray::number(C.Start.x())
            + "\nRow=" + QByteArray::number(C.Start.y()) + "\n"
            + ProductSections(C.AllInstalled, C.AllInstalled, C.AllInstalled, C.AllInstalled));
        Start();
        DesktopGeometry = [&] { return C.Desktop; };
        const QPoint Origin = QuixbarForm->pos();
        bool GhostShown = false;
        for (const Step &S : C.Steps) {
            switch (S.What) {
            case Step::Down:
                Press(S.At, S.Button);
                EXPECT_TRUE(Dragging);
                // Placed over the bar and sized like it, but not shown yet.
                EXPECT_EQ(PositionForm->pos(), QuixbarForm->pos());
                EXPECT_EQ(PositionForm->size(), QuixbarForm->size());
                break;
            case Step::MoveTo:
                Move(S.At);
                EXPECT_TRUE(PositionForm->isVisible());
                EXPECT_EQ(PositionForm->pos(), Origin + S.GhostOffset);
                EXPECT_EQ(QuixbarForm->pos(), Origin); // the bar waits for the drop
                break;
            case Step::Up:
                Release(S.At, S.Button);
                EXPECT_FALSE(Dragging);
                break;
            }
            GhostShown = GhostShown || PositionForm->isVisible();
        }
        EXPECT_EQ(GhostShown, C.GhostEverShown);
        EXPECT_EQ(QuixbarForm->pos(), C.Dropped);
        EXPECT_EQ(BarAxis, QString::fromLatin1(C.AxisAfter));
        EXPECT_EQ(QuixbarForm->size(), C.SizeAfter);
        EXPECT_FALSE(PositionForm->isVisible());
        EXPECT_EQ(PositionForm->size(), QuixbarForm->size());
        EXPECT_EQ(PositionForm->ExitButton->pos(), QuixbarForm->ExitButton->pos());
        EXPECT_TRUE(QuixbarForm->isVisible());
        NextCase();
    }
}

// Moves of the mouse over the handle without a button held do nothing to either form.
TEST_F(LauncherTest, HoverMovesDoNothing)
{
    WriteWinIni("[Quixbar]\nCol=200\nRow=100\n");
    Start();
    Move({10, 10}, Qt::NoButton);
    Move({400, 400}, Qt::NoButton);
    EXPECT_FALSE(Dragging);
    EXPECT_FALSE(PositionForm->isVisible());
    EXPECT_EQ(QuixbarForm->pos(), QPoint(200, 100));
}

// The desktop the bar docks against is every screen together, here the one offscreen screen.
TEST_F(LauncherTest, DesktopIsTheUnionOfScreens)
{
    StartHidden();
    const QScreen *Primary = QGuiApplication::primaryScreen();
    ASSERT_NE(Primary, nullptr);
    EXPECT_EQ(DesktopGeometry(), Primary->virtualGeometry());
}

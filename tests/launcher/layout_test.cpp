// Which buttons the bar and its ghost show, where each sits, and how large both forms are.
#include "launcher_fixture.h"

#include "Qx01.h"
#include "Qx05.h"

#include <QSize>

namespace {

const char *const PlacedOrder[] = {"DVButton",    "ConfigButton", "OCRButton",   "CabinetButton",
                                   "PhoneButton", "HelpButton",   "AboutButton", "ExitButton"};

struct Expected
{
    const char *Name;
    bool Shown;
    QPoint At; // checked only when shown
};

// Checks one form against the expected buttons and size.
void ExpectForm(QWidget *Form, const std::vector<Expected> &Buttons, const QSize &Size,
                const std::string &Row)
{
    SCOPED_TRACE(Row + " on " + Form->objectName().toStdString());
    EXPECT_EQ(Form->size(), Size);
    auto *Handle = LauncherTest::Button(Form, "QBarBtn");
    EXPECT_EQ(Handle->geometry(), QRect(1, 1, 29, 21));
    EXPECT_FALSE(Handle->isHidden());
    for (const Expected &Want : Buttons) {
        auto *Button = LauncherTest::Button(Form, Want.Name);
        ASSERT_NE(Button, nullptr);
        EXPECT_EQ(!Button->isHidden(), Want.Shown) << Want.Name;
        EXPECT_EQ(Button->size(), QSize(29, 21)) << Want.Name;
        if (Want.Shown) {
            EXPECT_EQ(Button->pos(), Want.At) << Want.Name;
        }
    }
}

} // namespace

// Every installed set, in a row and in a column: the installed buttons close up in their fixed
// order, nothing else shows, and the ghost has the bar's shape.
TEST_F(LauncherTest, EveryInstalledSetInBothAxes)
{
    for (const char *Axis : {"H", "V"}) {
        for (int Set = 0; Set < 16; ++Set) {
            const bool Copier = Set & 1, OCR = Set & 2, Cabinet = Set & 4, Phone = Set & 8;
            const bool Row = QByteArray(Axis) == "H";
            WriteWinIni("[Quixbar]\nAxis=" + QByteArray(Axis) + "\n"
                        + ProductSections(Copier, OCR, Cabinet, Phone));
            StartHidden();
            const bool Installed[] = {Copier, Copier, OCR, Cabinet, Phone, true, true, true};
            std::vector<Expected> Buttons;
            int Place = 0;
            for (int I = 0; I < 8; ++I) {
                const QPoint At = Row ? QPoint(30 + 29 * Place, 1) : QPoint(1, 22 + 21 * Place);
                Buttons.push_back({PlacedOrder[I], Installed[I], At});
                Place += Installed[I] ? 1 : 0;
            }
            const QSize Size = Row ? QSize(30 + 29 * Place, 22) : QSize(30, 22 + 21 * Place);
            const std::string Name = std::string("axis ") + Axis + " set " + std::to_string(Set);
            ExpectForm(QuixbarForm, Buttons, Size, Name);
            ExpectForm(PositionForm, Buttons, Size, Name);
            EXPECT_EQ(QuixbarForm->pos(), QPoint(25, 0)) << Name;
            NextCase();
        }
    }
}

// The bars users know by sight, spelt out: every product, none, and a few single products.
TEST_F(LauncherTest, KnownBarShapes)
{
    struct Case
    {
        const char *Name;
        QByteArray WinIni;
        std::vector<Expected> Buttons;
        QSize Size;
    };
    const QByteArray All = ProductSections(true, true, true, true);
    const QByteArray None = ProductSections(false, false, false, false);
    const Case Cases[] = {
        {"all in a row",
         "[Quixbar]\nAxis=H\n" + All,
         {{"DVButton", true, {30, 1}},
          {"ConfigButton", true, {59, 1}},
          {"OCRButton", true, {88, 1}},
          {"CabinetButton", true, {117, 1}},
          {"PhoneButton", true, {146, 1}},
          {"HelpButton", true, {175, 1}},
          {"AboutButton", true, {204, 1}},
          {"ExitButton", true, {233, 1}}},
         {262, 22}},
        {"all in a column",
         "[Quixbar]\nAxis=V\n" + All,
         {{"DVButton", true, {1, 22}},
          {"ConfigButton", true, {1, 43}},
          {"OCRButton", true, {1, 64}},
          {"CabinetButton", true, {1, 85}},
          {"PhoneButton", true, {1, 106}},
          {"HelpButton", true, {1, 127}},
          {"AboutButton", true, {1, 148}},
          {"ExitButton", true, {1, 169}}},
         {30, 190}},
        {"none in a row",
         "[Quixbar]\nAxis=H\n" + None,
         {{"DVButton", false, {}},
          {"HelpButton", true, {30, 1}},
          {"AboutButton", true, {59, 1}},
          {"ExitButton", true, {88, 1}}},
         {117, 22}},
        {"none in a column",
         "[Quixbar]\nAxis=V\n" + None,
         {{"HelpButton", true, {1, 22}},
          {"AboutButton", true, {1, 43}},
          {"ExitButton", true, {1, 64}}},
         {30, 85}},
        {"only the telephone in a row",
         "[Quixbar]\nAxis=H\n" + ProductSections(false, false, false, true),
         {{"PhoneButton", true, {30, 1}}, {"HelpButton", true, {59, 1}}},
         {146, 22}},
        {"OCR and cabinet in a column",
         "[Quixbar]\nAxis=V\n" + ProductSections(false, true, true, false),
         {{"OCRButton", true, {1, 22}}, {"CabinetButton", true, {1, 43}}},
         {30, 127}},
        {"only the copier: configuration right after it",
         "[Quixbar]\nAxis=H\n" + ProductSections(true, false, false, false),
         {{"DVButton", true, {30, 1}},
          {"ConfigButton", true, {59, 1}},
          {"HelpButton", true, {88, 1}}},
         {175, 22}},
        {"lower-case h is a column",
         "[Quixbar]\nAxis=h\n" + None,
         {{"HelpButton", true, {1, 22}}},
         {30, 85}},
        {"empty axis is a column",
         "[Quixbar]\nAxis=\n" + None,
         {{"HelpButton", true, {1, 22}}},
         {30, 85}},
        {"axis X is a column",
         "[Quixbar]\nAxis=X\n" + All,
         {{"ExitButton", true, {1, 169}}},
         {30, 190}},
        {"no axis entry is a row",
         "[Quixbar]\nRow=3\n" + All,
         {{"ExitButton", true, {233, 1}}},
         {262, 22}},
    };
    for (const Case &C : Cases) {
        WriteWinIni(C.WinIni);
        StartHidden();
        ExpectForm(QuixbarForm, C.Buttons, C.Size, C.Name);
        ExpectForm(PositionForm, C.Buttons, C.Size, C.Name);
        NextCase();
    }
}

// A second placement after a change of axis keeps both forms' corners and reshapes them.
TEST_F(LauncherTest, ArrangeButtonsKeepsPositionAndFollowsAxis)
{
    WriteWinIni("[Quixbar]\nAxis=H\nRow=40\nCol=70\n" + ProductSections(true, true, true, true));
    StartHidden();
    PositionForm->move(300, 200);
    ASSERT_EQ(QuixbarForm->size(), QSize(262, 22));
    BarAxis = "V";
    QuixbarForm->ArrangeButtons();
    EXPECT_EQ(QuixbarForm->pos(), QPoint(70, 40));
    EXPECT_EQ(QuixbarForm->size(), QSize(30, 190));
    EXPECT_EQ(PositionForm->pos(), QPoint(300, 200));
    EXPECT_EQ(PositionForm->size(), QSize(30, 190));
    EXPECT_EQ(QuixbarForm->ExitButton->pos(), QPoint(1, 169));
    EXPECT_EQ(PositionForm->ExitButton->pos(), QPoint(1, 169));
    EXPECT_EQ(StepLeft, 0);
    EXPECT_EQ(StepTop, 21);
    EXPECT_EQ(NextLeft, 1);
    EXPECT_EQ(NextTop, 190);
}

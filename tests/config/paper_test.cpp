// The dialog's first showing: the five paper lists from Dv.Lng, their selections and the
// default size.
#include "fixture.h"

#include "config/Dvc01.h"
#include "platform/radiogroup.h"
#include "shared/Language.h"

#include <QComboBox>

using namespace testsupport;

namespace {
const QStringList FallbackNames
    = {"A2", "A3",        "A4",     "A5",    "A6",        "B4",        "B5",     "C6",
       "DL", "Executive", "Hagaki", "Legal", "US Letter", "Statement", "Tabloid"};

QByteArray fifteenNames()
{
    QByteArray names = "[Paper Name]\n";
    for (const QString &key : PaperKeys())
        names += key.toLatin1() + "=" + key.toLatin1() + " name\n";
    return names;
}

struct PaperCase
{
    const char *name;
    QByteArray dvLng;
    std::array<int, 5> positions; // selected position (1 to 15) of lists 1 to 5
    int defaultItem; // selected radio item, 0 for the first, -1 for none
    QStringList entries = {}; // list 1's entries when checked
    friend void PrintTo(const PaperCase &c, std::ostream *out) { *out << c.name; }
};
} // namespace

class DvConfPaperTest : public ConfigTest, public ::testing::WithParamInterface<PaperCase>
{
};

TEST_P(DvConfPaperTest, ListsAndDefaultAfterFirstShowing)
{
    const PaperCase &c = GetParam();
    writeInstallation();
    writeProgram(QStringLiteral("Dv.Lng"), c.dvLng);
    startTool();
    showDialog();

    QStringList first;
    for (int i = 0; i < DvConfForm->ComboBox2->count(); ++i)
        first.append(DvConfForm->ComboBox2->itemText(i));
    ASSERT_EQ(first.size(), 15);
    if (!c.entries.isEmpty()) {
        EXPECT_EQ(first, c.entries);
    }
    for (int n = 1; n <= 5; ++n) {
        QComboBox *list = DvConfForm->PaperList(n);
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries.append(list->itemText(i));
        EXPECT_EQ(entries, first) << "list " << n;
        EXPECT_EQ(list->currentIndex() + 1, c.positions[size_t(n - 1)]) << "list " << n;
        EXPECT_FALSE(list->isEditable());
    }
    EXPECT_EQ(DvConfForm->SizeGroup->itemIndex(), c.defaultItem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DvConfPaperTest,
    ::testing::Values(
        // Every lookup falls back to "A4 210 x 297 mm", which is no entry: position 1.
        PaperCase {"NoPaperNames",
                   "[eng]\nSize.1=A4\nSize.2=Letter\nSize.3=Tabloid\n",
                   {1, 1, 1, 1, 1},
                   3,
                   FallbackNames},
        PaperCase {"UnknownKeyFindsTheA4Name",
                   "[Paper Name]\nA4=A4 210 x 297 mm\nA5=A5 name\n[eng]\nSize.1=A5\nSize.2=Foo\n",
                   {4, 3, 3, 3, 3},
                   3},
        PaperCase {"MissingSizesAreLegal", fifteenNames(), {12, 12, 12, 12, 12}, 3},
        PaperCase {"StoredSizes",
                   fifteenNames()
                       + "[eng]\nSize.1=A3\nSize.2=Letter\nSize.3=Tabloid\nSize.4=A2\n"
                         "Size.5=DL\nDefaultSize=1\n",
                   {2, 13, 15, 1, 9},
                   0},
        PaperCase {"LastEqualNameWins",
                   "[Paper Name]\nA5=Same\nB5=Same\nA2=Other\n[eng]\nSize.1=A5\nSize.2=B5\n"
                   "Size.3=A2\n",
                   {7, 7, 1, 1, 1},
                   3},
        PaperCase {
            "LetterMissingFallsToA4",
            "[Paper Name]\nA4=A4 210 x 297 mm\nA2=A2 name\n[eng]\nSize.1=A2\nSize.3=Letter\n",
            {1, 3, 3, 3, 3},
            3},
        PaperCase {"KeyOutsideTheTableWithoutA4Name",
                   "[Paper Name]\nA4=A4\n[eng]\nSize.2=A1\n",
                   {1, 1, 1, 1, 1},
                   3},
        PaperCase {"EmptyNameIsAnEntry",
                   "[Paper Name]\nB4=\n[eng]\nSize.1=B4\nSize.2=A3\n",
                   {6, 1, 1, 1, 1},
                   3,
                   {"A2", "A3", "A4", "A5", "A6", "", "B5", "C6", "DL", "Executive", "Hagaki",
                    "Legal", "US Letter", "Statement", "Tabloid"}},
        PaperCase {"NamesAreCaseSensitive",
                   "[Paper Name]\nA3=A4 210 x 297 mm\nA4=a4 210 x 297 mm\n[eng]\nSize.1=X\n",
                   {2, 2, 2, 2, 2},
                   3},
        PaperCase {"LanguageSectionInCapitals",
                   fifteenNames() + "[ENG]\nSize.1=A6\nDefaultSize=5\n",
                   {5, 12, 12, 12, 12},
                   4},
        PaperCase {"OtherLanguageIgnored",
                   fifteenNames() + "[deu]\nSize.1=A6\nDefaultSize=1\n",
                   {12, 12, 12, 12, 12},
                   3},
        PaperCase {"DefaultZeroSelectsNone", "[eng]\nDefaultSize=0\n", {1, 1, 1, 1, 1}, -1},
        PaperCase {"DefaultNegativeSelectsNone", "[eng]\nDefaultSize=-3\n", {1, 1, 1, 1, 1}, -1},
        PaperCase {"DefaultAboveFiveSelectsFive", "[eng]\nDefaultSize=9\n", {1, 1, 1, 1, 1}, 4},
        PaperCase {"DefaultHexadecimal", "[eng]\nDefaultSize=0x2\n", {1, 1, 1, 1, 1}, 1},
        PaperCase {"DefaultNotANumberIsFour", "[eng]\nDefaultSize=two\n", {1, 1, 1, 1, 1}, 3}),
    [](const auto &row) { return std::string(row.param.name); });

// The table behind the lists: fifteen keys in the shared order, and positions outside it.
TEST(DvConfPaperTableTest, KeysFollowTheSharedOrder)
{
    ASSERT_EQ(PaperKeys().size(), PaperCount);
    for (int p = 1; p <= PaperCount; ++p)
        EXPECT_EQ(PaperKeyAt(p), PaperKeys().at(p - 1)) << p;
    EXPECT_EQ(PaperKeyAt(13), QStringLiteral("Letter"));
    EXPECT_EQ(QString::fromLatin1(PaperTable[12].FallbackName), QStringLiteral("US Letter"));
    for (const int outside : {0, -1, 16})
        EXPECT_EQ(PaperKeyAt(outside), QString()) << outside;
}

class DvConfShowingTest : public ConfigTest
{
};

// Showing the dialog again keeps the user's picks: the lists are filled only once.
TEST_F(DvConfShowingTest, SecondShowingKeepsTheChoices)
{
    writeInstallation();
    startTool();
    showDialog();
    DvConfForm->ComboBox4->setCurrentIndex(10);
    DvConfForm->hide();
    DvConfForm->show();
    EXPECT_EQ(DvConfForm->ComboBox2->count(), 15);
    EXPECT_EQ(DvConfForm->ComboBox4->currentIndex(), 10);
}

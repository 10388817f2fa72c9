// Exit, Cancel and closing the window: the exact bytes both files hold afterwards.
#include "fixture.h"

#include "config/Dvc01.h"
#include "config/Program.h"
#include "platform/radiogroup.h"
#include "platform/spinedit.h"
#include "shared/Language.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

using namespace testsupport;

namespace {
QByteArray fifteenNames()
{
    QByteArray names = "[Paper Name]\n";
    for (const QString &key : PaperKeys())
        names += key.toLatin1() + "=" + key.toLatin1() + " paper\n";
    return names;
}

const QByteArray WinIniBefore = "[Dovrane]\n"
                                "Language=eng\n"
                                "BWDpi=300\n"
                                "GreyDpi=200\n"
                                "ColourDpi=150\n"
                                "\n"
                                "[Other]\n"
                                "BWDpi=1\n";
const QByteArray SizesBefore = "[eng]\n"
                               "Size.1=A3\n"
                               "Size.2=A4\n"
                               "Size.3=A5\n"
                               "Size.4=Letter\n"
                               "Size.5=Legal\n"
                               "; the German choice\n"
                               "[deu]\n"
                               "Size.1=B5\n"
                               "DefaultSize=1\n";

} // namespace

class DvConfExitTest : public ConfigTest
{
protected:
    void start(const QByteArray &winIni, const QByteArray &dvLng)
    {
        writeInstallation();
        writeWin(QStringLiteral("Win.Ini"), winIni);
        writeProgram(QStringLiteral("Dv.Lng"), dvLng);
        startTool();
        showDialog();
    }
    void changeEveryControl()
    {
        DvConfForm->BWSpinEdit->setText(QStringLiteral("12a"));
        DvConfForm->GreySpinEdit->setValue(450);
        DvConfForm->ColourSpinEdit->setText(QStringLiteral("700"));
        for (int n = 1; n <= 5; ++n)
            DvConfForm->PaperList(n)->setCurrentIndex(n + 8);
        DvConfForm->SizeGroup->setItemIndex(4);
    }
};

// Exit with nothing changed writes all nine values back; a missing DefaultSize is now 4.
TEST_F(DvConfExitTest, UnchangedExitWritesEveryValueBack)
{
    start(WinIniBefore, fifteenNames() + SizesBefore);
    DvConfForm->ExitBitBtn->click();
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")), WinIniBefore);
    EXPECT_EQ(readProgram(QStringLiteral("Dv.Lng")),
              fifteenNames()
                  + "[eng]\nSize.1=A3\nSize.2=A4\nSize.3=A5\nSize.4=Letter\nSize.5=Legal\n"
                    "DefaultSize=4\n; the German choice\n[deu]\nSize.1=B5\nDefaultSize=1\n");
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(waitUntil([this] { return app().terminated(); }));
}

// Every control changed: the limited resolutions, the keys (not the names) of the lists, the
// default; keys that were missing are added to their sections.
TEST_F(DvConfExitTest, ChangedControlsAreStored)
{
    start("[Dovrane]\nLanguage=eng\n\n[Dovrane Configuration]\nRegistered User=Ann\n",
          fifteenNames() + "[eng]\nDefaultSize=0\n");
    EXPECT_EQ(DvConfForm->SizeGroup->itemIndex(), -1);
    DvConfForm->BWSpinEdit->setText(QStringLiteral("12a"));
    DvConfForm->GreySpinEdit->setValue(450);
    DvConfForm->ColourSpinEdit->setText(QStringLiteral("700"));
    DvConfForm->ComboBox2->setCurrentIndex(0);
    DvConfForm->ComboBox4->setCurrentIndex(12);
    DvConfForm->ComboBox6->setCurrentIndex(14);
    DvConfForm->ExitBitBtn->click();
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")),
              QByteArray("[Dovrane]\nLanguage=eng\nBWDpi=10\nGreyDpi=450\nColourDpi=600\n\n"
                         "[Dovrane Configuration]\nRegistered User=Ann\n"));
    EXPECT_EQ(readProgram(QStringLiteral("Dv.Lng")),
              fifteenNames()
                  + "[eng]\nDefaultSize=0\nSize.1=A2\nSize.2=Legal\nSize.3=Letter\nSize.4=Legal\n"
                    "Size.5=Tabloid\n");
    EXPECT_TRUE(waitUntil([this] { return app().terminated(); }));
}

// Without paper names every list selected position 1, so Exit stores A2 five times.
TEST_F(DvConfExitTest, NoPaperNamesStoresA2)
{
    start(WinIniBefore, "[eng]\nSize.1=Letter\nSize.2=A4\nDefaultSize=3\n");
    DvConfForm->ExitBitBtn->click();
    EXPECT_EQ(readProgram(QStringLiteral("Dv.Lng")),
              QByteArray("[eng]\nSize.1=A2\nSize.2=A2\nDefaultSize=3\nSize.3=A2\nSize.4=A2\n"
                         "Size.5=A2\n"));
}

// Without a Win.Ini, Exit creates it with the three resolutions.
TEST_F(DvConfExitTest, ExitCreatesWinIni)
{
    start("[Dovrane]\nLanguage=eng\n", fifteenNames() + SizesBefore);
    ASSERT_TRUE(QFile::remove(winPath(QStringLiteral("Win.Ini"))));
    DvConfForm->ExitBitBtn->click();
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")),
              QByteArray("[Dovrane]\nBWDpi=200\nGreyDpi=150\nColourDpi=100\n"));
}

// Exit by its access key while a resolution field still holds 700 and the focus stores 600.
TEST_F(DvConfExitTest, AccessKeyWhileFieldHasFocusStoresTheLimitedValue)
{
    start(WinIniBefore, fifteenNames() + SizesBefore);
    DvConfForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(DvConfForm));
    QLineEdit *edit = DvConfForm->GreySpinEdit->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("700"));
    ASSERT_EQ(DvConfForm->GreySpinEdit->text(), QStringLiteral("700"));
    QTest::keyClick(edit, Qt::Key_X, Qt::AltModifier);
    ASSERT_TRUE(waitUntil([this] { return app().terminated(); }));
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")),
              QByteArray("[Dovrane]\nLanguage=eng\nBWDpi=300\nGreyDpi=600\nColourDpi=150\n\n"
                         "[Other]\nBWDpi=1\n"));
}

// Cancel, or closing the window, after changing every control leaves both files as they were.
TEST_F(DvConfExitTest, CancelAndCloseStoreNothing)
{
    for (const bool viaClose : {false, true}) {
        SCOPED_TRACE(viaClose ? "close" : "cancel");
        ResetConfigToolForTests();
        DvcTestHooks::ProgramFolder = program.path() + QLatin1Char('/');
        app().errorReportHook = [this](const QString &message) { errors.append(message); };
        const QByteArray dvLng = fifteenNames() + SizesBefore;
        start(WinIniBefore, dvLng);
        changeEveryControl();
        if (viaClose)
            DvConfForm->close();
        else
            DvConfForm->CancelBitBtn->click();
        EXPECT_TRUE(waitUntil([this] { return app().terminated(); }));
        EXPECT_EQ(readWin(QStringLiteral("Win.Ini")), WinIniBefore);
        EXPECT_EQ(readProgram(QStringLiteral("Dv.Lng")), dvLng);
        EXPECT_TRUE(errors.isEmpty());
    }
}

// A Dv.Lng that cannot be written: the resolutions are stored, the error is reported, the
// dialog stays open, and Exit works once the file can be written again.
TEST_F(DvConfExitTest, ReadOnlyPaperFileStopsExit)
{
    const QByteArray dvLng = fifteenNames() + SizesBefore;
    start(WinIniBefore, dvLng);
    std::optional<ReadOnlyGuard> guard;
    guard.emplace(programPath(QStringLiteral("Dv.Lng")));
    ASSERT_TRUE(guard->ok()) << guard->description().toStdString();
    DvConfForm->GreySpinEdit->setValue(333);
    DvConfForm->ExitBitBtn->click();
    EXPECT_EQ(errors,
              QStringList {QStringLiteral("Unable to write to ") + program.path()
                           + QStringLiteral("/Dv.Lng.")});
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")),
              QByteArray("[Dovrane]\nLanguage=eng\nBWDpi=300\nGreyDpi=333\nColourDpi=150\n\n"
                         "[Other]\nBWDpi=1\n"));
    EXPECT_EQ(readProgram(QStringLiteral("Dv.Lng")), dvLng);
    app().processMessages();
    EXPECT_FALSE(app().terminated());
    EXPECT_TRUE(DvConfForm->isVisible());

    guard.reset();
    DvConfForm->ExitBitBtn->click();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(waitUntil([this] { return app().terminated(); }));
    EXPECT_NE(readProgram(QStringLiteral("Dv.Lng")), dvLng);
}

// The nine writes go in their order: the three resolutions, then DefaultSize, then Size.1 to 5.
TEST_F(DvConfExitTest, WritesGoInTheirOrder)
{
    start("[Dovrane]\nLanguage=eng\n", fifteenNames() + "[eng]\n");
    DvConfForm->ExitBitBtn->click();
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")),
              QByteArray("[Dovrane]\nLanguage=eng\nBWDpi=200\nGreyDpi=150\nColourDpi=100\n"));
    EXPECT_EQ(readProgram(QStringLiteral("Dv.Lng")),
              fifteenNames()
                  + "[eng]\nDefaultSize=4\nSize.1=Legal\nSize.2=Legal\nSize.3=Legal\n"
                    "Size.4=Legal\nSize.5=Legal\n");
}

// A Win.Ini that cannot be written stops Exit at its first write: nothing reaches Dv.Lng.
TEST_F(DvConfExitTest, ReadOnlyWinIniStopsExitBeforeThePaperFile)
{
    const QByteArray dvLng = fifteenNames() + SizesBefore;
    start(WinIniBefore, dvLng);
    ReadOnlyGuard guard(winPath(QStringLiteral("Win.Ini")));
    ASSERT_TRUE(guard.ok()) << guard.description().toStdString();
    DvConfForm->BWSpinEdit->setValue(444);
    DvConfForm->ExitBitBtn->click();
    EXPECT_EQ(errors, QStringList {QStringLiteral("Unable to write to Win.Ini.")});
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")), WinIniBefore);
    EXPECT_EQ(readProgram(QStringLiteral("Dv.Lng")), dvLng);
    app().processMessages();
    EXPECT_FALSE(app().terminated());
}

// The start-up sequence: its failure paths with the deferred end, the resolutions, the texts
// and what it leaves on disk.
#include "fixture.h"

#include "config/Dvc01.h"
#include "config/Dvc02.h"
#include "config/FatalErr.h"
#include "config/Message.h"
#include "config/Program.h"
#include "config/Welcome.h"
#include "platform/radiogroup.h"
#include "platform/spinedit.h"
#include "shared/IniFiles.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <stdexcept>

using namespace testsupport;

namespace {
struct FileSnapshot
{
    QByteArray winIni, halvaneIni, dvLng, dvConfLng, catalogue;
    bool operator==(const FileSnapshot &) const = default;
};
} // namespace

class DvConfStartUpTest : public ConfigTest
{
protected:
    FileSnapshot snapshot() const
    {
        return {readWin(QStringLiteral("Win.Ini")), readWin(QStringLiteral("Halvane.Ini")),
                readProgram(QStringLiteral("Dv.Lng")), readProgram(QStringLiteral("DvConf.Lng")),
                readProgram(QStringLiteral("Halvane.Msg"))};
    }

    // Starts the tool as the program entry does, through its loop, pressing OK on the first
    // modal form that comes up and recording its message; returns that text.
    QString runPressingOkOnFirstMessage()
    {
        auto text = std::make_shared<QString>();
        onNextModal([text](QWidget *modal) {
            if (auto *form = qobject_cast<TMessageForm *>(modal))
                *text = form->MessageLabel->text();
            else if (auto *fatal = qobject_cast<TFatalErrorForm *>(modal))
                *text = QStringLiteral("fatal ") + fatal->FatalErrNo->text();
            clickLater(modal->findChild<QPushButton *>(QStringLiteral("OKButton")));
        });
        startTool();
        // The loop must end by itself; should it not, fail instead of hanging.
        QTimer bound;
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, [this] {
            ADD_FAILURE() << "the tool did not end";
            app().terminate();
        });
        bound.start(10000);
        app().run();
        return *text;
    }
};

// The deferred end: the start-up message is the only form that waits; the Welcome window and
// the dialog's first showing still happen, the program ends, and nothing is written.
struct EndingCase
{
    const char *name;
    QByteArray winIni;
    bool dvLngPresent;
    bool dvLngIsFolder;
    QString expectedFirst; // the one form that waits for the user
    friend void PrintTo(const EndingCase &c, std::ostream *out) { *out << c.name; }
};

class DvConfEndingTest : public DvConfStartUpTest, public ::testing::WithParamInterface<EndingCase>
{
};

TEST_P(DvConfEndingTest, OnlyTheFirstReportWaitsAndTheToolEndsWithoutWriting)
{
    const EndingCase &c = GetParam();
    writeWin(QStringLiteral("Win.Ini"), c.winIni);
    writeWin(QStringLiteral("Halvane.Ini"), OrdinaryHalvaneIni);
    writeProgram(QStringLiteral("Halvane.Msg"), OrdinaryCatalogue);
    writeProgram(QStringLiteral("DvConf.Lng"), "[eng]\nCaption.ExitButton=E&xit\n");
    if (c.dvLngPresent)
        writeProgram(QStringLiteral("Dv.Lng"), OrdinaryDvLng);
    if (c.dvLngIsFolder) {
        ASSERT_TRUE(QDir(program.path()).mkdir(QStringLiteral("Dv.Lng")));
    }
    const FileSnapshot before = snapshot();

    EXPECT_EQ(runPressingOkOnFirstMessage(), c.expectedFirst);

    EXPECT_TRUE(app().terminated());
    ASSERT_NE(DvConfForm, nullptr);
    // The dialog's first showing ran: the lists are filled, and it closed the Welcome window.
    EXPECT_EQ(DvConfForm->ComboBox2->count(), 15);
    ASSERT_NE(WelcomeForm, nullptr);
    EXPECT_FALSE(WelcomeForm->isVisible());
    EXPECT_EQ(app().screenCursor(), platform::ScreenCursor::Default);
    ASSERT_NE(MessageForm, nullptr);
    EXPECT_FALSE(MessageForm->isVisible());
    EXPECT_EQ(before, snapshot());
    EXPECT_TRUE(errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DvConfEndingTest,
    ::testing::Values(
        EndingCase {"NoLanguageKey", "[Dovrane]\nBWDpi=300\n", true, false,
                    QStringLiteral("No language is set.")},
        EndingCase {"NoDvLng", "[Dovrane]\nLanguage=eng\n", false, false,
                    QStringLiteral("The paper file is missing.")},
        EndingCase {"DvLngIsAFolder", "[Dovrane]\nLanguage=eng\n", false, true,
                    QStringLiteral("The paper file is missing.")},
        EndingCase {"NoLanguageAndNoDvLng", "[Other]\nk=v\n", false, false,
                    QStringLiteral("No language is set.")},
        // The empty language names no catalogue section: fatal error 4 instead of message 20.
        EndingCase {"EmptyLanguage", "[Dovrane]\nLanguage=\n", true, false,
                    QStringLiteral("fatal 4")}),
    [](const auto &row) { return std::string(row.param.name); });

// With both faults, the message-16 dialog that follows message 20 opens and closes at once.
TEST_F(DvConfStartUpTest, SecondMessageAfterTheEndRequestIsNeverReadable)
{
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\n");
    writeProgram(QStringLiteral("Halvane.Msg"), OrdinaryCatalogue);
    EXPECT_EQ(runPressingOkOnFirstMessage(), QStringLiteral("No language is set."));
    ASSERT_NE(MessageForm, nullptr);
    // The newest dialog is message 16's; it was made and closed without waiting.
    EXPECT_EQ(MessageForm->MessageLabel->text(), QStringLiteral("The paper file is missing."));
    EXPECT_FALSE(MessageForm->isVisible());
    EXPECT_TRUE(app().terminated());
}

// A name that differs from "Dv.Lng" only in letter case is the paper file, as the reader finds it.
TEST_F(DvConfStartUpTest, PaperFileIsFoundWhateverItsLetterCase)
{
    writeInstallation();
    ASSERT_TRUE(QFile::rename(programPath(QStringLiteral("Dv.Lng")),
                              programPath(QStringLiteral("DV.LNG"))));
    startTool();
    EXPECT_FALSE(app().terminated());
    EXPECT_EQ(MessageForm, nullptr);
}

// The resolutions read at start-up, with their defaults, the integer syntax and the field limits.
struct ResolutionCase
{
    const char *name;
    QByteArray entries;
    int bw, grey, colour; // what the fields show
    friend void PrintTo(const ResolutionCase &c, std::ostream *out) { *out << c.name; }
};

class DvConfResolutionTest : public DvConfStartUpTest,
                             public ::testing::WithParamInterface<ResolutionCase>
{
};

TEST_P(DvConfResolutionTest, FieldsShowTheStoredValuesLimited)
{
    const ResolutionCase &c = GetParam();
    writeInstallation();
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\nLanguage=eng\n" + c.entries);
    startTool();
    EXPECT_EQ(DvConfForm->BWSpinEdit->value(), c.bw);
    EXPECT_EQ(DvConfForm->GreySpinEdit->value(), c.grey);
    EXPECT_EQ(DvConfForm->ColourSpinEdit->value(), c.colour);
    EXPECT_EQ(DvConfForm->BWSpinEdit->text(), QString::number(c.bw));
}

INSTANTIATE_TEST_SUITE_P(
    Values, DvConfResolutionTest,
    ::testing::Values(
        ResolutionCase {"AllAbsent", "", 200, 150, 100},
        ResolutionCase {"Stored", "BWDpi=300\nGreyDpi=250\nColourDpi=120\n", 300, 250, 120},
        ResolutionCase {"NotANumber", "BWDpi=abc\nGreyDpi=12px\nColourDpi=\n", 200, 150, 100},
        ResolutionCase {"BelowRange", "BWDpi=5\n", 10, 150, 100},
        ResolutionCase {"AboveRange", "ColourDpi=1200\n", 200, 150, 600},
        ResolutionCase {"Hexadecimal", "BWDpi=0x20\nGreyDpi=$40\n", 32, 64, 100},
        ResolutionCase {"Negative", "GreyDpi=-7\n", 200, 10, 100}),
    [](const auto &row) { return std::string(row.param.name); });

// A reader that breaks down while reading the resolutions: the four defaults are stored and used.
TEST_F(DvConfStartUpTest, ReaderFailureStoresAndUsesTheDefaults)
{
    writeInstallation();
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\nLanguage=eng\nBWDpi=300\n[Other]\nk=v\n");
    DvcTestHooks::ResolutionReadFault = [] { throw std::bad_alloc(); };
    startTool();
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")),
              QByteArray("[Dovrane]\nLanguage=eng\nBWDpi=200\nGreyDpi=150\nColourDpi=100\n"
                         "Source=Unknown\n[Other]\nk=v\n"));
    EXPECT_EQ(DvConfForm->BWSpinEdit->value(), 200);
    EXPECT_EQ(DvConfForm->GreySpinEdit->value(), 150);
    EXPECT_EQ(DvConfForm->ColourSpinEdit->value(), 100);
    EXPECT_FALSE(app().terminated());
}

// When even the fallback cannot be stored, start-up stops with the write error (the program
// entry reports it and ends) and the file stays as it was.
TEST_F(DvConfStartUpTest, ReaderFailureWithUnwritableWinIniStopsWithTheWriteError)
{
    writeInstallation();
    const QByteArray winIni = readWin(QStringLiteral("Win.Ini"));
    testsupport::ReadOnlyGuard guard(winPath(QStringLiteral("Win.Ini")));
    ASSERT_TRUE(guard.ok()) << guard.description().toStdString();
    DvcTestHooks::ResolutionReadFault = [] { throw std::bad_alloc(); };
    try {
        DvConfStartUp();
        ADD_FAILURE() << "start-up went on";
    } catch (const EIniFileException &e) {
        EXPECT_STREQ(e.what(), "Unable to write to Win.Ini");
    }
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")), winIni);
    EXPECT_EQ(DvConfForm, nullptr);
}

// On the ordinary road, start-up and the first showing write nothing anywhere.
TEST_F(DvConfStartUpTest, OrdinaryStartWritesNothing)
{
    writeInstallation();
    const FileSnapshot before = snapshot();
    startTool();
    showDialog();
    app().processMessages();
    EXPECT_EQ(before, snapshot());
    EXPECT_FALSE(app().terminated());
    EXPECT_EQ(MessageForm, nullptr);
    EXPECT_EQ(app().title(), QStringLiteral("Dovrane Configuration 3.4.2.2c"));
    EXPECT_EQ(app().mainForm(), DvConfForm);
}

namespace {
// Where each of the 24 texts of DvConf.Lng lands.
struct TextTarget
{
    const char *key;
    std::function<QString()> shown;
};

std::vector<TextTarget> textTargets()
{
    auto hintOf = [](auto get) { return [get] { return platform::hint(get()); }; };
    auto F = [] { return DvConfForm; };
    return {
        {"Hint.DvConfForm", hintOf([] { return static_cast<QWidget *>(DvConfForm); })},
        {"Hint.DpiBox", hintOf([F] { return F()->DpiBox; })},
        {"Caption.DpiBox", [F] { return F()->DpiBox->title(); }},
        {"Hint.SizeGroup", hintOf([F] { return F()->SizeGroup; })},
        {"Caption.SizeGroup", [F] { return F()->SizeGroup->title(); }},
        {"Hint.SourceBox", hintOf([F] { return F()->SourceListBox; })},
        {"Caption.SourceBox", [F] { return F()->SourceListBox->title(); }},
        {"Hint.AboutButton", hintOf([F] { return F()->AboutBitBtn; })},
        {"Caption.AboutButton", [F] { return F()->AboutBitBtn->text(); }},
        {"Hint.CancelButton", hintOf([F] { return F()->CancelBitBtn; })},
        {"Caption.CancelButton", [F] { return F()->CancelBitBtn->text(); }},
        {"Hint.ExitButton", hintOf([F] { return F()->ExitBitBtn; })},
        {"Caption.ExitButton", [F] { return F()->ExitBitBtn->text(); }},
        {"Caption.BWLabel", [F] { return F()->BWLabel->caption(); }},
        {"Caption.GreyLabel", [F] { return F()->GreyLabel->caption(); }},
        {"Caption.ColourLabel", [F] { return F()->ColourLabel->caption(); }},
        {"Hint.AboutForm", hintOf([] { return static_cast<QWidget *>(AboutBox); })},
        {"Caption.AboutForm", [] { return AboutBox->windowTitle(); }},
        {"Caption.AboutUserLabel", [] { return AboutBox->AboutUserLabel->caption(); }},
        {"Caption.AboutCompanyLabel", [] { return AboutBox->AboutCompanyLabel->caption(); }},
        {"Caption.AboutVersionLabel", [] { return AboutBox->AboutVersionLabel->caption(); }},
        {"Caption.AboutOKButton", [] { return AboutBox->AboutOKButton->text(); }},
        {"Hint.AboutWarningLabel", hintOf([] { return AboutBox->AboutWarningLabel; })},
        {"Caption.AboutWarningLabel", [] { return AboutBox->AboutWarningLabel->caption(); }},
    };
}

void expectFixedTexts()
{
    EXPECT_EQ(DvConfForm->windowTitle(), QStringLiteral("Dovrane Configuration"));
    EXPECT_EQ(DvConfForm->Button1->text(), QStringLiteral("&Select Source"));
    const QStringList items = {"1", "2", "3", "4", "5"};
    EXPECT_EQ(DvConfForm->SizeGroup->items(), items);
}
} // namespace

// Every text of DvConf.Lng reaches its own control, literally, from the language's section.
TEST_F(DvConfStartUpTest, LanguageTextsReachTheirControls)
{
    writeInstallation();
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\nLanguage=deu\n");
    const auto targets = textTargets();
    QByteArray lng = "[eng]\n";
    for (const auto &t : targets)
        lng += QByteArray(t.key) + "=wrong section\n";
    lng += "[DEU]\n";
    for (const auto &t : targets)
        lng += QByteArray(t.key) + "=<b>" + t.key + "</b> &&\n";
    writeProgram(QStringLiteral("DvConf.Lng"), lng);
    startTool();
    ASSERT_EQ(targets.size(), 24u);
    for (const auto &t : targets)
        EXPECT_EQ(t.shown(),
                  QStringLiteral("<b>") + QLatin1String(t.key) + QStringLiteral("</b> &&"))
            << t.key;
    expectFixedTexts();
}

// Without DvConf.Lng every translated text reads "Problem"; the fixed texts stay.
TEST_F(DvConfStartUpTest, MissingTextFileGivesProblemEverywhere)
{
    writeInstallation();
    QFile::remove(programPath(QStringLiteral("DvConf.Lng")));
    startTool();
    for (const auto &t : textTargets())
        EXPECT_EQ(t.shown(), QStringLiteral("Problem")) << t.key;
    expectFixedTexts();
    EXPECT_FALSE(app().terminated());
}

// The Welcome window shows product, version, user and company, with the hourglass until the
// dialog's first showing closes it.
TEST_F(DvConfStartUpTest, WelcomeWindowAndHourglassLastUntilTheDialogShows)
{
    writeInstallation();
    startTool();
    ASSERT_NE(WelcomeForm, nullptr);
    EXPECT_TRUE(WelcomeForm->isVisible());
    EXPECT_EQ(WelcomeForm->ProductLabel->text(), QStringLiteral("Dovrane Configuration 3.4"));
    EXPECT_EQ(WelcomeForm->UserNameLabel->text(), QStringLiteral("Ann & Bob"));
    EXPECT_EQ(WelcomeForm->windowTitle(), QStringLiteral("Example & Co"));
    EXPECT_EQ(app().screenCursor(), platform::ScreenCursor::HourGlass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    showDialog();
    EXPECT_FALSE(WelcomeForm->isVisible());
    EXPECT_EQ(app().screenCursor(), platform::ScreenCursor::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Without its entries the Welcome window shows the title with its blank, no user, no caption.
TEST_F(DvConfStartUpTest, WelcomeWindowWithoutIdentity)
{
    writeInstallation();
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\nLanguage=eng\n");
    QFile::remove(winPath(QStringLiteral("Halvane.Ini")));
    startTool();
    EXPECT_EQ(WelcomeForm->ProductLabel->text(), QStringLiteral("Dovrane Configuration "));
    EXPECT_EQ(WelcomeForm->UserNameLabel->text(), QString());
    EXPECT_EQ(WelcomeForm->windowTitle(), QString());
}

// A Welcome window that cannot be made reports fatal error 1, and the tool ends.
TEST_F(DvConfStartUpTest, WelcomeFailureIsFatalErrorOne)
{
    writeInstallation();
    DvcTestHooks::WelcomeFault = [] { throw std::runtime_error("no window"); };
    EXPECT_EQ(runPressingOkOnFirstMessage(), QStringLiteral("fatal 1"));
    EXPECT_TRUE(app().terminated());
    EXPECT_EQ(WelcomeForm, nullptr);
    EXPECT_EQ(app().screenCursor(), platform::ScreenCursor::Default);
}

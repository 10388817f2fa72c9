// The message catalogue and its two dialogs: language choice, keys, default texts, fatal error 4
// and the cursor around a message.
#include "fixture.h"

#include "config/FatalErr.h"
#include "config/Message.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace testsupport;

class DvConfMessageTest : public ConfigTest
{
};

namespace {
// A file content that stands for "no such file".
constexpr const char *Absent = "<absent>";

struct CatalogueCase
{
    const char *name;
    QByteArray winIni;
    QByteArray catalogue; // Absent: no file
    int number;
    const char *section;
    // What shows: the message dialog's caption and text, or fatal error 4 when fatal.
    QString caption;
    QString text;
    bool fatal = false;
    friend void PrintTo(const CatalogueCase &c, std::ostream *out) { *out << c.name; }
};

const QByteArray ThreeLanguages = "[eng]\n"
                                  "Caption.MessageForm=English caption\n"
                                  "16=English sixteen\n"
                                  "20=English twenty\n"
                                  "5=English five\n"
                                  "05=padded five\n"
                                  "[deu]\n"
                                  "Caption.MessageForm=Deutsche Meldung\n"
                                  "20=Deutsch zwanzig\n"
                                  "[fra]\n"
                                  "Caption.MessageForm=Message <i>fr</i> & co\n"
                                  "20=Fran\xc3\xa7"
                                  "ais <b>vingt</b> & plus\n"
                                  "[empty]\n"
                                  "Caption.MessageForm=\n"
                                  "20=never shown\n";
} // namespace

class DvConfCatalogueTest : public DvConfMessageTest,
                            public ::testing::WithParamInterface<CatalogueCase>
{
};

// Each row: where the language comes from, which key is read, and when fatal error 4 stands in.
TEST_P(DvConfCatalogueTest, ShowsTheRightTextOrFatalErrorFour)
{
    const CatalogueCase &c = GetParam();
    if (c.winIni != Absent)
        writeWin(QStringLiteral("Win.Ini"), c.winIni);
    if (c.catalogue != Absent)
        writeProgram(QStringLiteral("Halvane.Msg"), c.catalogue);

    struct Seen
    {
        QString caption, text, fatalNumber;
        bool fatalReadOnly = false;
        int modals = 0;
    };
    auto seen = std::make_shared<Seen>();
    onNextModal([seen](QWidget *modal) {
        ++seen->modals;
        if (auto *form = qobject_cast<TMessageForm *>(modal)) {
            seen->caption = form->windowTitle();
            seen->text = form->MessageLabel->text();
            clickLater(form->OKButton);
        } else if (auto *fatal = qobject_cast<TFatalErrorForm *>(modal)) {
            seen->fatalNumber = fatal->FatalErrNo->text();
            seen->fatalReadOnly = fatal->FatalErrNo->isReadOnly();
            clickLater(fatal->OKButton);
        }
    });

    DisplayMessage(c.number, QString::fromLatin1(c.section));

    EXPECT_EQ(seen->modals, 1);
    ASSERT_NE(MessageForm, nullptr);
    EXPECT_FALSE(MessageForm->isVisible());
    if (c.fatal) {
        EXPECT_EQ(seen->fatalNumber, QStringLiteral("4"));
        EXPECT_TRUE(seen->fatalReadOnly);
        EXPECT_TRUE(app().terminated());
        ASSERT_NE(FatalErrorForm, nullptr);
        EXPECT_EQ(FatalErrorForm->windowTitle(), QStringLiteral("Halvane Environment Error"));
    } else {
        EXPECT_EQ(seen->caption, c.caption);
        EXPECT_EQ(seen->text, c.text);
        EXPECT_EQ(FatalErrorForm, nullptr);
        EXPECT_FALSE(app().terminated());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DvConfCatalogueTest,
    ::testing::Values(
        CatalogueCase {"LanguageFromSection", "[Dovrane]\nLanguage=deu\n", ThreeLanguages, 20,
                       "Dovrane", "Deutsche Meldung", "Deutsch zwanzig"},
        CatalogueCase {"NoLanguageKeyMeansEng", "[Dovrane]\nBWDpi=1\n", ThreeLanguages, 16,
                       "Dovrane", "English caption", "English sixteen"},
        CatalogueCase {"NoWinIniMeansEng", Absent, ThreeLanguages, 20, "Dovrane", "English caption",
                       "English twenty"},
        CatalogueCase {"MissingNumberGivesDefaultText", "[Dovrane]\nLanguage=deu\n", ThreeLanguages,
                       16, "Dovrane", "Deutsche Meldung", "deu-16"},
        CatalogueCase {"OneDigitKey", "[Dovrane]\nLanguage=eng\n", ThreeLanguages, 5, "Dovrane",
                       "English caption", "English five"},
        CatalogueCase {"TextsShownLiterally", "[Dovrane]\nLanguage=fra\n", ThreeLanguages, 20,
                       "Dovrane", "Message <i>fr</i> & co",
                       QString::fromUtf8("Fran\xc3\xa7"
                                         "ais <b>vingt</b> & plus")},
        CatalogueCase {"SectionOfLanguageInOtherCase", "[Dovrane]\nLanguage=DEU\n", ThreeLanguages,
                       20, "Dovrane", "Deutsche Meldung", "Deutsch zwanzig"},
        CatalogueCase {"SetupMeansIntl", "[Setup]\nLanguage=deu\n[intl]\nsLanguage=fra\n",
                       ThreeLanguages, 16, "Setup", "Message <i>fr</i> & co", "fra-16"},
        CatalogueCase {"SetupWithoutIntlMeansEng", "[Setup]\nLanguage=deu\n", ThreeLanguages, 20,
                       "Setup", "English caption", "English twenty"},
        CatalogueCase {"OtherCaseOfSetupIsASection",
                       "[setup]\nLanguage=deu\n[intl]\nsLanguage=fra\n", ThreeLanguages, 20,
                       "setup", "Deutsche Meldung", "Deutsch zwanzig"},
        CatalogueCase {"Absent", "[Dovrane]\nLanguage=eng\n", Absent, 20, "Dovrane", "", "", true},
        CatalogueCase {"NoSectionForLanguage", "[Dovrane]\nLanguage=ita\n", ThreeLanguages, 20,
                       "Dovrane", "", "", true},
        CatalogueCase {"EmptyLanguage", "[Dovrane]\nLanguage=\n", ThreeLanguages, 20, "Dovrane", "",
                       "", true},
        CatalogueCase {"EmptyCaption", "[Dovrane]\nLanguage=empty\n", ThreeLanguages, 20, "Dovrane",
                       "", "", true},
        CatalogueCase {"NoCaptionKey", "[Dovrane]\nLanguage=eng\n", "[eng]\n20=text\n", 20,
                       "Dovrane", "", "", true}),
    [](const auto &row) { return std::string(row.param.name); });

// A message text longer than the reader's limit is cut to its first 1023 characters.
TEST_F(DvConfMessageTest, LongTextIsCut)
{
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\nLanguage=eng\n");
    writeProgram(QStringLiteral("Halvane.Msg"),
                 "[eng]\nCaption.MessageForm=C\n20=" + QByteArray(1500, 'x') + "\n");
    auto text = std::make_shared<QString>();
    onNextModal([text](QWidget *modal) {
        *text = static_cast<TMessageForm *>(modal)->MessageLabel->text();
        clickLater(static_cast<TMessageForm *>(modal)->OKButton);
    });
    DisplayMessage(20, QStringLiteral("Dovrane"));
    EXPECT_EQ(*text, QString(1023, QLatin1Char('x')));
}

// The arrow shows while a message waits, and the cursor from before comes back after OK.
TEST_F(DvConfMessageTest, CursorIsTheArrowDuringTheMessageAndRestoredAfter)
{
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\nLanguage=eng\n");
    writeProgram(QStringLiteral("Halvane.Msg"), OrdinaryCatalogue);
    for (const auto before : {platform::ScreenCursor::HourGlass, platform::ScreenCursor::Default}) {
        app().setScreenCursor(before);
        auto during = std::make_shared<platform::ScreenCursor>(before);
        auto overridden = std::make_shared<bool>(true);
        onNextModal([during, overridden, this](QWidget *modal) {
            *during = app().screenCursor();
            *overridden = QApplication::overrideCursor() != nullptr;
            clickLater(static_cast<TMessageForm *>(modal)->OKButton);
        });
        DisplayMessage(16, QStringLiteral("Dovrane"));
        EXPECT_EQ(*during, platform::ScreenCursor::Default);
        EXPECT_FALSE(*overridden);
        EXPECT_EQ(app().screenCursor(), before);
    }
}

// Enter presses OK on the message dialog wherever the focus is.
TEST_F(DvConfMessageTest, EnterPressesOk)
{
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\nLanguage=eng\n");
    writeProgram(QStringLiteral("Halvane.Msg"), OrdinaryCatalogue);
    onNextModal([](QWidget *modal) {
        QTimer::singleShot(0, modal, [modal] {
            modal->activateWindow();
            QTest::keyClick(modal, Qt::Key_Return);
        });
    });
    DisplayMessage(20, QStringLiteral("Dovrane"));
    EXPECT_FALSE(MessageForm->isVisible());
}

// Each message makes a new dialog; the newest is MessageForm, the old ones stay hidden.
TEST_F(DvConfMessageTest, EachMessageMakesANewDialog)
{
    writeWin(QStringLiteral("Win.Ini"), "[Dovrane]\nLanguage=eng\n");
    writeProgram(QStringLiteral("Halvane.Msg"), OrdinaryCatalogue);
    TMessageForm *first = nullptr;
    for (int i = 0; i < 2; ++i) {
        onNextModal(
            [](QWidget *modal) { clickLater(static_cast<TMessageForm *>(modal)->OKButton); });
        DisplayMessage(20, QStringLiteral("Dovrane"));
        if (i == 0)
            first = MessageForm;
    }
    EXPECT_NE(MessageForm, first);
    EXPECT_FALSE(first->isVisible());
}

// The fatal-error dialog: fixed texts and place, OK first in line, arrow cursor, OK ends.
TEST_F(DvConfMessageTest, FatalErrorDialog)
{
    app().setScreenCursor(platform::ScreenCursor::HourGlass);
    struct Seen
    {
        QString number;
        QWidget *focus = nullptr;
        QPoint place;
        platform::ScreenCursor cursor = platform::ScreenCursor::HourGlass;
    };
    auto seen = std::make_shared<Seen>();
    onNextModal([seen, this](QWidget *modal) {
        auto *form = static_cast<TFatalErrorForm *>(modal);
        seen->number = form->FatalErrNo->text();
        seen->focus = form->focusWidget();
        seen->place = form->pos();
        seen->cursor = app().screenCursor();
        clickLater(form->OKButton);
    });
    ShowFatalError(-12);
    EXPECT_EQ(seen->number, QStringLiteral("-12"));
    EXPECT_EQ(seen->focus, FatalErrorForm->OKButton);
    EXPECT_EQ(seen->place, QPoint(200, 108));
    EXPECT_EQ(seen->cursor, platform::ScreenCursor::Default);
    EXPECT_EQ(FatalErrorForm->TerminateLabel->caption(),
              QStringLiteral("This Program will Terminate, press OK"));
    EXPECT_EQ(FatalErrorForm->FatalErrLabel->caption(), QStringLiteral("Fatal Error number: "));
    EXPECT_TRUE(app().terminated());
    // The cursor is not put back.
    EXPECT_EQ(app().screenCursor(), platform::ScreenCursor::Default);
}

// Closing the fatal-error dialog through its frame ends the program as OK does.
TEST_F(DvConfMessageTest, ClosingTheFatalErrorDialogEndsToo)
{
    onNextModal([](QWidget *modal) { QTimer::singleShot(0, modal, [modal] { modal->close(); }); });
    ShowFatalError(1);
    EXPECT_FALSE(FatalErrorForm->isVisible());
    EXPECT_TRUE(waitUntil([this] { return app().terminated(); }));
}

// Start-up: the settings it reads with their defaults, the language texts, the identity, the
// windows it makes and the splash timer.
#include "launcher_fixture.h"

#include "Qx01.h"
#include "Qx02.h"
#include "Qx03.h"
#include "Qx04.h"
#include "Qx05.h"

#include "platform/application.h"
#include "support/paths.h"

#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <optional>

// Each row: Win.Ini as found, and the state and bar start-up makes of it.
TEST_F(LauncherTest, StartupReadsSettingsWithDefaults)
{
    struct Case
    {
        const char *Name;
        std::optional<QByteArray> WinIni;
        QString Language, Axis;
        QPoint At;
        bool CopierShown;
    };
    const Case Cases[] = {
        {"no Win.Ini", std::nullopt, "eng", "H", {25, 0}, false},
        {"no Quixbar section", "[Other]\nRow=9\n", "eng", "H", {25, 0}, false},
        {"all given",
         "[Quixbar]\nLanguage=deu\nAxis=V\nRow=120\nCol=300\n",
         "deu",
         "V",
         {300, 120},
         false},
        {"empty language stays empty", "[Quixbar]\nLanguage=\n", "", "H", {25, 0}, false},
        {"Col 0x10", "[Quixbar]\nCol=0x10\n", "eng", "H", {16, 0}, false},
        {"Col $10", "[Quixbar]\nCol=$10\n", "eng", "H", {16, 0}, false},
        {"Col -$10 is not a number", "[Quixbar]\nCol=-$10\n", "eng", "H", {25, 0}, false},
        {"Col 12px is not a number", "[Quixbar]\nCol=12px\n", "eng", "H", {25, 0}, false},
        {"negative Row", "[Quixbar]\nRow=-5\n", "eng", "H", {25, -5}, false},
        {"empty Available Functions: not installed",
         "[Dovrane]\nAvailable Functions=\n",
         "eng",
         "H",
         {25, 0},
         false},
        {"Available Functions 0: installed",
         "[Dovrane]\nAvailable Functions=0\n",
         "eng",
         "H",
         {25, 0},
         true},
        {"Available Functions -1: installed",
         "[Dovrane]\nAvailable Functions=-1\n",
         "eng",
         "H",
         {25, 0},
         true},
        {"Available Functions 9999: not installed",
         "[Dovrane]\nAvailable Functions=9999\n",
         "eng",
         "H",
         {25, 0},
         false},
        {"Available Functions in hex 0x270F is 9999",
         "[Dovrane]\nAvailable Functions=0x270F\n",
         "eng",
         "H",
         {25, 0},
         false},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        if (C.WinIni)
            WriteWinIni(*C.WinIni);
        StartHidden();
        EXPECT_EQ(LanguageName, C.Language);
        EXPECT_EQ(BarAxis, C.Axis);
        EXPECT_EQ(QuixbarForm->pos(), C.At);
        EXPECT_EQ(!QuixbarForm->DVButton->isHidden(), C.CopierShown);
        EXPECT_EQ(!QuixbarForm->ConfigButton->isHidden(), C.CopierShown);
        EXPECT_FALSE(QuixbarForm->isVisible()); // nothing shows before the message loop
        NextCase();
    }
}

// The install folders come as stored, or as the fixed defaults when missing.
TEST_F(LauncherTest, StartupReadsInstallPaths)
{
    WriteWinIni("[Quillex]\nInstall Path=C:\\Apps\\Qx\n[Tazlo]\nInstall Path=\n");
    StartHidden();
    EXPECT_EQ(CopierPath, QStringLiteral("\\Program files\\Halvane\\Dv"));
    EXPECT_EQ(OCRPath, QStringLiteral("C:\\Apps\\Qx"));
    EXPECT_EQ(CabinetPath, QStringLiteral("\\Program files\\Halvane\\Kv"));
    EXPECT_EQ(PhonePath, QString());
}

namespace {

// The thirteen texts start-up takes from the language file, in its order.
QStringList LanguageTargets()
{
    return {platform::hint(QuixbarForm->QBarBtn),
            platform::hint(QuixbarForm->AboutButton),
            platform::hint(QuixbarForm->HelpButton),
            platform::hint(QuixbarForm->ExitButton),
            platform::hint(AboutBox),
            AboutBox->windowTitle(),
            AboutBox->AboutUserLabel->caption(),
            AboutBox->AboutCompanyLabel->caption(),
            AboutBox->AboutVersionNoLabel->caption(),
            AboutBox->AboutOKButton->text(),
            platform::hint(AboutBox->AboutWarningLabel),
            AboutBox->AboutWarningLabel->caption(),
            CreditsForm->OKButton->text()};
}

const QByteArray FullSection = "Hint.MoveButton=Drag me\n"
                               "Hint.AboutButton=About it\n"
                               "Hint.HelpButton=Help me\n"
                               "Hint.ExitButton=Leave\n"
                               "Hint.AboutForm=Press OK\n"
                               "Caption.AboutForm=About & more\n"
                               "Caption.AboutUserLabel=&User\n"
                               "Caption.AboutCompanyLabel=Firm\n"
                               "Caption.AboutVersionLabel=Release\n"
                               "Caption.AboutOKButton=&Done\n"
                               "Hint.AboutWarningLabel=Read this\n"
                               "Caption.AboutWarningLabel=Protected by law.\n"
                               "Hint.DVButton=Not used\n"
                               "Caption.CreditsForm=Not used\n"
                               "Caption.OKButton=Not used\n";

const QStringList FullTexts
    = {"Drag me", "About it", "Help me", "Leave",     "Press OK",          "About & more", "&User",
       "Firm",    "Release",  "&Done",   "Read this", "Protected by law.", "&Done"};

QStringList Fallbacks()
{
    QStringList Texts(13, QStringLiteral("Problem"));
    Texts[0] = QStringLiteral("Move Quixbar Tool Bar");
    return Texts;
}

} // namespace

// Each row: a language file (or none) and the language code; the thirteen texts that result.
TEST_F(LauncherTest, LanguageTexts)
{
    QStringList WithoutHelp = FullTexts;
    WithoutHelp[2] = QStringLiteral("Problem");
    QStringList Markup = FullTexts;
    Markup[1] = QStringLiteral("<b>About</b> &amp; it");
    Markup[6] = QStringLiteral("<i>&User</i>");
    Markup[9] = Markup[12] = QStringLiteral("<u>&OK</u>");
    Markup[5] = QStringLiteral("<b>About</b> & more");
    struct Case
    {
        const char *Name;
        std::optional<QByteArray> File;
        QByteArray Language; // empty: no Language entry
        QStringList Texts;
    };
    const Case Cases[] = {
        {"no Qx.Lng", std::nullopt, "", Fallbacks()},
        {"the eng section by default", "[eng]\n" + FullSection, "", FullTexts},
        {"a capitalised ENG section serves eng", "[ENG]\n" + FullSection, "", FullTexts},
        {"the section of the language code", "[eng]\nHint.HelpButton=x\n[fra]\n" + FullSection,
         "fra", FullTexts},
        {"no section for the language code", "[eng]\n" + FullSection, "deu", Fallbacks()},
        {"a missing key takes its fallback, the rest apply",
         "[eng]\n" + QByteArray(FullSection).replace("Hint.HelpButton=Help me\n", ""), "",
         WithoutHelp},
        {"markup is text",
         "[eng]\n"
             + QByteArray(FullSection)
                   .replace("About it", "<b>About</b> &amp; it")
                   .replace("=&User", "=<i>&User</i>")
                   .replace("&Done", "<u>&OK</u>")
                   .replace("About & more", "<b>About</b> & more"),
         "", Markup},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        if (C.File)
            WriteLanguageFile(*C.File);
        if (!C.Language.isEmpty())
            WriteWinIni("[Quixbar]\nLanguage=" + C.Language + "\n");
        StartHidden();
        EXPECT_EQ(LanguageTargets(), C.Texts);
        // Texts the language file never sets.
        EXPECT_EQ(platform::hint(QuixbarForm->DVButton), QStringLiteral("Halvane Dovrane"));
        EXPECT_EQ(CreditsForm->windowTitle(), QStringLiteral("Thanks to:"));
        EXPECT_EQ(platform::hint(PositionForm->QBarBtn), QString());
        NextCase();
    }
}

// What a text with markup looks like where it is shown: tooltips escape it, labels draw it as
// plain text, window titles keep it.
TEST_F(LauncherTest, MarkupInTextsShowsLiterally)
{
    WriteLanguageFile("[eng]\nHint.AboutButton=<b>bold</b>\nCaption.AboutUserLabel=<i>&User</i>\n"
                      "Caption.AboutForm=<b>Title</b> & more\n");
    StartHidden();
    EXPECT_EQ(QuixbarForm->AboutButton->toolTip(),
              Qt::convertFromPlainText(QStringLiteral("<b>bold</b>"), Qt::WhiteSpaceNormal));
    EXPECT_TRUE(QuixbarForm->AboutButton->toolTip().contains(QStringLiteral("&lt;b&gt;")));
    EXPECT_EQ(AboutBox->AboutUserLabel->textFormat(), Qt::PlainText);
    EXPECT_EQ(AboutBox->AboutUserLabel->text(), QStringLiteral("<i>User</i>"));
    EXPECT_EQ(AboutBox->windowTitle(), QStringLiteral("<b>Title</b> & more"));
}

// The bar's, the splash's and the ghost's window kinds, sizes and fixed settings.
TEST_F(LauncherTest, FormsAsCreated)
{
    WriteWinIni(ProductSections(true, true, true, true));
    StartHidden();
    auto *App = platform::Application::instance();
    EXPECT_EQ(App->mainForm(), QBarForm);

    const Qt::WindowFlags Bar = QuixbarForm->windowFlags();
    EXPECT_TRUE(Bar.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(Bar.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(QuixbarForm->windowType(), Qt::Window); // the one task bar entry
    EXPECT_TRUE(QuixbarForm->testAttribute(Qt::WA_AlwaysShowToolTips));
    EXPECT_EQ(platform::hint(QuixbarForm), QStringLiteral("Halvane Quixbar"));
    EXPECT_EQ(QuixbarForm->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(QuixbarForm->font().pixelSize(), 11);

    EXPECT_EQ(QBarForm->windowType(), Qt::SplashScreen);
    EXPECT_TRUE(QBarForm->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(QBarForm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(QBarForm->size(), QSize(249, 298));
    EXPECT_EQ(QBarForm->windowTitle(), QStringLiteral("Halvane Quixbar"));
    const QRect Area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(QBarForm->pos(),
              QPoint(Area.x() + (Area.width() - 249) / 2, Area.y() + (Area.height() - 298) / 2));
    EXPECT_EQ(QBarForm->Image1->geometry(), QRect(8, 104, 233, 185));
    EXPECT_EQ(QBarForm->Image2->geometry(), QRect(14, 16, 233, 97));

    EXPECT_EQ(PositionForm->windowType(), Qt::Tool); // no task bar entry
    const Qt::WindowFlags Ghost = PositionForm->windowFlags();
    EXPECT_TRUE(Ghost.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(Ghost.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(Ghost.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(Ghost.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(PositionForm->QBarBtn->isEnabled());
    for (const char *Name : {"DVButton", "ConfigButton", "OCRButton", "CabinetButton",
                             "PhoneButton", "HelpButton", "AboutButton", "ExitButton"}) {
        EXPECT_FALSE(Button(PositionForm, Name)->isEnabled()) << Name;
        EXPECT_TRUE(Button(QuixbarForm, Name)->isEnabled()) << Name;
        EXPECT_EQ(Button(PositionForm, Name)->numGlyphs(), Button(QuixbarForm, Name)->numGlyphs());
    }
    EXPECT_EQ(QuixbarForm->ExitButton->numGlyphs(), 2);

    EXPECT_EQ(AboutBox->size(), QSize(441, 259));
    // The boxes are centred on the screen, black text on the work space's colour.
    for (QWidget *Box : {static_cast<QWidget *>(AboutBox), static_cast<QWidget *>(CreditsForm)}) {
        EXPECT_EQ(Box->pos(),
                  QPoint(Area.x() + (Area.width() - Box->width()) / 2,
                         Area.y() + (Area.height() - Box->height()) / 2))
            << Box->objectName().toStdString();
        EXPECT_EQ(Box->palette().color(QPalette::WindowText), QColor(Qt::black));
    }
    EXPECT_EQ(AboutBox->AboutUserField->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(AboutBox->AboutOKButton->geometry(), QRect(314, 34, 97, 25));
    EXPECT_EQ(AboutBox->AuthorButton->text(), QStringLiteral("&Credits"));
    EXPECT_EQ(CreditsForm->size(), QSize(401, 209));
    EXPECT_TRUE(CreditsForm->ThanksMemo->isReadOnly());
    const QStringList Thanks = CreditsForm->ThanksMemo->toPlainText().split('\n');
    ASSERT_EQ(Thanks.size(), 15);
    EXPECT_EQ(Thanks[0], QStringLiteral("Many thanks to:"));
    EXPECT_EQ(Thanks[1], QString());
    for (int I = 2; I < 11; ++I)
        EXPECT_TRUE(Thanks[I].endsWith(',')) << I;
    EXPECT_FALSE(Thanks[11].endsWith(','));
    EXPECT_EQ(Thanks[12],
              QStringLiteral("And all the others who have contributed to this product."));
    EXPECT_EQ(Thanks[13], QString());
}

// The splash timer: 6000 ms from the bar's creation, one firing that hides the splash and
// leaves the bar.
TEST_F(LauncherTest, SplashTimer)
{
    Start();
    QTimer *Timer = QuixbarForm->Timer1;
    EXPECT_EQ(Timer->interval(), 6000);
    EXPECT_TRUE(Timer->isActive()); // running since the bar was created
    EXPECT_TRUE(QBarForm->isVisible());
    EXPECT_TRUE(QuixbarForm->isVisible());
    QMetaObject::invokeMethod(Timer, "timeout");
    EXPECT_FALSE(Timer->isActive());
    EXPECT_FALSE(QBarForm->isVisible());
    EXPECT_TRUE(QuixbarForm->isVisible());
    EXPECT_EQ(platform::Application::instance()->mainForm(), QBarForm); // hidden, not gone
    EXPECT_FALSE(platform::Application::instance()->terminated());
}

// The program entry: the splash and the bar come up together, under the program's title, with
// the bare help file name; Exit ends the message loop.
TEST_F(LauncherTest, ProgramEntry)
{
    WriteWinIni("[Quixbar]\nRow=40\nCol=70\n");
    auto *App = platform::Application::instance();
    bool BothShown = false;
    QString Title, BarTitle, HelpFile;
    QTimer::singleShot(20000, App, [&] { App->terminate(); }); // bound on the run
    QTimer::singleShot(0, App, [&] {
        BothShown = QBarForm->isVisible() && QuixbarForm->isVisible();
        Title = App->title();
        BarTitle = QuixbarForm->windowTitle();
        HelpFile = App->helpFile();
        Click(QuixbarForm->ExitButton);
    });
    RunLauncher();
    EXPECT_TRUE(BothShown);
    EXPECT_EQ(Title, QStringLiteral("Quixbar 2.0.1.1"));
    EXPECT_EQ(BarTitle, QStringLiteral("Quixbar 2.0.1.1"));
    EXPECT_EQ(HelpFile, QStringLiteral("Qx.Hlp"));
    EXPECT_TRUE(App->terminated());
    EXPECT_EQ(ReadFile(WinIniPath()), "[Quixbar]\nRow=40\nCol=70\nAxis=H\n");
}

// Every picture shows at its fixed logical size, on the bar and on its ghost alike.
TEST_F(LauncherTest, PicturesHaveTheirSizes)
{
    StartHidden();
    const struct
    {
        const char *Button;
        QSize Glyph;
    } Glyphs[] = {{"QBarBtn", {23, 17}},    {"DVButton", {20, 16}},      {"ConfigButton", {20, 16}},
                  {"OCRButton", {20, 16}},  {"CabinetButton", {16, 16}}, {"PhoneButton", {16, 16}},
                  {"HelpButton", {20, 16}}, {"AboutButton", {20, 16}},   {"ExitButton", {32, 16}}};
    for (QWidget *Form :
         {static_cast<QWidget *>(QuixbarForm), static_cast<QWidget *>(PositionForm)}) {
        for (const auto &G : Glyphs) {
            SCOPED_TRACE(Form->objectName().toStdString() + " " + G.Button);
            const platform::SpeedButton *B = Button(Form, G.Button);
            ASSERT_FALSE(B->glyph().isNull());
            EXPECT_EQ(B->glyph().deviceIndependentSize().toSize(), G.Glyph);
        }
    }
    // Exit's glyph holds its normal and its disabled image side by side.
    EXPECT_EQ(QuixbarForm->ExitButton->currentImage().deviceIndependentSize().toSize(),
              QSize(16, 16));
    EXPECT_EQ(QBarForm->Image1->pixmap().deviceIndependentSize().toSize(), QSize(213, 180));
    EXPECT_EQ(QBarForm->Image2->pixmap().deviceIndependentSize().toSize(), QSize(224, 90));
    EXPECT_EQ(AboutBox->Image1->pixmap().deviceIndependentSize().toSize(), QSize(140, 81));
    EXPECT_EQ(CreditsForm->Image1->pixmap().deviceIndependentSize().toSize(), QSize(126, 51));
    EXPECT_FALSE(QuixbarForm->windowIcon().isNull());
}

// The language file the suite ships gives every text in each of its languages.
TEST_F(LauncherTest, ShippedLanguageFileHasEveryText)
{
    for (const char *Language : {"eng", "deu", "fra"}) {
        SCOPED_TRACE(Language);
        WriteWinIni("[Quixbar]\nLanguage=" + QByteArray(Language) + "\n");
        ProgramFolder = [] { return testsupport::launcherDir() + '/'; };
        StartHidden();
        const QStringList Texts = LanguageTargets();
        EXPECT_FALSE(Texts.contains(QStringLiteral("Problem"))) << Texts.join('|').toStdString();
        EXPECT_NE(Texts[0], QStringLiteral("Move Quixbar Tool Bar"));
        NextCase();
    }
}

// The bar as its class makes it, before start-up gives it settings and texts: every button's
// hint and visibility, and the design position and size.
TEST_F(LauncherTest, BarAsDesigned)
{
    TQuixbarForm Bar;
    const struct
    {
        const char *Name;
        const char *Hint;
        bool Visible;
    } Buttons[] = {
        {"DVButton", "Halvane Dovrane", false},
        {"ExitButton", "Exit Quixbar", true},
        {"HelpButton", "Quixbar Help", true},
        {"AboutButton", "About Quixbar", true},
        {"PhoneButton", "Halvane Tazlo", false},
        {"OCRButton", "Halvane Quillex", false},
        {"CabinetButton", "Halvane Kavarn", false},
        {"ConfigButton", "Halvane Dovrane Configuration", false},
        {"QBarBtn", "Move Quixbar Tool bar", true},
    };
    for (const auto &B : Buttons) {
        SCOPED_TRACE(B.Name);
        platform::SpeedButton *Found = Button(&Bar, B.Name);
        ASSERT_NE(Found, nullptr);
        EXPECT_EQ(platform::hint(Found), QString::fromLatin1(B.Hint));
        EXPECT_EQ(!Found->isHidden(), B.Visible);
        EXPECT_EQ(Found->size(), QSize(29, 21));
        EXPECT_TRUE(Found->text().isEmpty());
    }
    EXPECT_EQ(Bar.pos(), QPoint(10, 11));
    EXPECT_EQ(Bar.size(), QSize(262, 22));
    EXPECT_FALSE(Bar.isVisible());
    EXPECT_TRUE(Bar.Timer1->isActive());
    EXPECT_EQ(Bar.findChildren<platform::SpeedButton *>().size(), 9);
}

// The About and Credits boxes' controls where they belong, before any language text.
TEST_F(LauncherTest, BoxesAsDesigned)
{
    TAboutBox About;
    TCreditsForm Credits;
    EXPECT_EQ(About.windowTitle(), QStringLiteral("Quixbar - About"));
    EXPECT_EQ(platform::hint(&About), QStringLiteral("Select OK to return"));
    EXPECT_EQ(About.font().bold(), true);
    EXPECT_EQ(About.AboutUserLabel->font().bold(), false);
    EXPECT_EQ(About.AboutUserField->font().bold(), true);
    const struct
    {
        QWidget *Control;
        QWidget *Parent;
        QPoint At;
        QSize Size; // not fixed (invalid) for labels, which fit their text
    } Controls[] = {
        {About.AboutPanel, &About, {8, 8}, {425, 243}},
        {About.Image1, About.AboutPanel, {8, 8}, {140, 81}},
        {About.Panel1, About.AboutPanel, {296, 15}, {113, 73}},
        {About.AboutOKButton, &About, {314, 34}, {97, 25}},
        {About.AuthorButton, &About, {314, 66}, {97, 25}},
        {About.AboutUserLabel, About.AboutPanel, {8, 96}, {}},
        {About.AboutUserField, About.AboutPanel, {128, 96}, {}},
        {About.AboutCompanyLabel, About.AboutPanel, {8, 112}, {}},
        {About.AboutCompanyField, About.AboutPanel, {128, 112}, {}},
        {About.AboutVersionNoLabel, About.AboutPanel, {8, 128}, {}},
        {About.AboutVersionField, About.AboutPanel, {128, 128}, {}},
        {About.AboutGroupBox, About.AboutPanel, {8, 160}, {409, 73}},
        {Credits.Panel1, &Credits, {6, 8}, {387, 193}},
        {Credits.Image1, Credits.Panel1, {8, 8}, {129, 57}},
        {Credits.ThanksMemo, Credits.Panel1, {8, 64}, {369, 121}},
        {Credits.OKPanel, Credits.Panel1, {240, 8}, {137, 49}},
        {Credits.OKButton, Credits.OKPanel, {10, 10}, {113, 25}},
    };
    for (const auto &C : Controls) {
        SCOPED_TRACE(C.Control->objectName().toStdString());
        EXPECT_EQ(C.Control->parentWidget(), C.Parent);
        EXPECT_EQ(C.Control->pos(), C.At);
        if (C.Size.isValid()) {
            EXPECT_EQ(C.Control->size(), C.Size);
        }
    }
    // The notice fills its group box, inside the frame.
    EXPECT_EQ(About.AboutWarningLabel->parentWidget(), About.AboutGroupBox);
    EXPECT_TRUE(About.AboutGroupBox->contentsRect().contains(About.AboutWarningLabel->geometry()));
    EXPECT_TRUE(About.AboutWarningLabel->wordWrap());
    EXPECT_EQ(About.AboutUserLabel->caption(), QStringLiteral("User"));
    EXPECT_EQ(About.AboutOKButton->text(), QStringLiteral("&OK"));
    EXPECT_EQ(Credits.OKButton->text(), QStringLiteral("&OK"));
    EXPECT_EQ(Credits.windowTitle(), QStringLiteral("Thanks to:"));
}

// What the bar's buttons and the About and Credits boxes do.
#include "launcher_fixture.h"

#include "Qx01.h"
#include "Qx02.h"
#include "Qx03.h"
#include "Qx04.h"

#include "platform/application.h"
#include "platform/shell.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

// Each product button asks the shell for its own program, by bare name, in its product's
// folder exactly as stored; each click is one more request.
TEST_F(LauncherTest, ProductButtonsLaunchTheirPrograms)
{
    WriteWinIni("[Dovrane]\nAvailable Functions=0\nInstall Path=D:\\Suite\\Dv\n"
                "[Quillex]\nAvailable Functions=0\nInstall Path=/opt/halvane/Qx/\n"
                "[Kavarn]\nAvailable Functions=0\nInstall Path=Kv\n"
                "[Tazlo]\nAvailable Functions=0\n");
    StartHidden();
    const struct
    {
        const char *Button;
        const char *File;
        const char *Directory;
    } Cases[] = {
        {"DVButton", "Dv32.Exe", "D:\\Suite\\Dv"},
        {"ConfigButton", "DvConf32.Exe", "D:\\Suite\\Dv"},
        {"OCRButton", "Qx32.Exe", "/opt/halvane/Qx/"},
        {"CabinetButton", "Kv32.Exe", "Kv"},
        {"PhoneButton", "Tz32.Exe", "\\Program files\\Halvane\\Tz"},
    };
    for (const auto &C : Cases) {
        SCOPED_TRACE(C.Button);
        Launches.clear();
        Click(Button(QuixbarForm, C.Button));
        Click(Button(QuixbarForm, C.Button));
        const std::pair<QString, QString> Want(QString::fromLatin1(C.File),
                                               QString::fromLatin1(C.Directory));
        EXPECT_EQ(Launches, (std::vector<std::pair<QString, QString>> {Want, Want}));
    }
    EXPECT_FALSE(platform::Application::instance()->terminated());
}

// Help sets the full path of QX.HLP beside the program, for good, and asks for its contents.
TEST_F(LauncherTest, HelpOpensTheHelpFileContents)
{
    StartHidden();
    auto *App = platform::Application::instance();
    App->setHelpFile(QStringLiteral("Qx.Hlp"));
    Click(QuixbarForm->HelpButton);
    Click(QuixbarForm->HelpButton);
    const std::pair<QString, int> Want(ProgramFolderPath() + "QX.HLP",
                                       platform::Application::HelpContents);
    EXPECT_EQ(HelpRequests, (std::vector<std::pair<QString, int>> {Want, Want}));
    EXPECT_EQ(App->helpFile(), ProgramFolderPath() + "QX.HLP");
    EXPECT_EQ(platform::Application::HelpContents, 3);
}

namespace {

// Runs Step from the event loop once it is idle: inside the modal loop that opens next.
void WhenIdle(std::function<void()> Step)
{
    QTimer::singleShot(0, qApp, std::move(Step));
}

} // namespace

// About shows the identity read at start-up; Credits opens over it, and its OK returns to the
// About box with the focus on its OK button; that OK closes the About box.
TEST_F(LauncherTest, AboutAndCreditsRoundTrip)
{
    WriteHalvaneIni("[Quixbar]\nUser Name=Ann Lee\nVersion No=2.0.1\n"
                    "[Organisation]\nCompany Name=Acme & Co\n");
    Start();
    // A change after start-up does not reach the box.
    WriteHalvaneIni("[Quixbar]\nUser Name=Someone Else\n");
    bool AboutUp = false, CreditsUp = false, AboutStillUp = false, OKFocused = false;
    QString User, Company, Version;
    QTimer Bound;
    Bound.setSingleShot(true);
    QObject::connect(&Bound, &QTimer::timeout, [] {
        AboutBox->hide();
        CreditsForm->hide();
    });
    Bound.start(20000);
    WhenIdle([&] {
        AboutUp = AboutBox->isVisible();
        User = AboutBox->AboutUserField->text();
        Company = AboutBox->AboutCompanyField->text();
        Version = AboutBox->AboutVersionField->text();
        WhenIdle([&] {
            CreditsUp = CreditsForm->isVisible();
            WhenIdle([&] {
                AboutStillUp = AboutBox->isVisible() && !CreditsForm->isVisible();
                OKFocused = AboutBox->focusWidget() == AboutBox->AboutOKButton;
                Click(AboutBox->AboutOKButton);
            });
            Click(CreditsForm->OKButton);
        });
        AboutBox->AuthorButton->setFocus(); // as pressing it with the mouse does
        Click(AboutBox->AuthorButton);
    });
    Click(QuixbarForm->AboutButton); // returns when the About box closes
    Bound.stop();
    EXPECT_TRUE(AboutUp);
    EXPECT_TRUE(CreditsUp);
    EXPECT_TRUE(AboutStillUp);
    EXPECT_TRUE(OKFocused);
    EXPECT_FALSE(AboutBox->isVisible());
    EXPECT_EQ(User, QStringLiteral("Ann Lee"));
    EXPECT_EQ(Company, QStringLiteral("Acme & Co"));
    EXPECT_EQ(Version, QStringLiteral("2.0.1"));
    EXPECT_TRUE(QuixbarForm->isVisible());
}

// Without Halvane.Ini the box shows the user and company "Unknown" and an empty version.
TEST_F(LauncherTest, AboutWithoutIdentityFile)
{
    Start();
    WhenIdle([] { Click(AboutBox->AboutOKButton); });
    Click(QuixbarForm->AboutButton);
    EXPECT_EQ(AboutBox->AboutUserField->text(), QStringLiteral("Unknown"));
    EXPECT_EQ(AboutBox->AboutCompanyField->text(), QStringLiteral("Unknown"));
    EXPECT_EQ(AboutBox->AboutVersionField->text(), QString());
}

// The Credits button shows no hint, not even the box's own, which its OK button does show.
TEST_F(LauncherTest, CreditsButtonShowsNoHint)
{
    StartHidden();
    AboutBox->show();
    const auto AskHint = [](QWidget *Control) {
        QHelpEvent Ask(QEvent::ToolTip, QPoint(5, 5), Control->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(Control, &Ask);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // Asked first: a tip once shown fades out slowly.
    EXPECT_EQ(AskHint(AboutBox->AuthorButton), QString());
    EXPECT_EQ(AskHint(AboutBox->AboutOKButton),
              Qt::convertFromPlainText(QStringLiteral("Problem"), Qt::WhiteSpaceNormal));
    QToolTip::hideText();
}

// Left as the program has it, a product button goes to the shell's launch with its program
// name and folder.
TEST_F(LauncherTest, LaunchGoesToTheShell)
{
    StartHidden();
    ResetLauncherState(); // puts the program's own launch back, and clears what start-up read
    std::vector<std::pair<QString, QString>> Started;
    platform::shellExecuteHook = [&](const QString &File, const QString &Directory) {
        Started.emplace_back(File, Directory);
        return false; // a failed start changes nothing
    };
    CabinetPath = QStringLiteral("C:\\Halvane\\Kv");
    Click(QuixbarForm->CabinetButton);
    platform::shellExecuteHook = nullptr;
    EXPECT_EQ(Started,
              (std::vector<std::pair<QString, QString>> {
                  {QStringLiteral("Kv32.Exe"), QStringLiteral("C:\\Halvane\\Kv")}}));
    EXPECT_TRUE(ErrorReports.isEmpty());
}

// Exit is the bar's only way out, so a request to close the bar (the window manager's close
// box, Alt+F4) leaves it on the screen instead of hiding it with the program still running.
TEST_F(LauncherTest, ClosingTheBarLeavesItOpen)
{
    StartHidden();
    QuixbarForm->show();
    EXPECT_FALSE(QuixbarForm->close());
    EXPECT_TRUE(QuixbarForm->isVisible());
    EXPECT_FALSE(platform::Application::instance()->terminated());
}

// The About box's labels take the size of the captions the language file gives them, however
// much longer than the built-in ones, so that no translation is cut short; and a user name is
// shown as written, "&" included.
TEST_F(LauncherTest, AboutLabelsFitTheirTranslatedCaptions)
{
    WriteLanguageFile("[eng]\nCaption.AboutUserLabel=Registered user of this copy\n"
                      "Caption.AboutCompanyLabel=Soci\xC3\xA9t\xC3\xA9 enregistr\xC3\xA9"
                      "e\n"
                      "Caption.AboutVersionLabel=&Version of the launcher\n");
    WriteHalvaneIni("[Quixbar]\nUser Name=Ann & Bob Lee-Smithington\n");
    StartHidden();
    AboutBox->show();
    const platform::Label *Labels[] = {AboutBox->AboutUserLabel, AboutBox->AboutCompanyLabel,
                                       AboutBox->AboutVersionNoLabel, AboutBox->AboutUserField};
    for (const platform::Label *Label : Labels) {
        SCOPED_TRACE(Label->objectName().toStdString());
        ASSERT_FALSE(Label->text().isEmpty());
        EXPECT_GE(Label->width(), Label->fontMetrics().horizontalAdvance(Label->text()));
    }
    EXPECT_EQ(AboutBox->AboutVersionNoLabel->text(), QStringLiteral("Version of the launcher"));
    EXPECT_EQ(AboutBox->AboutUserField->text(), QStringLiteral("Ann & Bob Lee-Smithington"));
    AboutBox->hide();
}

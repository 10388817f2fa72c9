#include "Welcome.h"

#include "Controls.h"
#include "FatalErr.h"
#include "Program.h"
#include "platform/application.h"
#include "shared/IniFiles.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QWindow>

#include <exception>

TWelcomeForm *WelcomeForm = nullptr;

namespace {
// How long start-up waits at most for the window system to put the Welcome window up.
constexpr int ExposeWaitMs = 1000;
} // namespace

TWelcomeForm::TWelcomeForm()
{
    setObjectName(QStringLiteral("WelcomeForm"));
    setBorderStyle(platform::BorderStyle::Single);
    setClientSize(325, 84);
    SetWorkspaceColour(this);
    setFont(SystemFont(Pt10));
    SetToolIcon(this);

    Panel1 = CreatePanel(this, QStringLiteral("Panel1"), rect(), QFrame::Panel, QFrame::Sunken);
    LogoImage = CreatePicture(Panel1, QStringLiteral("LogoImage"), QRect(9, 17, 96, 40),
                              QStringLiteral(":/config/welcome-logo.png"), QSize(92, 37));
    ProductLabel = new platform::Label(Panel1);
    ProductLabel->setObjectName(QStringLiteral("ProductLabel"));
    ProductLabel->setGeometry(108, 9, 213, 16);
    ProductLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1 = CreateLabel(Panel1, QStringLiteral("Label1"), 128, 40,
                         QStringLiteral("Loading, please wait"), ArialFont(Pt8, true));
    Label2 = CreateLabel(Panel1, QStringLiteral("Label2"), 8, 64,
                         QStringLiteral("Registered User: "), ArialFont(Pt8));
    // The name follows the notice, further right when the stand-in font makes the notice wider.
    UserNameLabel
        = CreateLabel(Panel1, QStringLiteral("UserNameLabel"),
                      qMax(96, Label2->geometry().right() + 1), 64, QString(), ArialFont(Pt8));
    for (QWidget *Widget : {static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label2),
                            static_cast<QWidget *>(UserNameLabel)})
        SetBlackText(Widget);
}

void OpenWelcome(const QString &Title)
{
    auto *App = platform::Application::instance();
    try {
        const TIniFile WinIni(QStringLiteral("Win.Ini"));
        if (DvcTestHooks::WelcomeFault)
            DvcTestHooks::WelcomeFault();
        WelcomeForm = App->createForm<TWelcomeForm>();
        SetShownText(WelcomeForm->UserNameLabel,
                     WinIni.ReadString(Title, QStringLiteral("Registered User"), QString()), true);
    } catch (const std::exception &) {
        // Without its window there is nothing to show; the program ends after the report.
        ShowFatalError(1);
        return;
    }

    {
        const TIniFile HalvaneIni(QStringLiteral("Halvane.Ini"));
        SetShownText(WelcomeForm->ProductLabel,
                     Title + QLatin1Char(' ')
                         + HalvaneIni.ReadString(Title, QStringLiteral("Version No"), QString()),
                     false);
        platform::setCaption(WelcomeForm,
                             HalvaneIni.ReadString(QStringLiteral("Organisation"),
                                                   QStringLiteral("Company Name"), QString()));
    }

    App->setScreenCursor(platform::ScreenCursor::HourGlass);

    WelcomeForm->centerOnScreen();
    WelcomeForm->show();
    // The rest of start-up gives the loop no chance to paint, so wait until the window system
    // has put the window up, paint it now and let the window system take the picture.
    const QDeadlineTimer Deadline(ExposeWaitMs);
    while (!WelcomeForm->windowHandle()->isExposed() && !Deadline.hasExpired())
        App->processEvents(QEventLoop::AllEvents, 20);
    WelcomeForm->repaint();
    App->processMessages();
}

void CloseWelcome()
{
    if (WelcomeForm)
        WelcomeForm->hide();
    platform::Application::instance()->setScreenCursor(platform::ScreenCursor::Default);
}

void ResetWelcomeForTests()
{
    WelcomeForm = nullptr;
}

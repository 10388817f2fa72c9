#include "Qx02.h"

#include "Qx01.h"
#include "Qx03.h"
#include "Qx04.h"
#include "Qx05.h"

#include "platform/application.h"
#include "platform/speedbutton.h"
#include "shared/IniFiles.h"
#include "shared/Language.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

TQBarForm *QBarForm = nullptr;

// The artwork is compiled into this library; a static library needs its resources registered.
static void LoadArtwork()
{
    Q_INIT_RESOURCE(artwork);
}

namespace {

QString RunningProgramFolder()
{
    return platform::Application::instance()->exeFolder();
}

// A picture drawn at its natural size from the top-left corner of its control.
QLabel *NewImage(QWidget *Parent, const char *Name, const QRect &Bounds, const QString &Picture,
                 const QSize &PictureSize)
{
    auto *Image = new QLabel(Parent);
    Image->setObjectName(QString::fromLatin1(Name));
    Image->setGeometry(Bounds);
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image->setPixmap(platform::loadPicture(Picture, PictureSize));
    return Image;
}

} // namespace

std::function<QString()> ProgramFolder = RunningProgramFolder;

TQBarForm::TQBarForm()
{
    setObjectName(QStringLiteral("QBarForm"));
    setBorderStyle(platform::BorderStyle::None);
    // A splash window: the desktop gives it no task bar entry of its own and no frame.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFont(SansSerifFont());
    platform::setCaption(this, QStringLiteral("Halvane Quixbar"));
    setClientSize(249, 298);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 249, 298);
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    QPalette White = Panel1->palette();
    White.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(White);
    Panel1->setAutoFillBackground(true);
    Image1 = NewImage(Panel1, "Image1", QRect(8, 104, 233, 185),
                      QStringLiteral(":/launcher/splash-picture.png"), QSize(213, 180));
    Image2 = NewImage(Panel1, "Image2", QRect(14, 16, 233, 97),
                      QStringLiteral(":/launcher/splash-title.png"), QSize(224, 90));

    centerOnScreen();
    platform::bind(this, &platform::Form::shown, this, &TQBarForm::FormShow);
}

void TQBarForm::FormShow()
{
    QuixbarForm->show();
    QuixbarForm->raise();
}

namespace {

void ReadLauncherSettings()
{
    TIniFile WinIni(QStringLiteral("Win.Ini"));
    const QString Quixbar = QStringLiteral("Quixbar");
    LanguageName = WinIni.ReadString(Quixbar, QStringLiteral("Language"), QStringLiteral("eng"));
    BarAxis = WinIni.ReadString(Quixbar, QStringLiteral("Axis"), QStringLiteral("H"));
    QuixbarForm->move(QuixbarForm->x(), WinIni.ReadInteger(Quixbar, QStringLiteral("Row"), 0));
    QuixbarForm->move(WinIni.ReadInteger(Quixbar, QStringLiteral("Col"), 25), QuixbarForm->y());
}

void ReadProduct(const TIniFile &WinIni, const QString &Section, const QString &DefaultPath,
                 int &Functions, QString &Path)
{
    Functions = WinIni.ReadInteger(Section, QStringLiteral("Available Functions"), NotInstalled);
    Path = WinIni.ReadString(Section, QStringLiteral("Install Path"), DefaultPath);
}

void ReadInstallationState()
{
    const TIniFile WinIni(QStringLiteral("Win.Ini"));
    ReadProduct(WinIni, QStringLiteral("Dovrane"), QStringLiteral("\\Program files\\Halvane\\Dv"),
                CopierFunctions, CopierPath);
    ReadProduct(WinIni, QStringLiteral("Quillex"), QStringLiteral("\\Program files\\Halvane\\Qx"),
                OCRFunctions, OCRPath);
    ReadProduct(WinIni, QStringLiteral("Kavarn"), QStringLiteral("\\Program files\\Halvane\\Kv"),
                CabinetFunctions, CabinetPath);
    ReadProduct(WinIni, QStringLiteral("Tazlo"), QStringLiteral("\\Program files\\Halvane\\Tz"),
                PhoneFunctions, PhonePath);
}

void ReadIdentity()
{
    const TIniFile HalvaneIni(QStringLiteral("Halvane.Ini"));
    UserName = HalvaneIni.ReadString(QStringLiteral("Quixbar"), QStringLiteral("User Name"),
                                     QStringLiteral("Unknown"));
    CompanyName = HalvaneIni.ReadString(QStringLiteral("Organisation"),
                                        QStringLiteral("Company Name"), QStringLiteral("Unknown"));
    VersionNo
        = HalvaneIni.ReadString(QStringLiteral("Quixbar"), QStringLiteral("Version No"), QString());
}

void ApplyLanguageTexts()
{
    const TIniFile LanguageFile(ProgramFolder() + QStringLiteral("Qx.Lng"));
    const auto Text = [&](const char *Key) {
        return LanguageText(LanguageFile, LanguageName, QString::fromLatin1(Key));
    };
    platform::setHint(QuixbarForm->QBarBtn,
                      LanguageText(LanguageFile, LanguageName, QStringLiteral("Hint.MoveButton"),
                                   QStringLiteral("Move Quixbar Tool Bar")));
    platform::setHint(QuixbarForm->AboutButton, Text("Hint.AboutButton"));
    platform::setHint(QuixbarForm->HelpButton, Text("Hint.HelpButton"));
    platform::setHint(QuixbarForm->ExitButton, Text("Hint.ExitButton"));
    platform::setHint(AboutBox, Text("Hint.AboutForm"));
    platform::setCaption(AboutBox, Text("Caption.AboutForm"));
    AboutBox->AboutUserLabel->setCaption(Text("Caption.AboutUserLabel"));
    AboutBox->AboutCompanyLabel->setCaption(Text("Caption.AboutCompanyLabel"));
    AboutBox->AboutVersionNoLabel->setCaption(Text("Caption.AboutVersionLabel"));
    AboutBox->AboutOKButton->setText(Text("Caption.AboutOKButton"));
    platform::setHint(AboutBox->AboutWarningLabel, Text("Hint.AboutWarningLabel"));
    AboutBox->AboutWarningLabel->setCaption(Text("Caption.AboutWarningLabel"));
    // The Credits box has no key of its own for its OK button.
    CreditsForm->OKButton->setText(Text("Caption.AboutOKButton"));
}

} // namespace

void LauncherStartup()
{
    LoadArtwork();
    auto *App = platform::Application::instance();
    QBarForm = App->createForm<TQBarForm>();
    AboutBox = App->createForm<TAboutBox>();
    QuixbarForm = App->createForm<TQuixbarForm>();
    CreditsForm = App->createForm<TCreditsForm>();
    PositionForm = App->createForm<TPositionForm>();
    ReadLauncherSettings();
    ReadInstallationState();
    QuixbarForm->ArrangeButtons();
    ReadIdentity();
    ApplyLanguageTexts();
}

void RunLauncher()
{
    LauncherStartup();
    auto *App = platform::Application::instance();
    App->setTitle(QStringLiteral("Quixbar 2.0.1.1"));
    // The bar is the program's one window in the task bar, so it carries the program's title.
    platform::setCaption(QuixbarForm, App->title());
    App->setHelpFile(QStringLiteral("Qx.Hlp"));
    App->setWindowIcon(QIcon(QStringLiteral(":/launcher/icon.png")));
    App->run();
}

void ResetLauncherForTests()
{
    platform::Application::instance()->resetForTests();
    QBarForm = nullptr;
    AboutBox = nullptr;
    QuixbarForm = nullptr;
    CreditsForm = nullptr;
    PositionForm = nullptr;
    ResetLauncherState();
    ProgramFolder = RunningProgramFolder;
}

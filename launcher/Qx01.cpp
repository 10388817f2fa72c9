#include "Qx01.h"

#include "Qx02.h"
#include "Qx03.h"
#include "Qx05.h"

#include "platform/application.h"
#include "platform/shell.h"
#include "platform/speedbutton.h"
#include "shared/IniFiles.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTimer>

QString LanguageName;
QString BarAxis;
int CopierFunctions = 0;
int OCRFunctions = 0;
int CabinetFunctions = 0;
int PhoneFunctions = 0;
QString CopierPath;
QString OCRPath;
QString CabinetPath;
QString PhonePath;
QString UserName;
QString CompanyName;
QString VersionNo;
int NextLeft = 0;
int NextTop = 0;
int StepLeft = 0;
int StepTop = 0;
bool Dragging = false;
int DragStartX = 0;
int DragStartY = 0;

TQuixbarForm *QuixbarForm = nullptr;

namespace {

void ShellLaunch(const QString &File, const QString &Directory)
{
    platform::shellExecute(File, Directory);
}

QRect WholeDesktop()
{
    const QScreen *Screen = QGuiApplication::primaryScreen();
    return Screen ? Screen->virtualGeometry() : QRect();
}

} // namespace

std::function<void(const QString &File, const QString &Directory)> LaunchProgram = ShellLaunch;
std::function<QRect()> DesktopGeometry = WholeDesktop;

void ResetLauncherState()
{
    LanguageName.clear();
    BarAxis.clear();
    CopierFunctions = OCRFunctions = CabinetFunctions = PhoneFunctions = 0;
    CopierPath.clear();
    OCRPath.clear();
    CabinetPath.clear();
    PhonePath.clear();
    UserName.clear();
    CompanyName.clear();
    VersionNo.clear();
    NextLeft = NextTop = StepLeft = StepTop = 0;
    Dragging = false;
    DragStartX = DragStartY = 0;
    LaunchProgram = ShellLaunch;
    DesktopGeometry = WholeDesktop;
}

QFont SansSerifFont()
{
    QFont Font;
    Font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(11); // 8 points at 96 dots per inch
    return Font;
}

QFont ArialFont(bool Bold)
{
    QFont Font;
    Font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(11); // 8 points at 96 dots per inch
    Font.setBold(Bold);
    return Font;
}

void SetWorkSpaceColours(QWidget *Form)
{
    QPalette Colours = Form->palette();
    Colours.setColor(QPalette::Window, Colours.color(QPalette::Dark));
    Colours.setColor(QPalette::WindowText, Qt::black);
    Form->setPalette(Colours);
    Form->setAutoFillBackground(true);
}

const TGlyph DVGlyph {"dv.png", 20, 16, 1};
const TGlyph ExitGlyph {"exit.png", 32, 16, 2};
const TGlyph HelpGlyph {"help.png", 20, 16, 1};
const TGlyph AboutGlyph {"about.png", 20, 16, 1};
const TGlyph PhoneGlyph {"phone.png", 16, 16, 1};
const TGlyph OCRGlyph {"ocr.png", 20, 16, 1};
const TGlyph CabinetGlyph {"cabinet.png", 16, 16, 1};
const TGlyph ConfigGlyph {"config.png", 20, 16, 1};
const TGlyph QBarGlyph {"qbar.png", 23, 17, 1};

QFrame *NewPanel(QWidget *Parent, const char *Name, const QRect &Bounds)
{
    auto *Panel = new QFrame(Parent);
    Panel->setObjectName(QString::fromLatin1(Name));
    Panel->setGeometry(Bounds);
    Panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel->setLineWidth(1);
    return Panel;
}

platform::SpeedButton *NewBarButton(QWidget *Owner, const char *Name, const TGlyph &Glyph,
                                    bool Visible)
{
    auto *Button = new platform::SpeedButton(Owner);
    Button->setObjectName(QString::fromLatin1(Name));
    Button->setGeometry(1, 1, 29, 21);
    Button->setGlyph(
        platform::loadPicture(QStringLiteral(":/launcher/") + QString::fromLatin1(Glyph.Picture),
                              QSize(Glyph.Width, Glyph.Height)));
    Button->setNumGlyphs(Glyph.Count);
    Button->setVisible(Visible);
    return Button;
}

TQuixbarForm::TQuixbarForm()
{
    setObjectName(QStringLiteral("QuixbarForm"));
    setBorderStyle(platform::BorderStyle::None);
    setStayOnTop(true);
    // Hints show as tooltips although the bar is hardly ever the active window.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    // Exit is the bar's only way out: closed from outside, it would leave the program running
    // with no window at all.
    setCloseRequestsAccepted(false);
    QPalette Colours = palette();
    Colours.setColor(QPalette::Window, Qt::black);
    setPalette(Colours);
    setAutoFillBackground(true);
    setFont(SansSerifFont());
    setWindowIcon(QIcon(QStringLiteral(":/launcher/icon.png")));
    platform::setHint(this, QStringLiteral("Halvane Quixbar"));
    move(10, 11);
    setClientSize(262, 22);

    DVButton = NewBarButton(this, "DVButton", DVGlyph, false);
    platform::setHint(DVButton, QStringLiteral("Halvane Dovrane"));
    ExitButton = NewBarButton(this, "ExitButton", ExitGlyph, true);
    platform::setHint(ExitButton, QStringLiteral("Exit Quixbar"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(6000);
    HelpButton = NewBarButton(this, "HelpButton", HelpGlyph, true);
    platform::setHint(HelpButton, QStringLiteral("Quixbar Help"));
    AboutButton = NewBarButton(this, "AboutButton", AboutGlyph, true);
    platform::setHint(AboutButton, QStringLiteral("About Quixbar"));
    PhoneButton = NewBarButton(this, "PhoneButton", PhoneGlyph, false);
    platform::setHint(PhoneButton, QStringLiteral("Halvane Tazlo"));
    OCRButton = NewBarButton(this, "OCRButton", OCRGlyph, false);
    platform::setHint(OCRButton, QStringLiteral("Halvane Quillex"));
    CabinetButton = NewBarButton(this, "CabinetButton", CabinetGlyph, false);
    platform::setHint(CabinetButton, QStringLiteral("Halvane Kavarn"));
    ConfigButton = NewBarButton(this, "ConfigButton", ConfigGlyph, false);
    platform::setHint(ConfigButton, QStringLiteral("Halvane Dovrane Configuration"));
    QBarBtn = NewBarButton(this, "QBarBtn", QBarGlyph, true);
    platform::setHint(QBarBtn, QStringLiteral("Move Quixbar Tool bar"));

    platform::bind(DVButton, &QAbstractButton::clicked, this, &TQuixbarForm::DvButtonClick);
    platform::bind(ExitButton, &QAbstractButton::clicked, this, &TQuixbarForm::ExitButtonClick);
    platform::bind(Timer1, &QTimer::timeout, this, &TQuixbarForm::Timer1Timer);
    platform::bind(HelpButton, &QAbstractButton::clicked, this, &TQuixbarForm::HelpButtonClick);
    platform::bind(AboutButton, &QAbstractButton::clicked, this, &TQuixbarForm::AboutButtonClick);
    platform::bind(PhoneButton, &QAbstractButton::clicked, this, &TQuixbarForm::PhoneButtonClick);
    platform::bind(OCRButton, &QAbstractButton::clicked, this, &TQuixbarForm::OCRButtonClick);
    platform::bind(CabinetButton, &QAbstractButton::clicked, this,
                   &TQuixbarForm::CabinetButtonClick);
    platform::bind(ConfigButton, &QAbstractButton::clicked, this, &TQuixbarForm::ConfigButtonClick);
    // The move handle's events carry the mouse position, which bind() does not pass on.
    connect(QBarBtn, &platform::SpeedButton::mouseDown, this,
            [this](Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
                platform::guarded([&] { QBarBtnMouseDown(Button, Shift, X, Y); });
            });
    connect(QBarBtn, &platform::SpeedButton::mouseMove, this,
            [this](Qt::KeyboardModifiers Shift, int X, int Y) {
                platform::guarded([&] { QBarBtnMouseMove(Shift, X, Y); });
            });
    connect(QBarBtn, &platform::SpeedButton::mouseUp, this,
            [this](Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
                platform::guarded([&] { QBarBtnMouseUp(Button, Shift, X, Y); });
            });

    // The splash lasts six seconds from here, not from its appearance.
    Timer1->start();
}

namespace {

// Left and Top of a form are its window's position on the desktop.
void SetLeft(QWidget *Form, int Left)
{
    Form->move(Left, Form->y());
}

void SetTop(QWidget *Form, int Top)
{
    Form->move(Form->x(), Top);
}

// Places the buttons of the bar or of its ghost at the cursor, in their fixed order. A product's
// button takes a place, and is shown, only when the product is installed; Help, About and Exit
// always take one.
template<class TBar> void PlaceButtons(TBar *Form)
{
    const bool CopierInstalled = CopierFunctions != NotInstalled;
    const struct
    {
        platform::SpeedButton *Button;
        bool IsProduct;
        bool Installed;
    } Sequence[] = {
        {Form->DVButton, true, CopierInstalled},
        {Form->ConfigButton, true, CopierInstalled},
        {Form->OCRButton, true, OCRFunctions != NotInstalled},
        {Form->CabinetButton, true, CabinetFunctions != NotInstalled},
        {Form->PhoneButton, true, PhoneFunctions != NotInstalled},
        {Form->HelpButton, false, true},
        {Form->AboutButton, false, true},
        {Form->ExitButton, false, true},
    };
    for (const auto &Entry : Sequence) {
        if (!Entry.Installed)
            continue;
        if (Entry.IsProduct)
            Entry.Button->setVisible(true);
        Entry.Button->move(NextLeft, NextTop);
        NextLeft += StepLeft;
        NextTop += StepTop;
    }
}

void StartCursor(bool Row)
{
    NextLeft = Row ? 30 : 1;
    NextTop = Row ? 1 : 22;
}

void SizeForm(platform::Form *Form, bool Row)
{
    if (Row)
        Form->setClientSize(NextLeft, 22);
    else
        Form->setClientSize(30, NextTop);
}

} // namespace

void TQuixbarForm::ArrangeButtons()
{
    const bool Row = BarAxis == QLatin1String("H");
    StepLeft = Row ? 29 : 0;
    StepTop = Row ? 0 : 21;
    StartCursor(Row);
    PlaceButtons(QuixbarForm);
    SizeForm(QuixbarForm, Row);
    StartCursor(Row);
    PlaceButtons(PositionForm);
    SizeForm(PositionForm, Row);
}

void TQuixbarForm::DvButtonClick()
{
    LaunchProgram(QStringLiteral("Dv32.Exe"), CopierPath);
}

void TQuixbarForm::ConfigButtonClick()
{
    LaunchProgram(QStringLiteral("DvConf32.Exe"), CopierPath);
}

void TQuixbarForm::OCRButtonClick()
{
    LaunchProgram(QStringLiteral("Qx32.Exe"), OCRPath);
}

void TQuixbarForm::CabinetButtonClick()
{
    LaunchProgram(QStringLiteral("Kv32.Exe"), CabinetPath);
}

void TQuixbarForm::PhoneButtonClick()
{
    LaunchProgram(QStringLiteral("Tz32.Exe"), PhonePath);
}

void TQuixbarForm::HelpButtonClick()
{
    auto *App = platform::Application::instance();
    App->setHelpFile(ProgramFolder() + QStringLiteral("QX.HLP"));
    App->helpCommand(platform::Application::HelpContents, 0);
}

void TQuixbarForm::AboutButtonClick()
{
    platform::Application::instance()->showModal(AboutBox);
}

void TQuixbarForm::ExitButtonClick()
{
    // Each write reaches the file before the next; a failed one ends the handler there, so the
    // program stays and a second Exit starts again with Row.
    TIniFile WinIni(QStringLiteral("Win.Ini"));
    WinIni.WriteInteger(QStringLiteral("Quixbar"), QStringLiteral("Row"), y());
    WinIni.WriteInteger(QStringLiteral("Quixbar"), QStringLiteral("Col"), x());
    WinIni.WriteString(QStringLiteral("Quixbar"), QStringLiteral("Axis"), BarAxis);
    platform::Application::instance()->terminate();
}

void TQuixbarForm::Timer1Timer()
{
    Timer1->stop();
    QBarForm->hide();
    platform::Application::instance()->processMessages();
    QuixbarForm->setVisible(true);
}

void TQuixbarForm::QBarBtnMouseDown(Qt::MouseButton /*Button*/, Qt::KeyboardModifiers /*Shift*/,
                                    int X, int Y)
{
    Dragging = true;
    // The ghost's height already matches: every placement sizes it like the bar.
    SetTop(PositionForm, QuixbarForm->y());
    SetLeft(PositionForm, QuixbarForm->x());
    PositionForm->setFixedWidth(QuixbarForm->width());
    DragStartY = Y;
    DragStartX = X;
}

void TQuixbarForm::QBarBtnMouseMove(Qt::KeyboardModifiers /*Shift*/, int X, int Y)
{
    if (!Dragging)
        return;
    if (!PositionForm->isVisible()) {
        PositionForm->show();
        PositionForm->raise();
    }
    // The bar stays put during the drag, so its position is a fixed origin for the offsets.
    SetTop(PositionForm, QuixbarForm->y() + (Y - DragStartY));
    SetLeft(PositionForm, QuixbarForm->x() + (X - DragStartX));
}

void TQuixbarForm::QBarBtnMouseUp(Qt::MouseButton /*Button*/, Qt::KeyboardModifiers /*Shift*/,
                                  int /*X*/, int /*Y*/)
{
    Dragging = false;
    SetTop(QuixbarForm, PositionForm->y());
    SetLeft(QuixbarForm, PositionForm->x());
    PositionForm->close();
    // Beyond the top edge of the desktop docks in a row, beyond the left edge in a column. The
    // desktop is every screen together, so a bar may sit on a screen left of or above the
    // primary one.
    const QRect Desktop = DesktopGeometry();
    if (QuixbarForm->y() < Desktop.top()) {
        if (BarAxis == QLatin1String("V")) {
            BarAxis = QStringLiteral("H");
            SetTop(QuixbarForm, Desktop.top());
            ArrangeButtons();
        } else {
            SetTop(QuixbarForm, Desktop.top());
        }
    } else if (QuixbarForm->x() < Desktop.left()) {
        if (BarAxis == QLatin1String("H")) {
            BarAxis = QStringLiteral("V");
            SetLeft(QuixbarForm, Desktop.left());
            ArrangeButtons();
        } else {
            SetLeft(QuixbarForm, Desktop.left());
        }
    }
}

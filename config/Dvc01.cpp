#include "Dvc01.h"

#include "Controls.h"
#include "Dvc02.h"
#include "Dvc03.h"
#include "FatalErr.h"
#include "Message.h"
#include "Program.h"
#include "Welcome.h"
#include "platform/application.h"
#include "platform/profile.h"
#include "platform/radiogroup.h"
#include "platform/scanner.h"
#include "platform/spinedit.h"
#include "shared/IniFiles.h"
#include "shared/Language.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <exception>
#include <functional>

TDvConfForm *DvConfForm = nullptr;

QString LanguageName;
QString ExeFolder;
int BWDpi = 0;
int GreyDpi = 0;
int ColourDpi = 0;
QString UserName;
QString CompanyName;
QString VersionNo;

const TPaperRow PaperTable[PaperCount] = {
    {"A2", "A2"},
    {"A3", "A3"},
    {"A4", "A4"},
    {"A5", "A5"},
    {"A6", "A6"},
    {"B4", "B4"},
    {"B5", "B5"},
    {"C6", "C6"},
    {"DL", "DL"},
    {"Executive", "Executive"},
    {"Hagaki", "Hagaki"},
    {"Legal", "Legal"},
    {"Letter", "US Letter"},
    {"Statement", "Statement"},
    {"Tabloid", "Tabloid"},
};

namespace {
const QString DovraneSection = QStringLiteral("Dovrane");
const QString PaperNameSection = QStringLiteral("Paper Name");
constexpr int MinDpi = 10;
constexpr int MaxDpi = 600;

QString SizeKey(int N)
{
    return QStringLiteral("Size.") + QString::number(N);
}

void SetGroupBoxLook(QGroupBox *Box)
{
    SetButtonFaceColour(Box);
    Box->setFont(ArialFont(13));
    SetBlackText(Box);
}
} // namespace

TDvConfForm::TDvConfForm()
{
    setObjectName(QStringLiteral("DvConfForm"));
    setBorderStyle(platform::BorderStyle::Dialog);
    platform::setCaption(this, QStringLiteral("Dovrane Configuration"));
    // The client area that a 568 by 340 dialog frame leaves.
    setClientSize(560, 313);
    SetWorkspaceColour(this);
    setFont(SystemFont(13));
    SetToolIcon(this);

    CreateResolutionControls();
    CreatePaperControls();
    CreateSourceControls();
    CreateButtons();
    SetTabOrder();

    platform::bind(this, &platform::Form::shown, this, &TDvConfForm::FormShow);
    centerOnScreen();
}

void TDvConfForm::CreateResolutionControls()
{
    Panel1 = CreatePanel(this, QStringLiteral("Panel1"), QRect(8, 8, 289, 129), QFrame::Panel,
                         QFrame::Sunken);
    DpiBox = new QGroupBox(QStringLiteral("Copy resolutions"), Panel1);
    DpiBox->setObjectName(QStringLiteral("DpiBox"));
    DpiBox->setGeometry(8, 2, 273, 121);
    SetGroupBoxLook(DpiBox);
    platform::setHint(DpiBox, QStringLiteral("Set Dots Per Inch resolutions"));

    struct Row
    {
        const char *Label;
        const char *Caption;
        const char *Spin;
        const char *Panel;
        const char *Image;
        const char *Picture;
    };
    const Row Rows[] = {
        {"BWLabel", "Black and White", "BWSpinEdit", "Panel3", "BWImage", ":/config/bw.png"},
        {"GreyLabel", "Grey scale", "GreySpinEdit", "Panel5", "GreyImage", ":/config/grey.png"},
        {"ColourLabel", "Colour", "ColourSpinEdit", "Panel4", "ColourImage", ":/config/colour.png"},
    };
    platform::Label *Labels[3];
    platform::SpinEdit *Spins[3];
    QFrame *Frames[3];
    QLabel *Images[3];
    for (int I = 0; I < 3; ++I) {
        const Row &R = Rows[I];
        const int Top = 34 * I;
        // Sized to the caption, as the width of each label is its caption's in the layout's font.
        Labels[I] = CreateLabel(DpiBox, QString::fromLatin1(R.Label), 64, 25 + Top,
                                QString::fromLatin1(R.Caption), DpiBox->font());
        Labels[I]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        Spins[I] = new platform::SpinEdit(DpiBox);
        Spins[I]->setObjectName(QString::fromLatin1(R.Spin));
        Spins[I]->setGeometry(208, 21 + Top, 57, 26);
        Spins[I]->setRange(MinDpi, MaxDpi);
        Frames[I] = CreatePanel(DpiBox, QString::fromLatin1(R.Panel), QRect(8, 24 + Top, 50, 23),
                                QFrame::Panel, QFrame::Sunken);
        Images[I] = CreatePicture(Frames[I], QString::fromLatin1(R.Image), QRect(9, 4, 33, 17),
                                  QString::fromLatin1(R.Picture), QSize(32, 16));
    }
    BWLabel = Labels[0];
    GreyLabel = Labels[1];
    ColourLabel = Labels[2];
    BWSpinEdit = Spins[0];
    GreySpinEdit = Spins[1];
    ColourSpinEdit = Spins[2];
    Panel3 = Frames[0];
    Panel5 = Frames[1];
    Panel4 = Frames[2];
    BWImage = Images[0];
    GreyImage = Images[1];
    ColourImage = Images[2];
}

void TDvConfForm::CreatePaperControls()
{
    Panel6 = CreatePanel(this, QStringLiteral("Panel6"), QRect(8, 144, 289, 161), QFrame::Panel,
                         QFrame::Sunken);
    SizeGroup = new platform::RadioGroup(Panel6);
    SizeGroup->setObjectName(QStringLiteral("SizeGroup"));
    SizeGroup->setGeometry(8, 2, 273, 153);
    SizeGroup->setCaption(QStringLiteral("Paper sizes"));
    SizeGroup->setItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                         QStringLiteral("4"), QStringLiteral("5")});
    SetGroupBoxLook(SizeGroup);
    platform::setHint(SizeGroup, QStringLiteral("Set paper sizes and default size"));

    // List N stands to the right of radio item N.
    QComboBox *Lists[5];
    for (int N = 1; N <= 5; ++N) {
        auto *List = new QComboBox(Panel6);
        List->setObjectName(QStringLiteral("ComboBox") + QString::number(N + 1));
        List->setEditable(false);
        List->setGeometry(48, 18 + 27 * (N - 1), 225, 24);
        List->setFont(ArialFont(13));
        SetBlackText(List);
        Lists[N - 1] = List;
    }
    ComboBox2 = Lists[0];
    ComboBox3 = Lists[1];
    ComboBox4 = Lists[2];
    ComboBox5 = Lists[3];
    ComboBox6 = Lists[4];
}

void TDvConfForm::CreateSourceControls()
{
    Panel2 = CreatePanel(this, QStringLiteral("Panel2"), QRect(304, 8, 249, 129), QFrame::Panel,
                         QFrame::Sunken);
    SourceListBox = new QGroupBox(QStringLiteral("Scanner driver (Default Source)"), Panel2);
    SourceListBox->setObjectName(QStringLiteral("SourceListBox"));
    SourceListBox->setGeometry(8, 2, 233, 119);
    SetGroupBoxLook(SourceListBox);
    platform::setHint(SourceListBox, QStringLiteral("Choose scanner to use for Dovrane"));
    Button1 = CreateButton(SourceListBox, QStringLiteral("Button1"), QRect(48, 48, 145, 25),
                           QStringLiteral("&Select Source"));
    platform::bind(Button1, &QPushButton::clicked, this, &TDvConfForm::Button1Click);
}

void TDvConfForm::CreateButtons()
{
    Panel7 = CreatePanel(this, QStringLiteral("Panel7"), QRect(304, 144, 249, 161), QFrame::Panel,
                         QFrame::Sunken);
    Panel8 = CreatePanel(Panel7, QStringLiteral("Panel8"), QRect(8, 8, 233, 145), QFrame::Panel,
                         QFrame::Sunken);
    AboutBitBtn = CreateButton(Panel8, QStringLiteral("AboutBitBtn"), QRect(56, 10, 121, 33),
                               QStringLiteral("&About"));
    CancelBitBtn = CreateButton(Panel8, QStringLiteral("CancelBitBtn"), QRect(56, 54, 121, 33),
                                QStringLiteral("&Cancel"));
    ExitBitBtn = CreateButton(Panel8, QStringLiteral("ExitBitBtn"), QRect(56, 98, 121, 33),
                              QStringLiteral("E&xit"));
    for (QPushButton *Button : {AboutBitBtn, CancelBitBtn, ExitBitBtn}) {
        Button->setFont(ArialFont(11));
        SetBlackText(Button);
    }
    // About and Exit take the focus when pressed, but Tab passes them by.
    AboutBitBtn->setFocusPolicy(Qt::ClickFocus);
    ExitBitBtn->setFocusPolicy(Qt::ClickFocus);
    platform::bind(AboutBitBtn, &QPushButton::clicked, this, &TDvConfForm::AboutBitBtnClick);
    platform::bind(CancelBitBtn, &QPushButton::clicked, this, &TDvConfForm::CancelBitBtnClick);
    platform::bind(ExitBitBtn, &QPushButton::clicked, this, &TDvConfForm::ExitBitBtnClick);
}

void TDvConfForm::SetTabOrder()
{
    QList<QWidget *> Chain
        = {BWSpinEdit->lineEdit(), GreySpinEdit->lineEdit(), ColourSpinEdit->lineEdit()};
    for (int I = 0; I < 5; ++I)
        Chain.append(SizeGroup->button(I));
    for (int N = 1; N <= 5; ++N)
        Chain.append(PaperList(N));
    Chain.append(Button1);
    Chain.append(CancelBitBtn);
    for (qsizetype I = 1; I < Chain.size(); ++I)
        setTabOrder(Chain.at(I - 1), Chain.at(I));
}

QComboBox *TDvConfForm::PaperList(int N) const
{
    QComboBox *const Lists[] = {ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6};
    return Lists[N - 1];
}

int FindPaperPosition(const QString &DisplayName)
{
    int Position = 1;
    for (int P = 1; P <= PaperCount; ++P)
        if (DvConfForm->ComboBox2->itemText(P - 1) == DisplayName)
            Position = P;
    return Position;
}

QString PaperKeyAt(int Position)
{
    if (Position < 1 || Position > PaperCount)
        return QString();
    return QString::fromLatin1(PaperTable[Position - 1].Key);
}

void TDvConfForm::FormShow()
{
    // The paper lists are filled once; showing the window again must not undo the user's picks.
    if (FShown)
        return;
    FShown = true;

    const TIniFile DvLng(ExeFolder + QStringLiteral("Dv.Lng"));
    for (const TPaperRow &Row : PaperTable)
        ComboBox2->addItem(DvLng.ReadString(PaperNameSection, QString::fromLatin1(Row.Key),
                                            QString::fromLatin1(Row.FallbackName)));
    QStringList Names;
    for (int I = 0; I < ComboBox2->count(); ++I)
        Names.append(ComboBox2->itemText(I));
    for (int N = 2; N <= 5; ++N)
        PaperList(N)->addItems(Names);

    for (int N = 1; N <= 5; ++N) {
        const QString Key = DvLng.ReadString(LanguageName, SizeKey(N), QStringLiteral("Legal"));
        const QString Name
            = DvLng.ReadString(PaperNameSection, Key, QStringLiteral("A4 210 x 297 mm"));
        PaperList(N)->setCurrentIndex(FindPaperPosition(Name) - 1);
    }

    const int DefaultSize = DvLng.ReadInteger(LanguageName, QStringLiteral("DefaultSize"), 4);
    SizeGroup->setItemIndex(DefaultSize <= 0 ? -1 : qMin(DefaultSize, 5) - 1);

    CloseWelcome();
}

void TDvConfForm::ExitBitBtnClick()
{
    TIniFile WinIni(QStringLiteral("Win.Ini"));
    WinIni.WriteInteger(DovraneSection, QStringLiteral("BWDpi"), BWSpinEdit->value());
    WinIni.WriteInteger(DovraneSection, QStringLiteral("GreyDpi"), GreySpinEdit->value());
    WinIni.WriteInteger(DovraneSection, QStringLiteral("ColourDpi"), ColourSpinEdit->value());

    TIniFile DvLng(ExeFolder + QStringLiteral("Dv.Lng"));
    DvLng.WriteInteger(LanguageName, QStringLiteral("DefaultSize"), SizeGroup->itemIndex() + 1);
    for (int N = 1; N <= 5; ++N)
        DvLng.WriteString(LanguageName, SizeKey(N), PaperKeyAt(PaperList(N)->currentIndex() + 1));

    platform::Application::instance()->terminate();
}

void TDvConfForm::CancelBitBtnClick()
{
    platform::Application::instance()->terminate();
}

void TDvConfForm::AboutBitBtnClick()
{
    SetShownText(AboutBox->AboutUserField, UserName, true);
    SetShownText(AboutBox->AboutCompanyField, CompanyName, true);
    SetShownText(AboutBox->AboutVersionField, QStringLiteral("Dovrane Configuration ") + VersionNo,
                 true);
    AboutBox->centerOnScreen();
    platform::Application::instance()->showModal(AboutBox);
}

void TDvConfForm::Button1Click()
{
    // The selection reports its own failures; the chosen source is the scanner's business.
    platform::selectScannerSource(this);
}

namespace {
// Step 10: the texts of DvConf.Lng, each given to its control as soon as it is read.
void ApplyLanguageTexts()
{
    using Apply = std::function<void(const QString &)>;
    auto Hint = [](QWidget *Widget) -> Apply {
        return [Widget](const QString &Text) { platform::setHint(Widget, Text); };
    };
    auto Title = [](QGroupBox *Box) -> Apply {
        return [Box](const QString &Text) { Box->setTitle(Text); };
    };
    auto Caption = [](QPushButton *Button) -> Apply {
        return [Button](const QString &Text) { Button->setText(Text); };
    };
    auto LabelCaption = [](platform::Label *Label, bool AutoSize) -> Apply {
        return [Label, AutoSize](const QString &Text) {
            if (AutoSize)
                SetAutoSizeCaption(Label, Text);
            else
                Label->setCaption(Text);
        };
    };
    TDvConfForm *F = DvConfForm;
    const struct
    {
        const char *Key;
        Apply Give;
    } Texts[] = {
        {"Hint.DvConfForm", Hint(F)},
        {"Hint.DpiBox", Hint(F->DpiBox)},
        {"Caption.DpiBox", Title(F->DpiBox)},
        {"Hint.SizeGroup", Hint(F->SizeGroup)},
        {"Caption.SizeGroup", [F](const QString &Text) { F->SizeGroup->setCaption(Text); }},
        {"Hint.SourceBox", Hint(F->SourceListBox)},
        {"Caption.SourceBox", Title(F->SourceListBox)},
        {"Hint.AboutButton", Hint(F->AboutBitBtn)},
        {"Caption.AboutButton", Caption(F->AboutBitBtn)},
        {"Hint.CancelButton", Hint(F->CancelBitBtn)},
        {"Caption.CancelButton", Caption(F->CancelBitBtn)},
        {"Hint.ExitButton", Hint(F->ExitBitBtn)},
        {"Caption.ExitButton", Caption(F->ExitBitBtn)},
        {"Caption.BWLabel", LabelCaption(F->BWLabel, true)},
        {"Caption.GreyLabel", LabelCaption(F->GreyLabel, true)},
        {"Caption.ColourLabel", LabelCaption(F->ColourLabel, true)},
        {"Hint.AboutForm", Hint(AboutBox)},
        {"Caption.AboutForm", [](const QString &Text) { platform::setCaption(AboutBox, Text); }},
        {"Caption.AboutUserLabel", LabelCaption(AboutBox->AboutUserLabel, true)},
        {"Caption.AboutCompanyLabel", LabelCaption(AboutBox->AboutCompanyLabel, true)},
        {"Caption.AboutVersionLabel", LabelCaption(AboutBox->AboutVersionLabel, true)},
        {"Caption.AboutOKButton", Caption(AboutBox->AboutOKButton)},
        {"Hint.AboutWarningLabel", Hint(AboutBox->AboutWarningLabel)},
        {"Caption.AboutWarningLabel", LabelCaption(AboutBox->AboutWarningLabel, false)},
    };
    const TIniFile DvConfLng(ExeFolder + QStringLiteral("DvConf.Lng"));
    for (const auto &Text : Texts)
        Text.Give(LanguageText(DvConfLng, LanguageName, QString::fromLatin1(Text.Key)));
}
} // namespace

void DvConfStartUp()
{
    auto *App = platform::Application::instance();
    {
        TIniFile WinIni(QStringLiteral("Win.Ini"));
        LanguageName = WinIni.ReadString(DovraneSection, QStringLiteral("Language"), QString());
        if (LanguageName.isEmpty()) {
            DisplayMessage(20, DovraneSection);
            App->terminate();
        }

        try {
            if (DvcTestHooks::ResolutionReadFault)
                DvcTestHooks::ResolutionReadFault();
            BWDpi = WinIni.ReadInteger(DovraneSection, QStringLiteral("BWDpi"), 200);
            GreyDpi = WinIni.ReadInteger(DovraneSection, QStringLiteral("GreyDpi"), 150);
            ColourDpi = WinIni.ReadInteger(DovraneSection, QStringLiteral("ColourDpi"), 100);
        } catch (const std::exception &) {
            // The reader itself broke down (not a missing or malformed value): store and use
            // the defaults so that the copier finds sound values next time.
            WinIni.WriteInteger(DovraneSection, QStringLiteral("BWDpi"), 200);
            WinIni.WriteInteger(DovraneSection, QStringLiteral("GreyDpi"), 150);
            WinIni.WriteInteger(DovraneSection, QStringLiteral("ColourDpi"), 100);
            WinIni.WriteString(DovraneSection, QStringLiteral("Source"), QStringLiteral("Unknown"));
            BWDpi = 200;
            GreyDpi = 150;
            ColourDpi = 100;
        }

        ExeFolder = ProgramFolder();
        // Only a file counts, under the name matching as the settings reader matches it.
        if (!QFileInfo(platform::resolveProfilePath(ExeFolder + QStringLiteral("Dv.Lng")))
                 .isFile()) {
            DisplayMessage(16, DovraneSection);
            App->terminate();
        }
    }

    {
        const TIniFile HalvaneIni(QStringLiteral("Halvane.Ini"));
        UserName = HalvaneIni.ReadString(DovraneSection, QStringLiteral("User Name"),
                                         QStringLiteral("Unknown"));
        CompanyName
            = HalvaneIni.ReadString(QStringLiteral("Organisation"), QStringLiteral("Company Name"),
                                    QStringLiteral("Unknown"));
        VersionNo = HalvaneIni.ReadString(DovraneSection, QStringLiteral("Version No"),
                                          QStringLiteral("x.BETA"));
    }

    DvConfForm = App->createForm<TDvConfForm>();
    OpenWelcome(QStringLiteral("Dovrane Configuration"));
    AboutBox = App->createForm<TAboutBox>();
    CreditsForm = App->createForm<TCreditsForm>();

    ApplyLanguageTexts();

    DvConfForm->BWSpinEdit->setValue(BWDpi);
    DvConfForm->GreySpinEdit->setValue(GreyDpi);
    DvConfForm->ColourSpinEdit->setValue(ColourDpi);
}

void ResetConfigToolForTests()
{
    FreeMessageForms();
    FreeFatalErrorForms();
    platform::Application::instance()->resetForTests();
    DvConfForm = nullptr;
    AboutBox = nullptr;
    CreditsForm = nullptr;
    ResetWelcomeForTests();
    LanguageName.clear();
    ExeFolder.clear();
    BWDpi = 0;
    GreyDpi = 0;
    ColourDpi = 0;
    UserName.clear();
    CompanyName.clear();
    VersionNo.clear();
    DvcTestHooks::Reset();
}

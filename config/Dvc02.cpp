#include "Dvc02.h"

#include "Controls.h"
#include "Dvc03.h"
#include "platform/application.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

TAboutBox *AboutBox = nullptr;

void SetAutoSizeCaption(platform::Label *Label, const QString &Caption)
{
    Label->setCaption(Caption);
    Label->adjustSize();
}

TAboutBox::TAboutBox()
{
    setObjectName(QStringLiteral("AboutBox"));
    setBorderStyle(platform::BorderStyle::Dialog);
    platform::setCaption(this, QStringLiteral("Dovrane User Configuration - About"));
    platform::setHint(this, QStringLiteral("Select OK to return"));
    setClientSize(440, 296);
    SetButtonFaceColour(this);
    setFont(ArialFont(Pt8, true));
    SetBlackText(this);
    SetToolIcon(this);

    AboutPanel = CreatePanel(this, QStringLiteral("AboutPanel"), QRect(8, 8, 425, 281), QFrame::Box,
                             QFrame::Plain);
    Image1 = CreatePicture(AboutPanel, QStringLiteral("Image1"), QRect(8, 16, 169, 105),
                           QStringLiteral(":/config/about-logo.png"), QSize(166, 96));
    Panel1 = CreatePanel(AboutPanel, QStringLiteral("Panel1"), QRect(296, 16, 113, 73), QFrame::Box,
                         QFrame::Plain);
    AboutOKButton = CreateButton(Panel1, QStringLiteral("AboutOKButton"), QRect(6, 6, 97, 25),
                                 QStringLiteral("&OK"));
    CreditsButton = CreateButton(Panel1, QStringLiteral("CreditsButton"), QRect(6, 38, 97, 25),
                                 QStringLiteral("&Credits"));

    const QFont Regular = ArialFont(Pt8);
    const QFont Bold = ArialFont(Pt8, true);
    AboutUserLabel = CreateLabel(AboutPanel, QStringLiteral("AboutUserLabel"), 8, 136,
                                 QStringLiteral("User"), Regular);
    AboutUserField
        = CreateLabel(AboutPanel, QStringLiteral("AboutUserField"), 128, 136, QString(), Bold);
    AboutCompanyLabel = CreateLabel(AboutPanel, QStringLiteral("AboutCompanyLabel"), 8, 152,
                                    QStringLiteral("Company"), Regular);
    AboutCompanyField
        = CreateLabel(AboutPanel, QStringLiteral("AboutCompanyField"), 128, 152, QString(), Bold);
    AboutVersionLabel = CreateLabel(AboutPanel, QStringLiteral("AboutVersionLabel"), 8, 168,
                                    QStringLiteral("Version"), Regular);
    AboutVersionField
        = CreateLabel(AboutPanel, QStringLiteral("AboutVersionField"), 128, 168, QString(), Bold);

    AboutGroupBox = new QGroupBox(AboutPanel);
    AboutGroupBox->setObjectName(QStringLiteral("AboutGroupBox"));
    AboutGroupBox->setGeometry(8, 200, 409, 73);
    AboutWarningLabel = new platform::Label(AboutGroupBox);
    AboutWarningLabel->setObjectName(QStringLiteral("AboutWarningLabel"));
    AboutWarningLabel->setFont(Bold);
    AboutWarningLabel->setWordWrap(true);
    AboutWarningLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    AboutWarningLabel->setGeometry(AboutGroupBox->contentsRect().adjusted(6, 6, -6, -4));

    platform::bind(AboutOKButton, &QPushButton::clicked, this, &TAboutBox::AboutOKButtonClick);
    platform::bind(CreditsButton, &QPushButton::clicked, this, &TAboutBox::CreditsButtonClick);
}

void TAboutBox::AboutOKButtonClick()
{
    platform::setModalResult(this, platform::mrOk);
}

void TAboutBox::CreditsButtonClick()
{
    CreditsForm->centerOnScreen();
    platform::Application::instance()->showModal(CreditsForm);
    activateWindow();
    CreditsButton->setFocus();
}

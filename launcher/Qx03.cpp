#include "Qx03.h"

#include "Qx01.h"
#include "Qx04.h"

#include "platform/application.h"
#include "platform/speedbutton.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QToolTip>

TAboutBox *AboutBox = nullptr;

namespace {

platform::Label *NewLabel(QWidget *Parent, const char *Name, int Left, int Top,
                          const QString &Caption, bool Bold)
{
    auto *Label = new platform::Label(Caption, Parent);
    Label->setObjectName(QString::fromLatin1(Name));
    Label->setFont(ArialFont(Bold));
    Label->move(Left, Top);
    Label->setAutoSize(true);
    return Label;
}

// Keeps a control from showing a hint, its parents' hints included.
class NoHint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject * /*Watched*/, QEvent *Event) override
    {
        if (Event->type() != QEvent::ToolTip)
            return false;
        QToolTip::hideText();
        return true;
    }
};

} // namespace

TAboutBox::TAboutBox()
{
    setObjectName(QStringLiteral("AboutBox"));
    setBorderStyle(platform::BorderStyle::Dialog);
    setClientSize(441, 259);
    SetWorkSpaceColours(this);
    setFont(ArialFont(true));
    setWindowIcon(QIcon(QStringLiteral(":/launcher/icon.png")));
    platform::setCaption(this, QStringLiteral("Quixbar - About"));
    platform::setHint(this, QStringLiteral("Select OK to return"));
    centerOnScreen();

    AboutPanel = NewPanel(this, "AboutPanel", QRect(8, 8, 425, 243));
    Image1 = new QLabel(AboutPanel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 140, 81);
    Image1->setScaledContents(true);
    Image1->setPixmap(platform::loadPicture(QStringLiteral(":/launcher/logo.png"), {140, 81}));
    Panel1 = NewPanel(AboutPanel, "Panel1", QRect(296, 15, 113, 73));

    AboutOKButton = new QPushButton(QStringLiteral("&OK"), this);
    AboutOKButton->setObjectName(QStringLiteral("AboutOKButton"));
    AboutOKButton->setGeometry(314, 34, 97, 25);
    AboutOKButton->setDefault(true);
    AuthorButton = new QPushButton(QStringLiteral("&Credits"), this);
    AuthorButton->setObjectName(QStringLiteral("AuthorButton"));
    AuthorButton->setGeometry(314, 66, 97, 25);
    AuthorButton->installEventFilter(new NoHint(AuthorButton));

    AboutUserLabel = NewLabel(AboutPanel, "AboutUserLabel", 8, 96, QStringLiteral("User"), false);
    AboutUserField = NewLabel(AboutPanel, "AboutUserField", 128, 96, QString(), true);
    AboutCompanyLabel
        = NewLabel(AboutPanel, "AboutCompanyLabel", 8, 112, QStringLiteral("Company"), false);
    AboutCompanyField = NewLabel(AboutPanel, "AboutCompanyField", 128, 112, QString(), true);
    AboutVersionNoLabel
        = NewLabel(AboutPanel, "AboutVersionNoLabel", 8, 128, QStringLiteral("Version"), false);
    AboutVersionField = NewLabel(AboutPanel, "AboutVersionField", 128, 128, QString(), true);

    AboutGroupBox = new QGroupBox(AboutPanel);
    AboutGroupBox->setObjectName(QStringLiteral("AboutGroupBox"));
    AboutGroupBox->setGeometry(8, 160, 409, 73);
    AboutWarningLabel = new platform::Label(AboutGroupBox);
    AboutWarningLabel->setObjectName(QStringLiteral("AboutWarningLabel"));
    AboutWarningLabel->setFont(ArialFont(true));
    AboutWarningLabel->setWordWrap(true);
    AboutWarningLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Inside the group box's frame.
    AboutWarningLabel->setGeometry(AboutGroupBox->contentsRect().adjusted(6, 6, -6, -6));

    platform::bind(this, &platform::Form::shown, this, &TAboutBox::FormShow);
    platform::bind(AboutOKButton, &QAbstractButton::clicked, this, &TAboutBox::AboutOKButtonClick);
    platform::bind(AuthorButton, &QAbstractButton::clicked, this, &TAboutBox::AuthorButtonClick);
}

void TAboutBox::FormShow()
{
    // Each field sizes itself to its text, so a long name is not cut short; a name is shown as
    // written, "&" included.
    AboutUserField->setCaption(platform::escapeAccessKeys(UserName));
    AboutCompanyField->setCaption(platform::escapeAccessKeys(CompanyName));
    AboutVersionField->setCaption(platform::escapeAccessKeys(VersionNo));
}

void TAboutBox::AboutOKButtonClick()
{
    platform::setModalResult(this, platform::mrOk);
}

void TAboutBox::AuthorButtonClick()
{
    platform::Application::instance()->showModal(CreditsForm);
    AboutOKButton->setFocus();
}

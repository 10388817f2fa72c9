#include "FatalErr.h"

#include "Controls.h"
#include "platform/application.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <vector>

TFatalErrorForm *FatalErrorForm = nullptr;

namespace {
// Every dialog made so far: each use makes a new one, and they live until the program ends.
std::vector<QPointer<TFatalErrorForm>> CreatedForms;
} // namespace

TFatalErrorForm::TFatalErrorForm()
{
    setObjectName(QStringLiteral("FatalErrorForm"));
    setBorderStyle(platform::BorderStyle::Dialog);
    platform::setCaption(this, QStringLiteral("Halvane Environment Error"));
    setClientSize(265, 161);
    setFont(SystemFont(Pt8));
    SetToolIcon(this);

    Panel1 = CreatePanel(this, QStringLiteral("Panel1"), QRect(8, 8, 249, 145), QFrame::Panel,
                         QFrame::Sunken);
    Image1 = CreatePicture(Panel1, QStringLiteral("Image1"), QRect(16, 16, 129, 49),
                           QStringLiteral(":/platform/vendor.png"), QSize(126, 51));
    FatalErrLabel = CreateLabel(Panel1, QStringLiteral("FatalErrLabel"), 16, 88,
                                QStringLiteral("Fatal Error number: "), font());
    FatalErrNo = new QLineEdit(Panel1);
    FatalErrNo->setObjectName(QStringLiteral("FatalErrNo"));
    FatalErrNo->setGeometry(112, 84, 41, 21);
    FatalErrNo->setReadOnly(true);
    TerminateLabel = CreateLabel(Panel1, QStringLiteral("TerminateLabel"), 16, 120,
                                 QStringLiteral("This Program will Terminate, press OK"), font());
    OKButton = CreateButton(Panel1, QStringLiteral("OKButton"), QRect(200, 112, 41, 25),
                            QStringLiteral("OK"));
    // OK comes first, so it holds the focus when the dialog opens.
    setTabOrder(OKButton, FatalErrNo);
    OKButton->setFocus();
    platform::bind(OKButton, &QPushButton::clicked, this, &TFatalErrorForm::OKButtonClick);

    // A fixed place on the screen, not centred.
    move(200, 108);
}

void TFatalErrorForm::OKButtonClick()
{
    platform::Application::instance()->terminate();
}

void TFatalErrorForm::closeEvent(QCloseEvent *Event)
{
    platform::guarded([] { platform::Application::instance()->terminate(); });
    platform::Form::closeEvent(Event);
}

void ShowFatalError(int Number)
{
    auto *App = platform::Application::instance();
    FatalErrorForm = new TFatalErrorForm();
    CreatedForms.emplace_back(FatalErrorForm);
    FatalErrorForm->FatalErrNo->setText(QString::number(Number));
    App->setScreenCursor(platform::ScreenCursor::Default);
    App->showModal(FatalErrorForm);
}

void FreeFatalErrorForms()
{
    for (const auto &Form : CreatedForms)
        delete Form.data();
    CreatedForms.clear();
    FatalErrorForm = nullptr;
}

#include "Message.h"

#include "Controls.h"
#include "FatalErr.h"
#include "Program.h"
#include "shared/IniFiles.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

#include <vector>

TMessageForm *MessageForm = nullptr;
platform::ScreenCursor SavedCursor = platform::ScreenCursor::Default;

namespace {
// Every dialog made so far: each message makes a new one, and they live until the program ends.
std::vector<QPointer<TMessageForm>> CreatedForms;
} // namespace

TMessageForm::TMessageForm()
{
    setObjectName(QStringLiteral("MessageForm"));
    setBorderStyle(platform::BorderStyle::Dialog);
    setStayOnTop(true);
    setClientSize(369, 72);
    SetWorkspaceColour(this);
    setFont(SystemFont(Pt8, true));
    SetBlackText(this);
    SetToolIcon(this);

    Panel1 = CreatePanel(this, QStringLiteral("Panel1"), rect(), QFrame::NoFrame, QFrame::Plain);
    OKButton = CreateButton(Panel1, QStringLiteral("OKButton"), QRect(272, 6, 89, 26),
                            QStringLiteral("OK"));
    OKButton->setFont(ArialFont(Pt8));
    GroupBox = new QGroupBox(Panel1);
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    GroupBox->setGeometry(8, 1, 257, 64);
    SetButtonFaceColour(GroupBox);
    MessageLabel = new platform::Label(GroupBox);
    MessageLabel->setObjectName(QStringLiteral("MessageLabel"));
    MessageLabel->setFont(ArialFont(Pt8));
    MessageLabel->setWordWrap(true);
    MessageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MessageLabel->setGeometry(GroupBox->contentsRect().adjusted(6, 6, -6, -4));
    OKButton->setFocus();

    platform::bind(OKButton, &QPushButton::clicked, this, &TMessageForm::OKButtonClick);
    // OK is the default button: Enter presses it wherever the focus is.
    for (const int Key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *Shortcut = new QShortcut(QKeySequence(Key), this);
        connect(Shortcut, &QShortcut::activated, OKButton, &QPushButton::click);
    }
}

void TMessageForm::OKButtonClick()
{
    platform::Application::instance()->setScreenCursor(SavedCursor);
    close();
}

void DisplayMessage(int Number, const QString &Section)
{
    auto *App = platform::Application::instance();
    MessageForm = new TMessageForm();
    CreatedForms.emplace_back(MessageForm);

    // "Setup" stands for the system's own language setting; any other spelling is a section.
    QString Language;
    {
        const TIniFile WinIni(QStringLiteral("Win.Ini"));
        if (Section == QLatin1String("Setup"))
            Language = WinIni.ReadString(QStringLiteral("intl"), QStringLiteral("sLanguage"),
                                         QStringLiteral("eng"));
        else
            Language
                = WinIni.ReadString(Section, QStringLiteral("Language"), QStringLiteral("eng"));
    }

    platform::setCaption(MessageForm, QString());
    const TIniFile Catalogue(ProgramFolder() + QStringLiteral("Halvane.Msg"));
    const QString Caption
        = Catalogue.ReadString(Language, QStringLiteral("Caption.MessageForm"), QString());
    platform::setCaption(MessageForm, Caption);
    if (Caption.isEmpty()) {
        // The program is terminating when this returns, so the dialog below closes at once.
        ShowFatalError(4);
    }

    const QString Key = QString::number(Number);
    const QString Text = Catalogue.ReadString(Language, Key, Language + QLatin1Char('-') + Key);
    SetShownText(MessageForm->MessageLabel, Text, false);

    SavedCursor = App->screenCursor();
    App->setScreenCursor(platform::ScreenCursor::Default);
    MessageForm->centerOnScreen();
    App->showModal(MessageForm);
}

void FreeMessageForms()
{
    for (const auto &Form : CreatedForms)
        delete Form.data();
    CreatedForms.clear();
    MessageForm = nullptr;
    SavedCursor = platform::ScreenCursor::Default;
}

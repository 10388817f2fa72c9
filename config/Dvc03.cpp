#include "Dvc03.h"

#include "Controls.h"
#include "platform/application.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

TCreditsForm *CreditsForm = nullptr;

TCreditsForm::TCreditsForm()
{
    setObjectName(QStringLiteral("CreditsForm"));
    setBorderStyle(platform::BorderStyle::Dialog);
    platform::setCaption(this, QStringLiteral("Thanks to:"));
    setClientSize(401, 209);
    SetWorkspaceColour(this);
    setFont(SystemFont(Pt8));
    SetToolIcon(this);

    Panel1 = CreatePanel(this, QStringLiteral("Panel1"), QRect(6, 8, 387, 193), QFrame::Panel,
                         QFrame::Sunken);
    Image1 = CreatePicture(Panel1, QStringLiteral("Image1"), QRect(8, 8, 129, 57),
                           QStringLiteral(":/platform/vendor.png"), QSize(126, 51));
    ThanksMemo = new QPlainTextEdit(Panel1);
    ThanksMemo->setObjectName(QStringLiteral("ThanksMemo"));
    ThanksMemo->setGeometry(8, 64, 369, 121);
    ThanksMemo->setReadOnly(true);
    ThanksMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ThanksMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ThanksMemo->setFont(ArialFont(Pt8));
    ThanksMemo->setPlainText(QStringList {
        QStringLiteral("Many thanks to:"),
        QString(),
        QStringLiteral("Morwenna Tresize,"),
        QStringLiteral("Idris Pengelly,"),
        QStringLiteral("Sanne Verhoef,"),
        QStringLiteral("Tomasz Wierzba,"),
        QStringLiteral("Aoife Dunleavy,"),
        QStringLiteral("Rhys Carrow"),
        QStringLiteral("And all the others who have contributed to this product."),
        QString(),
        QStringLiteral("Built with the Qt toolkit."),
        QStringLiteral("Scanner access through SANE."),
    }
                                 .join(QLatin1Char('\n')));

    OKPanel = CreatePanel(Panel1, QStringLiteral("OKPanel"), QRect(240, 8, 137, 49), QFrame::Panel,
                          QFrame::Sunken);
    OKButton = CreateButton(OKPanel, QStringLiteral("OKButton"), QRect(10, 10, 113, 25),
                            QStringLiteral("&OK"));
    platform::bind(OKButton, &QPushButton::clicked, this, &TCreditsForm::OKButtonClick);
}

void TCreditsForm::OKButtonClick()
{
    close();
}

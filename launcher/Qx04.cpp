#include "Qx04.h"

#include "Qx01.h"

#include "platform/application.h"
#include "platform/speedbutton.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

TCreditsForm *CreditsForm = nullptr;

namespace {

const char *const Thanks[] = {
    "Many thanks to:",
    "",
    "Alison Brereton,",
    "Duncan Fairweather,",
    "Gwen Morcombe,",
    "Ian Lockhart,",
    "Jenny Ashdown,",
    "Kieran O'Donnell,",
    "Margaret Pennock,",
    "Rhys Cadwallader,",
    "Simon Threlfall,",
    "Tessa Whitcombe",
    "And all the others who have contributed to this product.",
    "",
    "Built with C++ and the Qt toolkit.",
};

} // namespace

TCreditsForm::TCreditsForm()
{
    setObjectName(QStringLiteral("CreditsForm"));
    setBorderStyle(platform::BorderStyle::Dialog);
    setClientSize(401, 209);
    SetWorkSpaceColours(this);
    setFont(SansSerifFont());
    platform::setCaption(this, QStringLiteral("Thanks to:"));
    centerOnScreen();

    Panel1 = NewPanel(this, "Panel1", QRect(6, 8, 387, 193));
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 129, 57);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(platform::loadPicture(QStringLiteral(":/launcher/vendor.png"), {126, 51}));

    ThanksMemo = new QPlainTextEdit(Panel1);
    ThanksMemo->setObjectName(QStringLiteral("ThanksMemo"));
    ThanksMemo->setGeometry(8, 64, 369, 121);
    ThanksMemo->setReadOnly(true);
    ThanksMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ThanksMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ThanksMemo->setFont(ArialFont(false));
    QStringList Lines;
    for (const char *Line : Thanks)
        Lines.append(QString::fromLatin1(Line));
    ThanksMemo->setPlainText(Lines.join(QLatin1Char('\n')));

    OKPanel = NewPanel(Panel1, "OKPanel", QRect(240, 8, 137, 49));
    OKButton = new QPushButton(QStringLiteral("&OK"), OKPanel);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(10, 10, 113, 25);
    OKButton->setDefault(true);

    platform::bind(OKButton, &QAbstractButton::clicked, this, &TCreditsForm::OKButtonClick);
}

void TCreditsForm::OKButtonClick()
{
    close();
}

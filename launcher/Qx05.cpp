#include "Qx05.h"

#include "Qx01.h"

#include "platform/speedbutton.h"

#include <QPalette>

TPositionForm *PositionForm = nullptr;

TPositionForm::TPositionForm()
{
    setObjectName(QStringLiteral("PositionForm"));
    setBorderStyle(platform::BorderStyle::None);
    // The mouse stays with the bar's move handle during the drag, so the ghost never needs input.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                   | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette Colours = palette();
    Colours.setColor(QPalette::Window, Qt::black);
    setPalette(Colours);
    setAutoFillBackground(true);
    setFont(SansSerifFont());
    setClientSize(262, 22);

    QBarBtn = NewBarButton(this, "QBarBtn", QBarGlyph, true);
    DVButton = NewBarButton(this, "DVButton", DVGlyph, false);
    ConfigButton = NewBarButton(this, "ConfigButton", ConfigGlyph, false);
    OCRButton = NewBarButton(this, "OCRButton", OCRGlyph, false);
    CabinetButton = NewBarButton(this, "CabinetButton", CabinetGlyph, false);
    PhoneButton = NewBarButton(this, "PhoneButton", PhoneGlyph, false);
    HelpButton = NewBarButton(this, "HelpButton", HelpGlyph, true);
    AboutButton = NewBarButton(this, "AboutButton", AboutGlyph, true);
    ExitButton = NewBarButton(this, "ExitButton", ExitGlyph, true);
    // Only the handle looks live; the rest show their disabled images.
    for (platform::SpeedButton *Button : {DVButton, ConfigButton, OCRButton, CabinetButton,
                                          PhoneButton, HelpButton, AboutButton, ExitButton})
        Button->setEnabled(false);
}

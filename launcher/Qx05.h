#pragma once

#include "platform/form.h"

namespace platform {
class SpeedButton;
}

// The ghost of the bar: a copy with the same buttons, shown only while the bar is dragged and
// following the mouse. It takes no input, no focus and no task bar entry.
class TPositionForm : public platform::Form
{
    Q_OBJECT
public:
    TPositionForm();

    platform::SpeedButton *QBarBtn;
    platform::SpeedButton *DVButton;
    platform::SpeedButton *ConfigButton;
    platform::SpeedButton *OCRButton;
    platform::SpeedButton *CabinetButton;
    platform::SpeedButton *PhoneButton;
    platform::SpeedButton *HelpButton;
    platform::SpeedButton *AboutButton;
    platform::SpeedButton *ExitButton;
};

extern TPositionForm *PositionForm;

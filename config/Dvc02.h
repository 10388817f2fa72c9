#pragma once

#include "platform/form.h"

class QGroupBox;
class QLabel;
class QPushButton;

// The About box: the product's logo, the user, the company, the version and a notice. The
// handler that opens it fills its fields.
class TAboutBox : public platform::Form
{
    Q_OBJECT
public:
    TAboutBox();

    QFrame *AboutPanel;
    QLabel *Image1;
    QFrame *Panel1;
    QPushButton *AboutOKButton;
    QPushButton *CreditsButton;
    platform::Label *AboutUserLabel;
    platform::Label *AboutUserField;
    platform::Label *AboutCompanyLabel;
    platform::Label *AboutCompanyField;
    platform::Label *AboutVersionLabel;
    platform::Label *AboutVersionField;
    QGroupBox *AboutGroupBox;
    platform::Label *AboutWarningLabel;

    // Closes the box with the result OK.
    void AboutOKButtonClick();
    // Shows the Credits box modally over this one; afterwards the focus is on Credits again.
    void CreditsButtonClick();
};

extern TAboutBox *AboutBox;

// Sets a label's caption and sizes the label to it.
void SetAutoSizeCaption(platform::Label *Label, const QString &Caption);

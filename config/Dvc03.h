#pragma once

#include "platform/form.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The Credits box: the vendor logo and the thanks.
class TCreditsForm : public platform::Form
{
    Q_OBJECT
public:
    TCreditsForm();

    QFrame *Panel1;
    QLabel *Image1;
    QPlainTextEdit *ThanksMemo;
    QFrame *OKPanel;
    QPushButton *OKButton;

    // Closes the box.
    void OKButtonClick();
};

extern TCreditsForm *CreditsForm;

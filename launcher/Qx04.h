#pragma once

#include "platform/form.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The Credits box: the vendor's logo and the people the product thanks.
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

    void OKButtonClick();
};

extern TCreditsForm *CreditsForm;

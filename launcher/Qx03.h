#pragma once

#include "platform/form.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The About box: the product's logo, the user, the company and the version, and a notice.
class TAboutBox : public platform::Form
{
    Q_OBJECT
public:
    TAboutBox();

    QFrame *AboutPanel;
    QLabel *Image1;
    QFrame *Panel1;
    QPushButton *AboutOKButton;
    QPushButton *AuthorButton;
    platform::Label *AboutUserLabel;
    platform::Label *AboutUserField;
    platform::Label *AboutCompanyLabel;
    platform::Label *AboutCompanyField;
    platform::Label *AboutVersionNoLabel;
    platform::Label *AboutVersionField;
    QGroupBox *AboutGroupBox;
    platform::Label *AboutWarningLabel;

    void FormShow();
    void AboutOKButtonClick();
    void AuthorButtonClick();
};

extern TAboutBox *AboutBox;

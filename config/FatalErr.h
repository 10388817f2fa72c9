#pragma once

#include "platform/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The fixed English dialog for a problem that even the message machinery cannot report.
class TFatalErrorForm : public platform::Form
{
    Q_OBJECT
public:
    TFatalErrorForm();

    QFrame *Panel1;
    QLabel *Image1;
    platform::Label *FatalErrLabel;
    QLineEdit *FatalErrNo;
    platform::Label *TerminateLabel;
    QPushButton *OKButton;

    // Asks the application to terminate; the dialog's modal loop is the first to take that.
    void OKButtonClick();

protected:
    // The dialog promises the end of the program, so closing it through its frame ends it too.
    void closeEvent(QCloseEvent *Event) override;
};

// The most recently created fatal-error dialog.
extern TFatalErrorForm *FatalErrorForm;

// Shows fatal error Number modally with the arrow cursor (not put back afterwards). Returns
// when the dialog's loop ends, which after its OK is while the program is terminating.
void ShowFatalError(int Number);

// Deletes every fatal-error dialog made so far and forgets them.
void FreeFatalErrorForms();

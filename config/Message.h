#pragma once

#include "platform/application.h"
#include "platform/form.h"

class QGroupBox;
class QPushButton;

// The dialog that shows one numbered message of the catalogue in the user's language.
class TMessageForm : public platform::Form
{
    Q_OBJECT
public:
    TMessageForm();

    QFrame *Panel1;
    QPushButton *OKButton;
    QGroupBox *GroupBox;
    platform::Label *MessageLabel;

    // Puts the saved cursor back and closes the dialog.
    void OKButtonClick();
};

// The most recently created message dialog.
extern TMessageForm *MessageForm;
// The screen cursor in effect when the message dialog opened; OK puts it back.
extern platform::ScreenCursor SavedCursor;

// Shows message Number of "Halvane.Msg" beside the executable modally, in the language that
// Win.Ini gives for Section ([intl] sLanguage when Section is exactly "Setup"), and returns
// when its loop ends. A catalogue without a caption for that language shows fatal error 4.
void DisplayMessage(int Number, const QString &Section);

// Deletes every message dialog made so far and forgets them; the cursor memory goes back to the
// arrow.
void FreeMessageForms();

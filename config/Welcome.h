#pragma once

#include "platform/form.h"

class QLabel;

// The small window that shows the product, its version, the user and the company while the tool
// starts.
class TWelcomeForm : public platform::Form
{
    Q_OBJECT
public:
    TWelcomeForm();

    QFrame *Panel1;
    QLabel *LogoImage;
    platform::Label *ProductLabel;
    platform::Label *Label1;
    platform::Label *Label2;
    platform::Label *UserNameLabel;
};

// The Welcome window, or nullptr before OpenWelcome made it.
extern TWelcomeForm *WelcomeForm;

// Makes, fills and shows the Welcome window without waiting, painted completely, and sets the
// hourglass cursor. Title is the product shown and the section its values are read from. When
// the window cannot be made or filled, shows fatal error 1 instead.
void OpenWelcome(const QString &Title);
// Hides the Welcome window and puts the arrow cursor back.
void CloseWelcome();

// Forgets the Welcome window (the application object deletes it).
void ResetWelcomeForTests();

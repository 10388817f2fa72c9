#pragma once

#include "platform/form.h"

#include <QString>

#include <functional>

class QFrame;
class QLabel;

// The splash picture shown beside the bar for the first seconds. It is the application's main
// form, hidden but never closed, so it lives for the whole run.
class TQBarForm : public platform::Form
{
    Q_OBJECT
public:
    TQBarForm();

    QFrame *Panel1;
    QLabel *Image1;
    QLabel *Image2;

    void FormShow();
};

extern TQBarForm *QBarForm;

// The folder of the running program with its trailing separator, where Qx.Lng and QX.HLP lie.
// Tests replace it with a folder of their own.
extern std::function<QString()> ProgramFolder;

// Creates the forms in their fixed order, reads the settings and the identity, places the
// buttons and applies the language texts. Nothing is shown yet.
void LauncherStartup();

// The whole program after the application object exists: start-up, the title and help file,
// then the message loop until Exit.
void RunLauncher();

// For tests: deletes every form, forgets them, and puts the launcher state back as a fresh
// process has it.
void ResetLauncherForTests();

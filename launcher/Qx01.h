#pragma once

#include "platform/form.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <functional>

class QFrame;
class QTimer;
namespace platform {
class SpeedButton;
}

// The launcher state: written by the start-up routine, used by the bar's handlers.

extern QString LanguageName; // section of Qx.Lng that holds the texts
extern QString BarAxis; // "H" lays the buttons out in a row, anything else in a column
// Installation state of each product: NotInstalled hides its button(s), any other value shows.
extern int CopierFunctions;
extern int OCRFunctions;
extern int CabinetFunctions;
extern int PhoneFunctions;
// Folders the product buttons start their programs in, exactly as stored.
extern QString CopierPath;
extern QString OCRPath;
extern QString CabinetPath;
extern QString PhonePath;
// Identity shown by the About box.
extern QString UserName;
extern QString CompanyName;
extern QString VersionNo;
// Placement cursor and step of ArrangeButtons.
extern int NextLeft;
extern int NextTop;
extern int StepLeft;
extern int StepTop;
// Drag of the move handle: in progress, and the grip point inside the handle.
extern bool Dragging;
extern int DragStartX;
extern int DragStartY;

inline constexpr int NotInstalled = 9999;

// Asks the desktop to start a program file found in a folder; the result is not wanted.
// Tests replace it to see the requests.
extern std::function<void(const QString &File, const QString &Directory)> LaunchProgram;
// The whole desktop, the union of all screens: a drop beyond its top or left edge docks the bar.
// Tests replace it to stand for other screen arrangements.
extern std::function<QRect()> DesktopGeometry;

// Puts the launcher state and the replaceable functions above back as a fresh process has them.
void ResetLauncherState();

// The launcher's fonts at the pixel size they were designed for, in an available family.
QFont SansSerifFont(); // the forms' font
QFont ArialFont(bool Bold); // the About and Credits texts
// The About and Credits boxes: the colour of the application work space, with black text.
void SetWorkSpaceColours(QWidget *Form);

// A panel of the About and Credits boxes: a thin single line, without a bevel.
QFrame *NewPanel(QWidget *Parent, const char *Name, const QRect &Bounds);

// The glyph of a bar button: its picture in the launcher's artwork, its size in pixels, and how
// many images lie side by side in it.
struct TGlyph
{
    const char *Picture;
    int Width;
    int Height;
    int Count;
};
extern const TGlyph DVGlyph, ExitGlyph, HelpGlyph, AboutGlyph, PhoneGlyph, OCRGlyph, CabinetGlyph,
    ConfigGlyph, QBarGlyph;
// A 29 x 21 bar button named Name at Left 1, Top 1 of Owner, hidden unless Visible.
platform::SpeedButton *NewBarButton(QWidget *Owner, const char *Name, const TGlyph &Glyph,
                                    bool Visible);

// The tool bar: a move handle, a button per installed product, Help, About and Exit.
class TQuixbarForm : public platform::Form
{
    Q_OBJECT
public:
    TQuixbarForm();

    platform::SpeedButton *DVButton;
    platform::SpeedButton *ExitButton;
    QTimer *Timer1;
    platform::SpeedButton *HelpButton;
    platform::SpeedButton *AboutButton;
    platform::SpeedButton *PhoneButton;
    platform::SpeedButton *OCRButton;
    platform::SpeedButton *CabinetButton;
    platform::SpeedButton *ConfigButton;
    platform::SpeedButton *QBarBtn;

    // Shows the buttons of installed products and places the buttons of the bar and of its ghost
    // along BarAxis, then sizes both forms. Keeps both forms' positions.
    void ArrangeButtons();

    void DvButtonClick();
    void ConfigButtonClick();
    void OCRButtonClick();
    void CabinetButtonClick();
    void PhoneButtonClick();
    void HelpButtonClick();
    void AboutButtonClick();
    void ExitButtonClick();
    void Timer1Timer();
    void QBarBtnMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void QBarBtnMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void QBarBtnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
};

extern TQuixbarForm *QuixbarForm;

#pragma once

#include "platform/form.h"

#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
namespace platform {
class RadioGroup;
class SpinEdit;
} // namespace platform

// The configuration dialog: three copy resolutions, five paper sizes with the default one, and
// the scanner source. It is the tool's main window.
class TDvConfForm : public platform::Form
{
    Q_OBJECT
public:
    TDvConfForm();

    QFrame *Panel1;
    QGroupBox *DpiBox;
    platform::Label *BWLabel;
    platform::Label *GreyLabel;
    platform::Label *ColourLabel;
    platform::SpinEdit *BWSpinEdit;
    platform::SpinEdit *GreySpinEdit;
    platform::SpinEdit *ColourSpinEdit;
    QFrame *Panel3;
    QLabel *BWImage;
    QFrame *Panel5;
    QLabel *GreyImage;
    QFrame *Panel4;
    QLabel *ColourImage;
    QFrame *Panel6;
    platform::RadioGroup *SizeGroup;
    QComboBox *ComboBox2;
    QComboBox *ComboBox3;
    QComboBox *ComboBox4;
    QComboBox *ComboBox5;
    QComboBox *ComboBox6;
    QFrame *Panel2;
    QGroupBox *SourceListBox;
    QPushButton *Button1;
    QFrame *Panel7;
    QFrame *Panel8;
    QPushButton *AboutBitBtn;
    QPushButton *CancelBitBtn;
    QPushButton *ExitBitBtn;

    // Paper list N (1 to 5).
    QComboBox *PaperList(int N) const;

    // On the first showing: fills the paper lists from Dv.Lng, selects the stored sizes and the
    // default, and closes the Welcome window.
    void FormShow();
    // Stores the resolutions in Win.Ini and the paper sizes in Dv.Lng, then ends the tool. A
    // failed write stops here: what was written stays, and the dialog stays open.
    void ExitBitBtnClick();
    // Ends the tool without storing anything.
    void CancelBitBtnClick();
    // Shows the About box with the identity read at start-up.
    void AboutBitBtnClick();
    // Opens the scanner source selection, owned by this dialog.
    void Button1Click();

private:
    void CreateResolutionControls();
    void CreatePaperControls();
    void CreateSourceControls();
    void CreateButtons();
    void SetTabOrder();

    bool FShown = false;
};

extern TDvConfForm *DvConfForm;

// What start-up reads, for the rest of the tool's run.
extern QString LanguageName;
extern QString ExeFolder;
extern int BWDpi;
extern int GreyDpi;
extern int ColourDpi;
extern QString UserName;
extern QString CompanyName;
extern QString VersionNo;

// One row of the paper table: the key a size is stored under, and the name shown when Dv.Lng
// names none.
struct TPaperRow
{
    const char *Key;
    const char *FallbackName;
};
inline constexpr int PaperCount = 15;
extern const TPaperRow PaperTable[PaperCount];

// The position (1 to 15) of the entry of paper list 1 that equals DisplayName exactly; of equal
// entries the last wins; position 1 when none is equal.
int FindPaperPosition(const QString &DisplayName);
// The paper key of position 1 to 15; the empty text for any other position.
QString PaperKeyAt(int Position);

// Prepares the tool before its message loop: reads the settings, checks for Dv.Lng, creates
// the forms, opens the Welcome window, applies the texts of DvConf.Lng and sets the resolutions.
// A missing language or Dv.Lng is reported as a message and ends the tool once the loop runs.
void DvConfStartUp();

// Puts every module of the tool back as a fresh process has it, forms deleted, for tests that
// run the start-up many times in one process.
void ResetConfigToolForTests();

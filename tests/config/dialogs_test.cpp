// The About and Credits boxes, the dialog's fixed layout and the Select Source button.
#include "fixture.h"

#include "config/Dvc01.h"
#include "config/Dvc02.h"
#include "config/Dvc03.h"
#include "config/Welcome.h"
#include "platform/radiogroup.h"
#include "platform/spinedit.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace testsupport;

class DvConfDialogsTest : public ConfigTest
{
protected:
    struct AboutSeen
    {
        QString user, company, version;
        bool creditsShown = false;
        QString creditsFirstLine;
        QWidget *focusAfterCredits = nullptr;
        bool aboutVisibleAfterCredits = false;
    };

    // Presses About, then Credits, OK on the Credits box and OK on the About box.
    std::shared_ptr<AboutSeen> aboutRoundTrip()
    {
        auto seen = std::make_shared<AboutSeen>();
        onNextModal([seen](QWidget *about) {
            auto *box = qobject_cast<TAboutBox *>(about);
            ASSERT_NE(box, nullptr);
            seen->user = box->AboutUserField->text();
            seen->company = box->AboutCompanyField->text();
            seen->version = box->AboutVersionField->text();
            onNextModal([seen, box](QWidget *credits) {
                seen->creditsShown = credits == CreditsForm;
                seen->creditsFirstLine
                    = CreditsForm->ThanksMemo->toPlainText().section(QLatin1Char('\n'), 0, 0);
                onNextModal([seen, box](QWidget *back) {
                    // Back on the About box: look once the Credits handler has finished.
                    QTimer::singleShot(0, box, [seen, box, back] {
                        seen->aboutVisibleAfterCredits = back == box && box->isVisible();
                        seen->focusAfterCredits = box->focusWidget();
                        box->AboutOKButton->click();
                    });
                });
                clickLater(CreditsForm->OKButton);
            });
            clickLater(box->CreditsButton);
        });
        DvConfForm->AboutBitBtn->click();
        return seen;
    }
};

// About shows the identity read at start-up; Credits opens over it and returns to it with the
// focus on the Credits button; OK closes both in turn.
TEST_F(DvConfDialogsTest, AboutAndCreditsRoundTrip)
{
    writeInstallation();
    startTool();
    showDialog();
    const auto seen = aboutRoundTrip();
    EXPECT_EQ(seen->user, QStringLiteral("Ann Example"));
    EXPECT_EQ(seen->company, QStringLiteral("Example & Co"));
    EXPECT_EQ(seen->version, QStringLiteral("Dovrane Configuration 3.4.2.2c"));
    EXPECT_TRUE(seen->creditsShown);
    EXPECT_EQ(seen->creditsFirstLine, QStringLiteral("Many thanks to:"));
    EXPECT_TRUE(seen->aboutVisibleAfterCredits);
    EXPECT_EQ(seen->focusAfterCredits, AboutBox->CreditsButton);
    EXPECT_FALSE(AboutBox->isVisible());
    EXPECT_FALSE(CreditsForm->isVisible());
    EXPECT_TRUE(DvConfForm->isVisible());
    EXPECT_FALSE(app().terminated());
    EXPECT_TRUE(CreditsForm->ThanksMemo->isReadOnly());
}

// Without Halvane.Ini the About box shows Unknown twice and the x.BETA version.
TEST_F(DvConfDialogsTest, AboutWithoutIdentity)
{
    writeInstallation();
    ASSERT_TRUE(QFile::remove(winPath(QStringLiteral("Halvane.Ini"))));
    startTool();
    showDialog();
    const auto seen = aboutRoundTrip();
    EXPECT_EQ(seen->user, QStringLiteral("Unknown"));
    EXPECT_EQ(seen->company, QStringLiteral("Unknown"));
    EXPECT_EQ(seen->version, QStringLiteral("Dovrane Configuration x.BETA"));
}

// The dialog's controls stand where the layout puts them, and keep their fixed captions.
TEST_F(DvConfDialogsTest, DialogLayout)
{
    writeInstallation();
    startTool();
    struct Place
    {
        const char *name;
        QRect geometry;
    };
    const Place places[] = {
        {"Panel1", {8, 8, 289, 129}},          {"DpiBox", {8, 2, 273, 121}},
        {"BWSpinEdit", {208, 21, 57, 26}},     {"GreySpinEdit", {208, 55, 57, 26}},
        {"ColourSpinEdit", {208, 89, 57, 26}}, {"Panel3", {8, 24, 50, 23}},
        {"BWImage", {9, 4, 33, 17}},           {"Panel5", {8, 58, 50, 23}},
        {"Panel4", {8, 92, 50, 23}},           {"Panel6", {8, 144, 289, 161}},
        {"SizeGroup", {8, 2, 273, 153}},       {"ComboBox2", {48, 18, 225, 24}},
        {"ComboBox6", {48, 126, 225, 24}},     {"Panel2", {304, 8, 249, 129}},
        {"SourceListBox", {8, 2, 233, 119}},   {"Button1", {48, 48, 145, 25}},
        {"Panel7", {304, 144, 249, 161}},      {"Panel8", {8, 8, 233, 145}},
        {"AboutBitBtn", {56, 10, 121, 33}},    {"CancelBitBtn", {56, 54, 121, 33}},
        {"ExitBitBtn", {56, 98, 121, 33}},
    };
    for (const Place &p : places) {
        auto *widget = DvConfForm->findChild<QWidget *>(QLatin1String(p.name));
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
    }
    // The labels are sized to their captions; their places are fixed.
    EXPECT_EQ(DvConfForm->BWLabel->pos(), QPoint(64, 25));
    EXPECT_EQ(DvConfForm->GreyLabel->pos(), QPoint(64, 59));
    EXPECT_EQ(DvConfForm->ColourLabel->pos(), QPoint(64, 93));
    EXPECT_GE(DvConfForm->BWLabel->width(), DvConfForm->BWLabel->sizeHint().width());
    EXPECT_EQ(DvConfForm->BWSpinEdit->minimum(), 10);
    EXPECT_EQ(DvConfForm->BWSpinEdit->maximum(), 600);
    EXPECT_EQ(DvConfForm->ExitBitBtn->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(DvConfForm->AboutBitBtn->focusPolicy(), Qt::ClickFocus);
    EXPECT_NE(DvConfForm->CancelBitBtn->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_EQ(AboutBox->size(), QSize(440, 296));
    EXPECT_EQ(CreditsForm->size(), QSize(401, 209));
    EXPECT_EQ(AboutBox->CreditsButton->text(), QStringLiteral("&Credits"));
    EXPECT_EQ(CreditsForm->windowTitle(), QStringLiteral("Thanks to:"));
}

// Every picture is there, at its natural size.
TEST_F(DvConfDialogsTest, PicturesAtNaturalSize)
{
    writeInstallation();
    startTool();
    auto logicalSize = [](const QLabel *picture) {
        const QPixmap pixmap = picture->pixmap();
        return pixmap.deviceIndependentSize().toSize();
    };
    EXPECT_EQ(logicalSize(AboutBox->Image1), QSize(166, 96));
    EXPECT_EQ(logicalSize(CreditsForm->Image1), QSize(126, 51));
    EXPECT_EQ(logicalSize(WelcomeForm->LogoImage), QSize(92, 37));
    for (const QLabel *image :
         {DvConfForm->BWImage, DvConfForm->GreyImage, DvConfForm->ColourImage})
        EXPECT_EQ(logicalSize(image), QSize(32, 16)) << image->objectName().toStdString();
    EXPECT_FALSE(DvConfForm->windowIcon().isNull());
}

// Tab goes through the resolutions, the size group, the five lists, Select Source and Cancel.
TEST_F(DvConfDialogsTest, TabOrder)
{
    writeInstallation();
    startTool();
    showDialog();
    QWidget *w = DvConfForm->BWSpinEdit->lineEdit();
    QList<QWidget *> expected
        = {DvConfForm->GreySpinEdit->lineEdit(), DvConfForm->ColourSpinEdit->lineEdit()};
    // The size group is one stop, at its selected item.
    ASSERT_EQ(DvConfForm->SizeGroup->itemIndex(), 1);
    expected.append(DvConfForm->SizeGroup->button(1));
    for (int n = 1; n <= 5; ++n)
        expected.append(DvConfForm->PaperList(n));
    expected.append(DvConfForm->Button1);
    expected.append(DvConfForm->CancelBitBtn);
    for (QWidget *next : expected) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->focusPolicy() == Qt::ClickFocus
               || !w->isVisibleTo(DvConfForm))
            w = w->nextInFocusChain();
        EXPECT_EQ(w, next) << next->objectName().toStdString();
    }
}

// Select Source opens the selection owned by the dialog; when the scanner library is missing
// the report is owned by the dialog too, and afterwards the dialog is unchanged and nothing is
// stored.
TEST_F(DvConfDialogsTest, SelectSourceReportsAMissingScannerLibraryOverTheDialog)
{
    writeInstallation();
    startTool();
    showDialog();
    qputenv("HALVANE_SANE_LIBRARY", QFile::encodeName(program.filePath("no-such-libsane.so")));
    const QByteArray winIni = readWin(QStringLiteral("Win.Ini"));
    const QByteArray dvLng = readProgram(QStringLiteral("Dv.Lng"));
    DvConfForm->ComboBox3->setCurrentIndex(7);
    auto owner = std::make_shared<QWidget *>(nullptr);
    onNextModal([owner](QWidget *modal) {
        *owner = modal->parentWidget();
        QTimer::singleShot(0, modal, [modal] { modal->close(); });
    });
    DvConfForm->Button1->click();
    qunsetenv("HALVANE_SANE_LIBRARY");
    EXPECT_EQ(*owner, DvConfForm);
    EXPECT_EQ(DvConfForm->ComboBox3->currentIndex(), 7);
    EXPECT_TRUE(DvConfForm->isVisible());
    EXPECT_FALSE(app().terminated());
    EXPECT_EQ(readWin(QStringLiteral("Win.Ini")), winIni);
    EXPECT_EQ(readProgram(QStringLiteral("Dv.Lng")), dvLng);
}

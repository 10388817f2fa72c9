#pragma once

#include "support/files.h"
#include "support/gui.h"

#include <QByteArray>
#include <QStringList>

class QTimer;

// One configuration tool per case: a temporary Windows directory and a temporary program folder
// (where DvConf.Lng, Dv.Lng and Halvane.Msg lie), every module of the tool reset, the default
// error report recorded instead of shown, and a guard that fails the case and closes any modal
// form that waits for input longer than a few seconds, so that no case can hang.
class ConfigTest : public testsupport::GuiTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Files in the Windows directory ("Win.Ini", "Halvane.Ini") and in the program folder.
    QString winPath(const QString &name) const;
    QString programPath(const QString &name) const;
    void writeWin(const QString &name, const QByteArray &bytes);
    void writeProgram(const QString &name, const QByteArray &bytes);
    QByteArray readWin(const QString &name) const;
    QByteArray readProgram(const QString &name) const;

    // An ordinary installation: the language eng, resolutions, identity, paper file, texts and
    // catalogue.
    void writeInstallation();

    // The program entry's work up to its loop: the start-up sequence, then the title.
    void startTool();
    // The loop's first showing of the dialog (its show handler runs).
    void showDialog();

    testsupport::TempWindowsDir windir;
    testsupport::TempProgramFolder program;
    // Default error reports, in order.
    QStringList errors;

private:
    QTimer *m_guard = nullptr;
};

// Presses a button from the event loop, after the caller has returned.
class QAbstractButton;
void clickLater(QAbstractButton *button);

// Identity and catalogue contents the cases share.
inline const QByteArray OrdinaryWinIni = "[Dovrane]\n"
                                         "Language=eng\n"
                                         "BWDpi=300\n"
                                         "GreyDpi=200\n"
                                         "ColourDpi=150\n"
                                         "\n"
                                         "[Dovrane Configuration]\n"
                                         "Registered User=Ann & Bob\n";
inline const QByteArray OrdinaryHalvaneIni = "[Dovrane]\n"
                                             "User Name=Ann Example\n"
                                             "Version No=3.4.2.2c\n"
                                             "[Organisation]\n"
                                             "Company Name=Example & Co\n"
                                             "[Dovrane Configuration]\n"
                                             "Version No=3.4\n";
inline const QByteArray OrdinaryCatalogue = "[eng]\n"
                                            "Caption.MessageForm=Dovrane Message\n"
                                            "16=The paper file is missing.\n"
                                            "20=No language is set.\n";
inline const QByteArray OrdinaryDvLng = "[Paper Name]\n"
                                        "A4=A4 210 x 297 mm\n"
                                        "Letter=US Letter 8.5 x 11 in\n"
                                        "[eng]\n"
                                        "Size.1=A3\n"
                                        "Size.2=A4\n"
                                        "Size.3=A5\n"
                                        "Size.4=Letter\n"
                                        "Size.5=Legal\n"
                                        "DefaultSize=2\n";

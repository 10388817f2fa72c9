#pragma once

#include "platform/speedbutton.h"
#include "support/files.h"
#include "support/gui.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

class QWidget;

// A launcher started in-process: a Windows directory and a program folder of its own per test,
// the shell launches and help requests recorded instead of carried out, and every form and the
// launcher state dropped afterwards.
class LauncherTest : public testsupport::GuiTest
{
public:
    // A button of a form by name.
    static platform::SpeedButton *Button(QWidget *Form, const char *Name);
    static void Click(QWidget *Widget);

protected:
    void SetUp() override;
    void TearDown() override;

    // Files in the test's Windows directory and program folder.
    void WriteWinIni(const QByteArray &Bytes) { WriteFile(WinIniPath(), Bytes); }
    void WriteHalvaneIni(const QByteArray &Bytes)
    {
        WriteFile(WinDir.filePath("Halvane.Ini"), Bytes);
    }
    void WriteLanguageFile(const QByteArray &Bytes)
    {
        WriteFile(ProgramDir.filePath("Qx.Lng"), Bytes);
    }
    QString WinIniPath() const { return WinDir.filePath("Win.Ini"); }
    QString ProgramFolderPath() const { return ProgramDir.folder(); }
    static void WriteFile(const QString &Path, const QByteArray &Bytes);
    static QByteArray ReadFile(const QString &Path);

    // Runs the start-up routine, then shows the main form as the message loop would, which
    // brings up the bar.
    void Start();
    void StartHidden();

    // Mouse on the bar's move handle, at a position relative to it.
    static void Press(const QPoint &At, Qt::MouseButton Button = Qt::LeftButton);
    static void Move(const QPoint &At, Qt::MouseButtons Held = Qt::LeftButton);
    static void Release(const QPoint &At, Qt::MouseButton Button = Qt::LeftButton);
    // Drags the bar by its handle so that it is dropped with its top-left corner at To.
    static void DragBarTo(const QPoint &To);

    // Between the rows of a table: every form and the state dropped, Win.Ini and Qx.Lng
    // removed, the test's replacements put back.
    void NextCase();

    std::vector<std::pair<QString, QString>> Launches;
    QStringList ErrorReports;
    std::vector<std::pair<QString, int>> HelpRequests;

private:
    testsupport::TempWindowsDir WinDir;
    testsupport::TempProgramFolder ProgramDir;
};

// Win.Ini sections that mark products installed (0) or not (9999).
QByteArray ProductSections(bool Copier, bool OCR, bool Cabinet, bool Phone);

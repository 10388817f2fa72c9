// Exit: the bar's position and orientation reach Win.Ini byte for byte, then the program ends;
// a failed write is reported and the bar stays.
#include "launcher_fixture.h"

#include "Qx01.h"
#include "Qx02.h"

#include "platform/application.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

struct ExitCase
{
    const char *Name;
    std::optional<QByteArray> Before; // Win.Ini at start-up; nullopt: no file
    std::optional<QPoint> DropAt; // a drag before Exit
    QByteArray After;
};

} // namespace

// Each row: Win.Ini before, what the user did, and Win.Ini after Exit.
TEST_F(LauncherTest, ExitWritesPositionAndAxis)
{
    const ExitCase Cases[] = {
        {"no Win.Ini: a new file with the defaults", std::nullopt, std::nullopt,
         "[Quixbar]\nRow=0\nCol=25\nAxis=H\n"},
        {"other sections stay, the new section goes at the end",
         "; settings\n[Dovrane]\nAvailable Functions=0\n\n[Other]\nx=1\n", std::nullopt,
         "; settings\n[Dovrane]\nAvailable Functions=0\n\n[Other]\nx=1\n"
         "[Quixbar]\nRow=0\nCol=25\nAxis=H\n"},
        {"lower-case section and keys are replaced in place",
         "[quixbar]\nrow=5\ncol=7\naxis=V\nlanguage=eng\n[Kavarn]\nAvailable Functions=1\n",
         QPoint(300, 40),
         "[quixbar]\nrow=40\ncol=300\naxis=V\nlanguage=eng\n[Kavarn]\nAvailable Functions=1\n"},
        {"dropped past the top-left corner keeps a negative Col",
         "[Quixbar]\nRow=100\nCol=200\nAxis=H\n", QPoint(-12, -30),
         "[Quixbar]\nRow=0\nCol=-12\nAxis=H\n"},
        {"a column dropped at left -40 is stored at Col 0", "[Quixbar]\nRow=100\nCol=200\nAxis=V\n",
         QPoint(-40, 300), "[Quixbar]\nRow=300\nCol=0\nAxis=V\n"},
        {"an unknown axis is written back as read", "[Quixbar]\nAxis=X\nRow=3\nCol=4\n",
         std::nullopt, "[Quixbar]\nAxis=X\nRow=3\nCol=4\n"},
        {"a docked switch of axis is stored", "[Quixbar]\nAxis=V\nRow=50\nCol=60\n", QPoint(60, -8),
         "[Quixbar]\nAxis=H\nRow=0\nCol=60\n"},
    };
    auto *App = platform::Application::instance();
    for (const ExitCase &C : Cases) {
        SCOPED_TRACE(C.Name);
        if (C.Before)
            WriteWinIni(*C.Before);
        Start();
        if (C.DropAt)
            DragBarTo(*C.DropAt);
        Click(QuixbarForm->ExitButton);
        App->processMessages();
        EXPECT_EQ(ReadFile(WinIniPath()), C.After);
        EXPECT_TRUE(ErrorReports.isEmpty()) << ErrorReports.join('|').toStdString();
        EXPECT_TRUE(App->terminated());
        NextCase();
    }
}

// A Win.Ini that cannot be written: the program's default error report names the file, under
// the program's title with an error icon; nothing is written; the bar stays; a second Exit,
// once the file is writable again, starts over with Row and ends the program.
TEST_F(LauncherTest, FailedExitWriteIsReportedAndTheBarStays)
{
    const QByteArray Before = "[Quixbar]\nRow=7\nCol=9\nAxis=V\n";
    WriteWinIni(Before);
    auto Lock = std::make_unique<testsupport::ReadOnlyGuard>(WinIniPath());
    ASSERT_TRUE(Lock->ok()) << Lock->description().toStdString();

    auto *App = platform::Application::instance();
    App->errorReportHook = nullptr; // the real report
    struct Report
    {
        QString Text, Title;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
    };
    std::vector<Report> Reports;
    bool BarStayed = false;
    QByteArray AfterFailure;
    QTimer Watch;
    // Answers each report box as soon as it is up.
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        auto *Box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!Box)
            return;
        Reports.push_back({Box->text(), Box->windowTitle(), Box->icon()});
        Box->accept();
    });
    Watch.start(10);
    // A bound on the whole run, so that a fault cannot hang the test.
    QTimer::singleShot(20000, App, [&] { App->terminate(); });
    QTimer::singleShot(0, App, [&] {
        DragBarTo({300, 40});
        Click(QuixbarForm->ExitButton); // returns once the report is answered
        BarStayed = QuixbarForm->isVisible() && !App->terminated();
        AfterFailure = ReadFile(WinIniPath());
        Lock.reset();
        Click(QuixbarForm->ExitButton);
    });
    RunLauncher();
    Watch.stop();

    ASSERT_EQ(Reports.size(), 1u);
    EXPECT_EQ(Reports[0].Text, QStringLiteral("Unable to write to Win.Ini."));
    EXPECT_EQ(Reports[0].Title, QStringLiteral("Quixbar 2.0.1.1"));
    EXPECT_EQ(Reports[0].Icon, QMessageBox::Critical);
    EXPECT_TRUE(BarStayed);
    EXPECT_EQ(AfterFailure, Before);
    EXPECT_EQ(ReadFile(WinIniPath()), "[Quixbar]\nRow=40\nCol=300\nAxis=V\n");
    EXPECT_TRUE(App->terminated());
}

#include "launcher_fixture.h"

#include "Qx01.h"
#include "Qx02.h"

#include "platform/application.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>

void LauncherTest::SetUp()
{
    GuiTest::SetUp();
    ASSERT_TRUE(WinDir.isValid());
    ASSERT_TRUE(ProgramDir.isValid());
    ProgramFolder = [this] { return ProgramFolderPath(); };
    LaunchProgram = [this](const QString &File, const QString &Directory) {
        Launches.emplace_back(File, Directory);
    };
    auto *App = platform::Application::instance();
    App->errorReportHook = [this](const QString &Message) { ErrorReports.append(Message); };
    App->helpHook = [this](const QString &HelpFile, int Command) {
        HelpRequests.emplace_back(HelpFile, Command);
        return true;
    };
}

void LauncherTest::TearDown()
{
    auto *App = platform::Application::instance();
    App->errorReportHook = nullptr;
    App->helpHook = nullptr;
    ResetLauncherForTests();
    GuiTest::TearDown();
}

void LauncherTest::NextCase()
{
    TearDown();
    QFile::remove(WinIniPath());
    QFile::remove(ProgramDir.filePath("Qx.Lng"));
    QFile::remove(WinDir.filePath("Halvane.Ini"));
    Launches.clear();
    ErrorReports.clear();
    HelpRequests.clear();
    SetUp();
}

void LauncherTest::WriteFile(const QString &Path, const QByteArray &Bytes)
{
    ASSERT_TRUE(testsupport::writeFileBytes(Path, Bytes)) << Path.toStdString();
}

QByteArray LauncherTest::ReadFile(const QString &Path)
{
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return "<missing>";
    return File.readAll();
}

void LauncherTest::StartHidden()
{
    LauncherStartup();
}

void LauncherTest::Start()
{
    LauncherStartup();
    QBarForm->show();
}

namespace {

void SendMouse(QEvent::Type Type, const QPoint &At, Qt::MouseButton Button, Qt::MouseButtons Held)
{
    QWidget *Handle = QuixbarForm->QBarBtn;
    const QPoint Global = QuixbarForm->pos() + Handle->pos() + At;
    QMouseEvent Event(Type, QPointF(At), QPointF(Global), Button, Held, Qt::NoModifier);
    QApplication::sendEvent(Handle, &Event);
}

} // namespace

void LauncherTest::Press(const QPoint &At, Qt::MouseButton Button)
{
    SendMouse(QEvent::MouseButtonPress, At, Button, Button);
}

void LauncherTest::Move(const QPoint &At, Qt::MouseButtons Held)
{
    SendMouse(QEvent::MouseMove, At, Qt::NoButton, Held);
}

void LauncherTest::Release(const QPoint &At, Qt::MouseButton Button)
{
    SendMouse(QEvent::MouseButtonRelease, At, Button, Qt::NoButton);
}

void LauncherTest::DragBarTo(const QPoint &To)
{
    const QPoint Grip(5, 5);
    const QPoint At = Grip + (To - QuixbarForm->pos());
    Press(Grip);
    Move(At);
    Release(At);
}

platform::SpeedButton *LauncherTest::Button(QWidget *Form, const char *Name)
{
    auto *Found = Form->findChild<platform::SpeedButton *>(QString::fromLatin1(Name));
    EXPECT_NE(Found, nullptr) << Name;
    return Found;
}

void LauncherTest::Click(QWidget *Widget)
{
    auto *AsButton = qobject_cast<QAbstractButton *>(Widget);
    ASSERT_NE(AsButton, nullptr);
    AsButton->click();
}

QByteArray ProductSections(bool Copier, bool OCR, bool Cabinet, bool Phone)
{
    const auto Section = [](const char *Name, bool Installed) {
        return QByteArray("[") + Name + "]\nAvailable Functions=" + (Installed ? "0" : "9999")
            + "\n";
    };
    return Section("Dovrane", Copier) + Section("Quillex", OCR) + Section("Kavarn", Cabinet)
        + Section("Tazlo", Phone);
}

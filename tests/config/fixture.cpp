#include "fixture.h"

#include "config/Dvc01.h"
#include "config/Program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace {
// How long a modal form may wait before the guard calls it a form that waits for input.
constexpr int WaitingModalLimitMs = 3000;
} // namespace

void ConfigTest::SetUp()
{
    GuiTest::SetUp();
    ResetConfigToolForTests();
    InitConfigResources();
    ASSERT_TRUE(windir.isValid());
    ASSERT_TRUE(program.isValid());
    DvcTestHooks::ProgramFolder = program.path() + QLatin1Char('/');
    app().errorReportHook = [this](const QString &message) { errors.append(message); };

    m_guard = new QTimer(qApp);
    m_guard->setInterval(10);
    auto watched = std::make_shared<QPointer<QWidget>>();
    auto since = std::make_shared<QDeadlineTimer>();
    QObject::connect(m_guard, &QTimer::timeout, m_guard, [watched, since] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            *watched = nullptr;
            return;
        }
        if (modal != watched->data()) {
            *watched = modal;
            *since = QDeadlineTimer(WaitingModalLimitMs);
            return;
        }
        if (since->hasExpired()) {
            ADD_FAILURE() << "modal form " << modal->objectName().toStdString()
                          << " waited for input";
            *watched = nullptr;
            modal->hide();
        }
    });
    m_guard->start();
}

void ConfigTest::TearDown()
{
    delete m_guard;
    m_guard = nullptr;
    app().errorReportHook = nullptr;
    ResetConfigToolForTests();
    GuiTest::TearDown();
}

QString ConfigTest::winPath(const QString &name) const
{
    return windir.filePath(name);
}

QString ConfigTest::programPath(const QString &name) const
{
    return program.filePath(name);
}

namespace {
void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}
} // namespace

void ConfigTest::writeWin(const QString &name, const QByteArray &bytes)
{
    writeBytes(winPath(name), bytes);
}

void ConfigTest::writeProgram(const QString &name, const QByteArray &bytes)
{
    writeBytes(programPath(name), bytes);
}

QByteArray ConfigTest::readWin(const QString &name) const
{
    return readBytes(winPath(name));
}

QByteArray ConfigTest::readProgram(const QString &name) const
{
    return readBytes(programPath(name));
}

void ConfigTest::writeInstallation()
{
    writeWin(QStringLiteral("Win.Ini"), OrdinaryWinIni);
    writeWin(QStringLiteral("Halvane.Ini"), OrdinaryHalvaneIni);
    writeProgram(QStringLiteral("Halvane.Msg"), OrdinaryCatalogue);
    writeProgram(QStringLiteral("Dv.Lng"), OrdinaryDvLng);
    writeProgram(QStringLiteral("DvConf.Lng"), "[eng]\nCaption.ExitButton=E&xit\n");
}

void ConfigTest::startTool()
{
    DvConfStartUp();
    app().setTitle(QStringLiteral("Dovrane Configuration 3.4.2.2c"));
}

void ConfigTest::showDialog()
{
    ASSERT_NE(DvConfForm, nullptr);
    DvConfForm->show();
}

void clickLater(QAbstractButton *button)
{
    QTimer::singleShot(0, button, &QAbstractButton::click);
}

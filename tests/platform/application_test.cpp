// The application object on real widgets: the main form, the deferred terminate request through
// nested modal loops, modal results, the default error report, the screen cursor, the
// executable's path and the help command.
#include "platform/application.h"
#include "platform/form.h"
#include "support/gui.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <stdexcept>

using namespace testsupport;
using platform::Form;

namespace {

class ApplicationTest : public GuiTest
{
protected:
    // A form owned by the application, counting its show handler.
    Form *newForm(const char *name)
    {
        auto *form = app().createForm<Form>();
        form->setObjectName(QLatin1String(name));
        QObject::connect(form, &Form::shown, form, [this, name] {
            events << QString::fromLatin1(name) + QStringLiteral(" shown");
        });
        return form;
    }

    // Runs fn from the event loop, after what is queued now.
    void queue(std::function<void()> fn)
    {
        QMetaObject::invokeMethod(&app(), std::move(fn), Qt::QueuedConnection);
    }

    QStringList events;
};

// Fails the case, and closes the form, when a modal form waits for input before the returned
// watchdog is gone.
std::unique_ptr<QTimer> failIfAModalFormWaits()
{
    auto watchdog = std::make_unique<QTimer>();
    watchdog->setInterval(10);
    QObject::connect(watchdog.get(), &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a modal form waits for input: " << modal->objectName().toStdString();
            modal->close();
        }
    });
    watchdog->start();
    return watchdog;
}

// A form that may refuse to close.
class RefusingForm : public Form
{
public:
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        if (refuse)
            event->ignore();
        else
            Form::closeEvent(event);
    }
};

} // namespace

// The first form created is the main form; later ones, and registering it again, change nothing.
TEST_F(ApplicationTest, FirstFormCreatedIsTheMainForm)
{
    EXPECT_EQ(app().mainForm(), nullptr);
    Form *first = newForm("First");
    Form *second = newForm("Second");
    app().registerForm(first);
    EXPECT_EQ(app().mainForm(), first);
    EXPECT_NE(app().mainForm(), second);
}

// run() shows the main form, whose show handler runs before anything queued earlier.
TEST_F(ApplicationTest, MainFormShowHandlerRunsBeforeQueuedWork)
{
    Form *main = newForm("Main");
    queue([&] {
        events << QStringLiteral("queued");
        EXPECT_TRUE(main->isVisible());
        app().terminate();
    });
    app().run();
    EXPECT_EQ(events, QStringList({QStringLiteral("Main shown"), QStringLiteral("queued")}));
    EXPECT_TRUE(app().terminated());
}

// Closing the main form asks the program to end; a main form that refuses to close, or closing
// any other form, leaves it running, and the other form is only hidden.
TEST_F(ApplicationTest, ClosingFormsEndsTheProgramOnlyForTheMainForm)
{
    const struct
    {
        const char *name;
        bool closeMain;
        bool mainRefuses;
        bool ends;
    } cases[] = {
        {"main form closed", true, false, true},
        {"main form refuses to close", true, true, false},
        {"other form closed", false, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        app().resetForTests();
        auto *main = app().createForm<RefusingForm>();
        main->refuse = c.mainRefuses;
        Form *other = newForm("Other");
        const QPointer<Form> otherAlive(other);
        main->show();
        other->show();
        QWidget *closed = c.closeMain ? static_cast<QWidget *>(main) : other;
        EXPECT_EQ(closed->close(), !c.mainRefuses);
        EXPECT_FALSE(app().terminated()) << "the request is deferred";
        app().processMessages();
        EXPECT_EQ(app().terminated(), c.ends);
        ASSERT_TRUE(otherAlive);
        EXPECT_EQ(other->isVisible(), c.closeMain);
        EXPECT_EQ(main->isVisible(), !c.closeMain || c.mainRefuses);
    }
}

// Closing the main form from a handler ends the running message loop.
TEST_F(ApplicationTest, ClosingTheMainFormEndsRun)
{
    Form *main = newForm("Main");
    queue([&] { main->close(); });
    app().run();
    EXPECT_TRUE(app().terminated());
    EXPECT_FALSE(main->isVisible());
}

// terminate() returns at once; the next loop, even a processMessages(), takes it.
TEST_F(ApplicationTest, TerminateIsDeferredUntilALoopTakesIt)
{
    bool ranAfter = false;
    queue([&] { ranAfter = true; });
    app().terminate();
    EXPECT_FALSE(app().terminated());
    app().processMessages();
    EXPECT_TRUE(app().terminated());
    EXPECT_TRUE(ranAfter);
}

// A request made before the message loop: run() still shows the main form, runs its show
// handler, and then ends.
TEST_F(ApplicationTest, RequestBeforeRunShowsTheMainFormThenEnds)
{
    Form *main = newForm("Main");
    app().terminate();
    app().run();
    EXPECT_TRUE(app().terminated());
    EXPECT_EQ(events, QStringList {QStringLiteral("Main shown")});
    EXPECT_TRUE(main->isVisible());
}

// The request made inside a modal form ends that form's loop; modal forms shown afterwards
// open (show handler) and close at once; the main loop then ends as soon as it starts.
TEST_F(ApplicationTest, RequestTakenInsideAModalForm)
{
    Form *main = newForm("Main");
    Form *dialog = newForm("Dialog");
    Form *later = newForm("Later");
    auto ran = onNextModal([&](QWidget *modal) {
        EXPECT_EQ(modal, dialog);
        app().terminate();
        EXPECT_FALSE(app().terminated());
    });
    EXPECT_EQ(app().showModal(dialog), platform::mrCancel);
    EXPECT_TRUE(*ran);
    EXPECT_TRUE(app().terminated());
    EXPECT_FALSE(dialog->isVisible());

    EXPECT_EQ(app().showModal(later), platform::mrCancel);
    EXPECT_FALSE(later->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    app().run();
    EXPECT_EQ(events,
              QStringList({QStringLiteral("Dialog shown"), QStringLiteral("Later shown"),
                           QStringLiteral("Main shown")}));
    EXPECT_TRUE(main->isVisible());
}

// A request made before a modal form opens is taken by that form's loop: it never waits for
// input and does not stay on the screen.
TEST_F(ApplicationTest, RequestMadeBeforeAModalFormIsTakenByIt)
{
    newForm("Main");
    Form *message = newForm("Message");
    const auto watchdog = failIfAModalFormWaits();
    app().terminate();
    EXPECT_EQ(app().showModal(message), platform::mrCancel);
    EXPECT_TRUE(app().terminated());
    EXPECT_FALSE(message->isVisible());
    EXPECT_EQ(events, QStringList {QStringLiteral("Message shown")});
}

// Taken in the inner of two nested modal forms: both loops end, the inner returns first, a form
// the outer form's handler opens afterwards closes at once, and nothing stays on the screen.
TEST_F(ApplicationTest, RequestTakenInsideTwoNestedModalForms)
{
    Form *main = newForm("Main");
    Form *outer = newForm("Outer");
    Form *inner = newForm("Inner");
    Form *afterInner = newForm("AfterInner");
    auto outerUp = onNextModal([&](QWidget *) {
        auto innerUp = onNextModal([&](QWidget *modal) {
            EXPECT_EQ(modal, inner);
            app().terminate();
        });
        events << QStringLiteral("inner returned %1").arg(app().showModal(inner));
        EXPECT_TRUE(*innerUp);
        EXPECT_TRUE(app().terminated());
        EXPECT_TRUE(outer->isVisible()) << "still inside the outer form's handler";
        EXPECT_EQ(app().showModal(afterInner), platform::mrCancel);
        EXPECT_FALSE(afterInner->isVisible());
    });
    events << QStringLiteral("outer returned %1").arg(app().showModal(outer));
    EXPECT_TRUE(*outerUp);
    app().run();
    EXPECT_EQ(events,
              QStringList({QStringLiteral("Outer shown"), QStringLiteral("Inner shown"),
                           QStringLiteral("inner returned 2"), QStringLiteral("AfterInner shown"),
                           QStringLiteral("outer returned 2"), QStringLiteral("Main shown")}));
    for (QWidget *form : {outer, inner, afterInner})
        EXPECT_FALSE(form->isVisible()) << form->objectName().toStdString();
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A modal form ends with the result set on it, or with mrCancel when simply closed or hidden;
// it is modal while up and hidden afterwards.
TEST_F(ApplicationTest, ModalFormEndsWithItsResult)
{
    const struct
    {
        const char *name;
        std::function<void(QWidget *)> end;
        int result;
    } cases[] = {
        {"ok", [](QWidget *form) { platform::setModalResult(form, platform::mrOk); },
         platform::mrOk},
        {"cancel", [](QWidget *form) { platform::setModalResult(form, platform::mrCancel); },
         platform::mrCancel},
        {"closed", [](QWidget *form) { form->close(); }, platform::mrCancel},
        {"hidden", [](QWidget *form) { form->hide(); }, platform::mrCancel},
    };
    newForm("Main");
    Form *dialog = newForm("Dialog");
    Form *other = newForm("Other");
    other->show();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto ran = onNextModal([&](QWidget *modal) {
            EXPECT_EQ(modal, dialog);
            EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
            EXPECT_TRUE(QApplication::activeModalWidget() == dialog);
            c.end(modal);
        });
        EXPECT_EQ(app().showModal(dialog), c.result);
        EXPECT_TRUE(*ran);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    EXPECT_FALSE(app().terminated());
    EXPECT_TRUE(other->isVisible());
}

// A form that is already visible becomes modal when shown modally.
TEST_F(ApplicationTest, VisibleFormBecomesModal)
{
    newForm("Main");
    Form *dialog = newForm("Dialog");
    dialog->show();
    auto ran
        = onNextModal([&](QWidget *modal) { platform::setModalResult(modal, platform::mrOk); });
    EXPECT_EQ(app().showModal(dialog), platform::mrOk);
    EXPECT_TRUE(*ran);
}

// The default error report: the message with ".", the title literally as window title, the
// error icon, plain text, in a modal box; the handler stops where it threw and the program goes
// on, reporting the next error as well.
TEST_F(ApplicationTest, ErrorFromAClickIsReportedInAMessageBox)
{
    const struct
    {
        const char *name;
        std::function<void()> fail;
        QString text;
    } cases[] = {
        {"write error", [] { throw std::runtime_error("Unable to write to /tmp/x/Win.Ini"); },
         QStringLiteral("Unable to write to /tmp/x/Win.Ini.")},
        {"already ends with a full stop", [] { throw std::runtime_error("Disk full."); },
         QStringLiteral("Disk full.")},
        {"markup shown literally", [] { throw std::logic_error("<b>bold</b> & more"); },
         QStringLiteral("<b>bold</b> & more.")},
        {"not a standard exception", [] { throw 42; }, QStringLiteral("Unknown error.")},
    };
    newForm("Main");
    app().setTitle(QStringLiteral("Quixbar [*] 2.0.1.1"));
    QPushButton button;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        bool after = false;
        const auto connection = QObject::connect(&button, &QPushButton::clicked, &button, [&] {
            platform::guarded([&] {
                c.fail();
                after = true;
            });
        });
        for (int click = 0; click < 2; ++click) {
            auto ran = onNextModal([&](QWidget *modal) {
                auto *box = qobject_cast<QMessageBox *>(modal);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->text(), c.text);
                EXPECT_EQ(box->textFormat(), Qt::PlainText);
                EXPECT_EQ(box->icon(), QMessageBox::Critical);
                EXPECT_EQ(platform::caption(box), QStringLiteral("Quixbar [*] 2.0.1.1"));
                ASSERT_NE(box->windowHandle(), nullptr);
                EXPECT_EQ(box->windowHandle()->title(), QStringLiteral("Quixbar [*] 2.0.1.1"));
                box->button(QMessageBox::Ok)->click();
            });
            button.click();
            EXPECT_TRUE(*ran);
            EXPECT_FALSE(after);
        }
        QObject::disconnect(connection);
    }
    EXPECT_FALSE(app().terminated());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// An error from any handler bound with bind() reaches the report, and the program goes on:
// clicks, timers and show handlers alike; a handler may take the sending object.
TEST_F(ApplicationTest, BoundHandlersReportTheirErrors)
{
    struct Receiver : QObject
    {
        QObject *sender = nullptr;
        int calls = 0;
        void Fail()
        {
            ++calls;
            throw std::runtime_error("handler failed");
        }
        void FailWithSender(QObject *from)
        {
            sender = from;
            Fail();
        }
    };
    QStringList reports;
    newForm("Main");
    Receiver receiver;
    QPushButton button;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setInterval(0);
    Form *form = newForm("Shown");

    platform::bind(&button, &QPushButton::clicked, &receiver, &Receiver::FailWithSender);
    platform::bind(&timer, &QTimer::timeout, &receiver, &Receiver::Fail);
    platform::bind(form, &Form::shown, &receiver, &Receiver::Fail);
    app().errorReportHook = [&](const QString &message) { reports << message; };

    button.click();
    EXPECT_EQ(receiver.sender, &button);
    timer.start();
    EXPECT_TRUE(waitUntil([&] { return reports.size() == 2; }));
    form->show();
    EXPECT_EQ(receiver.calls, 3);
    EXPECT_EQ(reports, QStringList(3, QStringLiteral("handler failed.")));
    EXPECT_FALSE(app().terminated());
}

// Once the program is ending, the error report does not wait for input either.
TEST_F(ApplicationTest, ErrorReportAfterTerminationDoesNotWait)
{
    newForm("Main");
    app().terminate();
    app().processMessages();
    const auto watchdog = failIfAModalFormWaits();
    app().showException(QStringLiteral("late"));
    EXPECT_TRUE(visibleWindows().isEmpty());
}

// The hourglass is one application-wide cursor; the default takes it away however often it was
// asked for.
TEST_F(ApplicationTest, ScreenCursorIsApplicationWide)
{
    using platform::ScreenCursor;
    const struct
    {
        const char *name;
        QList<ScreenCursor> steps;
        bool hourglass;
    } cases[] = {
        {"hourglass", {ScreenCursor::HourGlass}, true},
        {"hourglass then default", {ScreenCursor::HourGlass, ScreenCursor::Default}, false},
        {"hourglass twice then default",
         {ScreenCursor::HourGlass, ScreenCursor::HourGlass, ScreenCursor::Default},
         false},
        {"default alone", {ScreenCursor::Default}, false},
        {"default then hourglass", {ScreenCursor::Default, ScreenCursor::HourGlass}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        app().resetForTests();
        for (ScreenCursor step : c.steps)
            app().setScreenCursor(step);
        EXPECT_EQ(app().screenCursor(), c.steps.last());
        if (c.hourglass) {
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        } else {
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        }
    }
}

// The full path of the running executable, and its folder with the trailing separator.
TEST_F(ApplicationTest, ExecutablePathAndFolder)
{
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    EXPECT_EQ(app().exeName(), exe);
    EXPECT_TRUE(app().exeFolder().endsWith(QLatin1Char('/')));
    EXPECT_EQ(app().exeFolder() + QFileInfo(exe).fileName(), exe);
}

// The help command asks for the contents of the help file set; other commands are refused, and
// a viewer that is not there is reported as failure.
TEST_F(ApplicationTest, HelpCommand)
{
    app().setHelpFile(QStringLiteral("/opt/halvane/Qx/QX.HLP"));
    EXPECT_FALSE(app().helpCommand(1, 0));
    // No viewer beside the test program.
    ASSERT_FALSE(QFileInfo::exists(app().exeFolder() + QStringLiteral("HalvaneHelp")));
    EXPECT_FALSE(app().helpCommand(platform::Application::HelpContents, 0));

    QStringList asked;
    app().helpHook = [&](const QString &file, int command) {
        asked << QStringLiteral("%1 %2").arg(file).arg(command);
        return true;
    };
    EXPECT_TRUE(app().helpCommand(platform::Application::HelpContents, 0));
    EXPECT_EQ(asked, QStringList {QStringLiteral("/opt/halvane/Qx/QX.HLP 3")});
}

// resetForTests() gives the state of a fresh process, and a request made before it is void.
TEST_F(ApplicationTest, ResetGivesAFreshApplication)
{
    const QPointer<Form> main = newForm("Main");
    app().setTitle(QStringLiteral("Title"));
    app().setHelpFile(QStringLiteral("Qx.Hlp"));
    app().setScreenCursor(platform::ScreenCursor::HourGlass);
    app().errorReportHook = [](const QString &) {};
    app().terminate();

    app().resetForTests();
    EXPECT_TRUE(main.isNull());
    EXPECT_EQ(app().mainForm(), nullptr);
    EXPECT_TRUE(app().title().isEmpty());
    EXPECT_TRUE(QApplication::applicationDisplayName() != QStringLiteral("Title"));
    EXPECT_TRUE(app().helpFile().isEmpty());
    EXPECT_EQ(app().screenCursor(), platform::ScreenCursor::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(app().errorReportHook);
    app().processMessages();
    EXPECT_FALSE(app().terminated());

    Form *fresh = newForm("Fresh");
    EXPECT_EQ(app().mainForm(), fresh);
}

// processMessages() handles what is waiting and returns.
TEST_F(ApplicationTest, ProcessMessagesHandlesWhatIsWaiting)
{
    int handled = 0;
    queue([&] { ++handled; });
    queue([&] { ++handled; });
    app().processMessages();
    EXPECT_EQ(handled, 2);
    EXPECT_FALSE(app().terminated());
}

// An event override that lets an error escape is reported like a handler's error, and the
// program goes on. (Overrides are to use guarded(); this is the backstop.)
TEST_F(ApplicationTest, ErrorFromAnEventOverrideIsReported)
{
    struct Throwing : QObject
    {
        int events = 0;
        void customEvent(QEvent *) override
        {
            ++events;
            throw std::runtime_error("escaped");
        }
    };
    QStringList reports;
    app().errorReportHook = [&](const QString &message) { reports << message; };
    Throwing receiver;
    for (int i = 0; i < 2; ++i)
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    app().processMessages();
    EXPECT_EQ(receiver.events, 2);
    EXPECT_EQ(reports, QStringList(2, QStringLiteral("escaped.")));
    EXPECT_FALSE(app().terminated());
}

// A request made before resetForTests() is void even when a new one is made after it: only the
// new one is taken, once.
TEST_F(ApplicationTest, RequestBeforeResetStaysVoid)
{
    app().terminate();
    app().resetForTests();
    EXPECT_FALSE(app().terminated());
    int ran = 0;
    queue([&] { ++ran; });
    app().processMessages();
    EXPECT_EQ(ran, 1) << "work queued by the test still runs";
    EXPECT_FALSE(app().terminated());
    app().terminate();
    app().processMessages();
    EXPECT_TRUE(app().terminated());
}

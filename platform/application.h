#pragma once

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <type_traits>

class QEventLoop;

namespace platform {

// The application-wide screen cursor. Default leaves every widget its own cursor.
enum class ScreenCursor { Default, HourGlass };

// Results a modal form can end with.
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// What the suite's programs expect of the application object, on top of QApplication:
// a main form (the first form registered), a deferred quit request that survives nested loops,
// modal forms with nested loops, the application-wide cursor, the help command, and the default
// report of an error that escaped a handler.
//
// Exactly one exists per process; programs create it first thing in main().
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    ~Application() override;

    // The one instance, or nullptr before it exists.
    static Application *instance();

    // Makes a new form of type T, owned by the application (deleted with it), and registers it.
    template<class T> T *createForm()
    {
        auto *form = new T();
        registerForm(form);
        return form;
    }
    // The first form registered becomes the main form. Closing the main form ends the program;
    // closing any other form only hides it.
    void registerForm(QWidget *form);
    QWidget *mainForm() const { return m_mainForm; }

    // The program's title: the task bar entry and the title of the default error report.
    void setTitle(const QString &title);
    QString title() const { return m_title; }

    void setHelpFile(const QString &helpFile) { m_helpFile = helpFile; }
    QString helpFile() const { return m_helpFile; }
    // Sends a help command for helpFile(), the way the help engine is asked. Returns false when the
    // viewer could not be started. HelpContents is the only command the suite sends.
    static constexpr int HelpContents = 3;
    bool helpCommand(int command, qintptr data);

    // Full path of the running executable, and its folder with a trailing '/'.
    QString exeName() const;
    QString exeFolder() const;

    // Handles the events that are waiting, then returns.
    void processMessages();

    // Shows the main form (its show handler runs before anything queued is taken), then runs the
    // message loop until a terminate request is taken. Returns at once if one was taken already.
    void run();

    // Asks the program to end, and returns at once. The first loop that takes the request marks
    // the application terminated and ends; every loop running then ends as well, and every
    // modal form shown afterwards closes at once without waiting for input.
    void terminate();
    bool terminated() const { return m_terminated; }

    // Shows form modally in a nested loop; returns the modal result it closed with (mrCancel
    // when it was simply closed or hidden).
    int showModal(QWidget *form);

    void setScreenCursor(ScreenCursor cursor);
    ScreenCursor screenCursor() const { return m_cursor; }

    // The default error report: message followed by ".", the title as window title, an error
    // icon, in a modal message box. The program goes on afterwards.
    void showException(const QString &message);

    // Puts the object back as a fresh process would have it: forms deleted, no main form, not
    // terminated, title and help file empty, default cursor. For tests that run one program's
    // start-up many times in one process.
    void resetForTests();

    // For tests: called instead of showing the default error report's box, when set.
    std::function<void(const QString &message)> errorReportHook;
    // For tests: called instead of starting the help viewer, when set.
    std::function<bool(const QString &helpFile, int command)> helpHook;

protected:
    bool notify(QObject *receiver, QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeTerminate(quint64 generation);

    QPointer<QWidget> m_mainForm;
    QList<QPointer<QWidget>> m_forms;
    QList<QEventLoop *> m_loops;
    QString m_title;
    QString m_helpFile;
    ScreenCursor m_cursor = ScreenCursor::Default;
    bool m_terminated = false;
    bool m_terminatePending = false;
    quint64 m_generation = 0; // counts resets, so that a request made before one stays void
};

// Ends a form shown by showModal() with the given result (closing it as its frame would).
void setModalResult(QWidget *form, int result);

// Runs fn; an exception that escapes it goes to the default error report instead of crossing
// Qt's event dispatch. Every handler the forms bind runs through this.
void guarded(const std::function<void()> &fn);

// Connects a signal to a handler of the system's code, through guarded(). The handler is a member
// function of the receiver taking either nothing or the sending object (as QObject *); the
// signal's own arguments are not passed on.
template<class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection bind(Sender *sender, Signal signal, Receiver *receiver, Handler handler)
{
    return QObject::connect(sender, signal, receiver, [sender, receiver, handler] {
        guarded([&] {
            if constexpr (std::is_invocable_v<Handler, Receiver *, QObject *>)
                std::invoke(handler, receiver, static_cast<QObject *>(sender));
            else
                std::invoke(handler, receiver);
        });
    });
}

} // namespace platform

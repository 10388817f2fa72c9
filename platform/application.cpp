#include "application.h"

#include "form.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QWidget>

#include <exception>

namespace platform {

namespace {
Application *s_instance = nullptr;

// The modal result a form closed with, kept on the form so that any form class can set it.
constexpr const char *ModalResultProperty = "modalResult";

// Inside a catch block: gives the error being handled to the default error report.
void reportCurrentException()
{
    QString message;
    try {
        throw;
    } catch (const std::exception &e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    if (auto *app = Application::instance())
        app->showException(message);
}
} // namespace

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    s_instance = this;
    // The suite decides itself when it ends: hiding or closing a secondary form never does.
    setQuitOnLastWindowClosed(false);
}

Application::~Application()
{
    for (const auto &form : std::as_const(m_forms))
        delete form.data();
    s_instance = nullptr;
}

Application *Application::instance()
{
    return s_instance;
}

void Application::registerForm(QWidget *form)
{
    if (m_forms.contains(form))
        return;
    m_forms.append(form);
    if (!m_mainForm) {
        m_mainForm = form;
        form->installEventFilter(this);
    }
}

void Application::setTitle(const QString &title)
{
    // Only kept: as the application's display name, Qt on X would append it to the title of
    // every window, so that a caption from a language file no longer showed as written.
    m_title = title;
}

bool Application::helpCommand(int command, qintptr /*data*/)
{
    if (helpHook)
        return helpHook(m_helpFile, command);
    if (command != HelpContents)
        return false;
    // The viewer is a program of its own beside ours, so that it outlives and never blocks us.
    return QProcess::startDetached(exeFolder() + QStringLiteral("HalvaneHelp"),
                                   {QStringLiteral("--contents"), m_helpFile});
}

QString Application::exeName() const
{
    return applicationFilePath();
}

QString Application::exeFolder() const
{
    return QFileInfo(applicationFilePath()).absolutePath() + QLatin1Char('/');
}

void Application::processMessages()
{
    processEvents(QEventLoop::AllEvents);
}

void Application::run()
{
    if (m_mainForm)
        m_mainForm->show();
    if (m_terminated)
        return;
    QEventLoop loop;
    m_loops.append(&loop);
    loop.exec();
    m_loops.removeOne(&loop);
}

void Application::terminate()
{
    if (m_terminatePending || m_terminated)
        return;
    m_terminatePending = true;
    // A queued call rather than quit(): it is neither lost before a loop runs nor dropped when
    // a nested loop starts, and whichever loop runs next takes it.
    QMetaObject::invokeMethod(
        this, [this, generation = m_generation] { takeTerminate(generation); },
        Qt::QueuedConnection);
}

void Application::takeTerminate(quint64 generation)
{
    if (generation != m_generation || !m_terminatePending)
        return; // made before a reset
    m_terminatePending = false;
    m_terminated = true;
    for (QEventLoop *loop : std::as_const(m_loops))
        loop->exit(0);
    // Dialogs running QDialog::exec() have loops of their own; they end by being rejected.
    const auto windows = topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *dialog = qobject_cast<QDialog *>(window);
            dialog && dialog->isVisible() && dialog->isModal())
            dialog->reject();
    }
}

int Application::showModal(QWidget *form)
{
    form->setProperty(ModalResultProperty, int(mrNone));
    // Modality only takes effect when a window is shown, so a visible form is shown anew.
    if (form->isVisible())
        form->hide();
    const Qt::WindowModality oldModality = form->windowModality();
    form->setWindowModality(Qt::ApplicationModal);
    const QPointer<QWidget> guard(form);
    if (m_terminated) {
        // Once the program is ending, a modal form opens (its show handler runs) and closes
        // again at once, without waiting for input.
        form->show();
    } else {
        QEventLoop loop;
        // The loop ends when the form is hidden, however that happens, or is deleted.
        struct HideWatcher : QObject
        {
            QEventLoop *loop = nullptr;
            bool eventFilter(QObject * /*watched*/, QEvent *event) override
            {
                if (event->type() == QEvent::Hide)
                    loop->exit(0);
                return false;
            }
        } hideWatcher;
        hideWatcher.loop = &loop;
        const QMetaObject::Connection deleted
            = connect(form, &QObject::destroyed, &loop, [&loop] { loop.exit(0); });
        form->installEventFilter(&hideWatcher);
        m_loops.append(&loop);
        form->show();
        form->activateWindow();
        if (guard && form->isVisible() && !m_terminated)
            loop.exec();
        m_loops.removeOne(&loop);
        disconnect(deleted);
        if (guard)
            form->removeEventFilter(&hideWatcher);
    }
    if (!guard)
        return mrCancel;
    form->hide();
    form->setWindowModality(oldModality);
    const int result = form->property(ModalResultProperty).toInt();
    return result == mrNone ? int(mrCancel) : result;
}

void Application::setScreenCursor(ScreenCursor cursor)
{
    if (cursor == m_cursor)
        return;
    m_cursor = cursor;
    if (cursor == ScreenCursor::HourGlass)
        setOverrideCursor(Qt::WaitCursor);
    else
        restoreOverrideCursor();
}

void Application::showException(const QString &message)
{
    const QString text = message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
    if (errorReportHook) {
        errorReportHook(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString(), text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("ErrorReport"));
    box.setTextFormat(Qt::PlainText);
    setCaption(&box, m_title);
    // Not hidden behind the window the error came from when that one stays on top.
    if (const QWidget *active = activeWindow();
        active && active->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // Through showModal() rather than exec(): a terminate request taken while the box is up
    // ends its loop too, and once the program is ending the box does not wait for input.
    showModal(&box);
}

void setModalResult(QWidget *form, int result)
{
    form->setProperty(ModalResultProperty, result);
    form->close();
}

void Application::resetForTests()
{
    for (const auto &form : std::as_const(m_forms))
        delete form.data();
    m_forms.clear();
    m_mainForm = nullptr;
    setTitle(QString());
    m_helpFile.clear();
    errorReportHook = nullptr;
    helpHook = nullptr;
    m_cursor = ScreenCursor::Default;
    while (overrideCursor())
        restoreOverrideCursor();
    m_terminated = false;
    m_terminatePending = false;
    // A request still queued from before finds itself outdated and does nothing.
    ++m_generation;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    // The last line of defence for event overrides that run system code without guarded():
    // the error is reported and the event counts as not handled, rather than the exception
    // unwinding through Qt.
    if (m_terminated && event->type() == QEvent::Show) {
        // A dialog opened with QDialog::exec() once the program is ending closes at once too,
        // from inside its own loop, so that it is not left on the screen.
        if (auto *dialog = qobject_cast<QDialog *>(receiver); dialog && dialog->isModal())
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    }
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentException();
    }
    return false;
}

bool Application::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mainForm && event->type() == QEvent::Close) {
        // Closing the main form ends the program, unless the form itself refuses to close: let
        // the form handle the event first, then look at its verdict.
        static_cast<QObject *>(watched)->event(event);
        if (event->isAccepted())
            terminate();
        return true;
    }
    return QApplication::eventFilter(watched, event);
}

void guarded(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (...) {
        reportCurrentException();
    }
}

} // namespace platform

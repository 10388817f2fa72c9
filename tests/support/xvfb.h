#pragma once

// Running real programs on a private X server and driving them the way a user would.
//
//   testsupport::Xvfb x(QSize(1024, 768));
//   ASSERT_TRUE(x.isRunning()) << x.errorString();
//   testsupport::XProgram qx(x);
//   ASSERT_TRUE(qx.start(launcherDir() + "/Qx32", {}, launcherDir(), {{"HALVANE_WINDIR", dir}}));
//   auto bar = qx.waitForWindow("Quixbar");          // by window name, among qx's windows
//   ASSERT_TRUE(bar) << qx.output();
//   x.click(bar->geometry.topLeft() + QPoint(5, 5));
//   ASSERT_TRUE(qx.waitForExit());
//
// There is no window manager: a window sits exactly where the program puts it, has no frame, and
// "activating" it gives it the input focus directly. Every wait polls a condition with a bound.

#include "printers.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QProcess;
class QTemporaryDir;

namespace testsupport {

using namespace std::chrono_literals;

// Calls condition every few milliseconds until it holds or timeout has passed; true when it held.
// It processes no Qt events; for in-process GUI tests use waitUntil() of gui.h instead.
bool pollUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout);

// A top-level window as xwininfo reports it.
struct XWindow
{
    quint64 id = 0;
    QString name; // WM_NAME, the window title; empty when it has none
    QRect geometry; // absolute upper-left corner, width and height, without any border
    QString mapState; // "IsViewable", "IsUnMapped" or "IsUnviewable"
    bool overrideRedirect = false; // placed without asking a window manager (pop-ups)

    bool isViewable() const { return mapState == QLatin1String("IsViewable"); }
};

// A private X virtual frame buffer with one screen of the given size, started on construction
// on a free display number and killed on destruction.
class Xvfb
{
public:
    explicit Xvfb(QSize screen = QSize(1024, 768), int depth = 24);
    ~Xvfb();
    Xvfb(const Xvfb &) = delete;
    Xvfb &operator=(const Xvfb &) = delete;

    bool isRunning() const;
    // Why the server is not running.
    QString errorString() const { return m_error; }
    // ":N"
    QString display() const { return m_display; }
    QSize screenSize() const { return m_size; }

    // The test's own environment with DISPLAY set to this server and the xcb platform chosen.
    QProcessEnvironment environment() const;

    // xwininfo of one window; nullopt when the window does not exist (any more).
    std::optional<XWindow> windowInfo(quint64 id) const;
    // The top-level windows that carry _NET_WM_PID pid, in stacking order (bottom first).
    // onlyViewable leaves out the ones not on the screen.
    QList<XWindow> windowsOfPid(qint64 pid, bool onlyViewable = true) const;
    // One property of a window as xprop spells its value (an atom list as "_A, _B", a string in
    // quotes); nullopt when the window does not have it.
    std::optional<QString> windowProperty(quint64 id, const QString &property) const;
    // Whether the window asked to stay above all others (_NET_WM_STATE_ABOVE).
    bool staysOnTop(quint64 id) const;
    // The window that has the input focus, or 0.
    quint64 focusedWindow() const;

    // The pointer and the keyboard, through xdotool. Each returns whether xdotool succeeded.
    // Buttons: 1 left, 2 middle, 3 right. Keys are xdotool key names ("Return", "alt+x").
    bool mouseMove(QPoint position) const;
    bool mouseDown(int button = 1) const;
    bool mouseUp(int button = 1) const;
    bool click(int button = 1) const;
    bool click(QPoint position, int button = 1) const; // move there, then click
    // Presses and releases button 1 at from, moves through the steps to to, releases there.
    bool drag(QPoint from, QPoint to, int steps = 8) const;
    bool key(const QString &keys) const;
    bool type(const QString &text) const;
    // Gives the window the input focus (and raises it), then waits until it has it.
    bool activate(quint64 window) const;
    // Where the pointer is now.
    std::optional<QPoint> pointer() const;

    // The whole screen as it is now (through xwd), and the same written as a PNG file, for
    // looking at a failure.
    std::optional<QImage> grabScreen() const;
    bool screenshot(const QString &pngPath) const;

    // Runs an X client tool on this display and gives its standard output; nullopt when it could
    // not be started, did not finish within a few seconds or failed.
    std::optional<QByteArray> runTool(const QString &tool, const QStringList &arguments) const;

private:
    std::unique_ptr<QProcess> m_server;
    QString m_display;
    QSize m_size;
    QString m_error;
};

// One real program started on an Xvfb: its own process group, its standard output and error
// collected in a file, killed (with every process of its group) on destruction.
class XProgram
{
public:
    explicit XProgram(const Xvfb &x);
    ~XProgram();
    XProgram(const XProgram &) = delete;
    XProgram &operator=(const XProgram &) = delete;

    // Starts program with the Xvfb's environment plus extraEnvironment (an empty value removes
    // the variable) in workingDirectory (the test's own when empty). Returns false, with the
    // reason in output(), when it did not start.
    bool start(const QString &program, const QStringList &arguments = {},
               const QString &workingDirectory = {},
               const QMap<QString, QString> &extraEnvironment = {});

    qint64 pid() const;
    bool isRunning() const;

    // The program's viewable top-level windows, bottom of the stack first.
    QList<XWindow> visibleWindows() const;
    // Waits until the program has a viewable top-level window whose name is exactly name (any
    // viewable window when name is empty), and gives it.
    std::optional<XWindow> waitForWindow(const QString &name = {},
                                         std::chrono::milliseconds timeout = 15s) const;
    // Waits until a viewable top-level window of the program fulfils condition.
    std::optional<XWindow> waitForWindow(const std::function<bool(const XWindow &)> &condition,
                                         std::chrono::milliseconds timeout = 15s) const;
    // Waits until no viewable top-level window of the program is named name.
    bool waitForWindowGone(const QString &name, std::chrono::milliseconds timeout = 15s) const;

    // Waits until the program has ended; false when it still runs after timeout.
    bool waitForExit(std::chrono::milliseconds timeout = 15s);
    // After it ended: its exit code, and whether it ended normally rather than by a signal.
    int exitCode() const;
    bool exitedNormally() const;
    // Kills the program and its process group at once.
    void kill();

    // Everything it wrote to standard output and error so far.
    QString output() const;

private:
    const Xvfb &m_x;
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QTemporaryDir> m_logDir;
    qint64 m_pid = 0;
};

} // namespace testsupport

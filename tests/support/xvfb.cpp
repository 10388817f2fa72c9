#include "xvfb.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <array>
#include <csignal>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr int ToolTimeoutMs = 10000;

struct ToolResult
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
};

ToolResult runX(const QString &display, const QString &tool, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(env);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, arguments);
    ToolResult result;
    if (!process.waitForStarted(ToolTimeoutMs))
        return result;
    if (!process.waitForFinished(ToolTimeoutMs)) {
        process.kill();
        process.waitForFinished(ToolTimeoutMs);
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    return result;
}

// The value after "label:" on one line of xwininfo's report.
QString field(const QString &report, const QString &label)
{
    const QRegularExpression re(QStringLiteral("^\\s*") + QRegularExpression::escape(label)
                                    + QStringLiteral(":\\s*(.*)$"),
                                QRegularExpression::MultilineOption);
    const auto match = re.match(report);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

QString point(QPoint p, int coordinate)
{
    return QString::number(coordinate == 0 ? p.x() : p.y());
}

} // namespace

bool pollUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(10ms);
    }
}

Xvfb::Xvfb(QSize screen, int depth)
    : m_server(std::make_unique<QProcess>())
    , m_size(screen)
{
    // A black root window (-br) rather than the weave, so that a screen shot shows plainly what
    // the programs drew.
    // -displayfd 1: the server picks a free display number and writes it to its standard output
    // once it accepts connections, so there is neither a guessed number nor a race to wait out.
    m_server->setStandardErrorFile(QProcess::nullDevice());
    m_server->setChildProcessModifier([] { ::setpgid(0, 0); });
    m_server->start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"),
                     QStringLiteral("%1x%2x%3").arg(screen.width()).arg(screen.height()).arg(depth),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset"),
                     QStringLiteral("-br")});
    if (!m_server->waitForStarted(ToolTimeoutMs)) {
        m_error = QStringLiteral("Xvfb did not start: ") + m_server->errorString();
        return;
    }
    QByteArray number;
    const bool reported = pollUntil(
        [&] {
            m_server->waitForReadyRead(100);
            number += m_server->readAllStandardOutput();
            return number.contains('\n') || m_server->state() != QProcess::Running;
        },
        15s);
    if (!reported || !number.contains('\n')) {
        m_error = QStringLiteral("Xvfb reported no display number");
        m_server->kill();
        m_server->waitForFinished(ToolTimeoutMs);
        return;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
}

Xvfb::~Xvfb()
{
    if (m_server->state() != QProcess::NotRunning) {
        m_server->kill();
        m_server->waitForFinished(ToolTimeoutMs);
    }
}

bool Xvfb::isRunning() const
{
    return !m_display.isEmpty() && m_server->state() == QProcess::Running;
}

QProcessEnvironment Xvfb::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

std::optional<QByteArray> Xvfb::runTool(const QString &tool, const QStringList &arguments) const
{
    const ToolResult result = runX(m_display, tool, arguments);
    if (!result.finished || result.exitCode != 0)
        return std::nullopt;
    return result.output;
}

std::optional<XWindow> Xvfb::windowInfo(quint64 id) const
{
    const auto out
        = runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id)});
    if (!out)
        return std::nullopt;
    const QString report = QString::fromUtf8(*out);
    XWindow window;
    window.id = id;
    // xwininfo: Window id: 0x200007 "the title"   (or: (has no name))
    const QRegularExpression idLine(QStringLiteral("Window id: \\S+ \"(.*)\"$"),
                                    QRegularExpression::MultilineOption);
    if (const auto match = idLine.match(report); match.hasMatch())
        window.name = match.captured(1);
    window.geometry = QRect(field(report, QStringLiteral("Absolute upper-left X")).toInt(),
                            field(report, QStringLiteral("Absolute upper-left Y")).toInt(),
                            field(report, QStringLiteral("Width")).toInt(),
                            field(report, QStringLiteral("Height")).toInt());
    window.mapState = field(report, QStringLiteral("Map State"));
    window.overrideRedirect
        = field(report, QStringLiteral("Override Redirect State")) == QLatin1String("yes");
    return window;
}

QList<XWindow> Xvfb::windowsOfPid(qint64 pid, bool onlyViewable) const
{
    // xdotool exits with 1 when nothing matches; that is an empty list, not a failure.
    const ToolResult found
        = runX(m_display, QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--pid"), QString::number(pid)});
    QList<XWindow> windows;
    if (!found.finished)
        return windows;
    const auto lines
        = QString::fromLatin1(found.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        bool ok = false;
        const quint64 id = line.trimmed().toULongLong(&ok);
        if (!ok)
            continue;
        const auto info = windowInfo(id);
        if (info && (!onlyViewable || info->isViewable()))
            windows.append(*info);
    }
    return windows;
}

std::optional<QString> Xvfb::windowProperty(quint64 id, const QString &property) const
{
    // _NET_WM_STATE = _NET_WM_STATE_ABOVE, _NET_WM_STATE_STAYS_ON_TOP
    // _NET_WM_STATE:  not found.
    const auto out = runTool(
        QStringLiteral("xprop"),
        {QStringLiteral("-notype"), QStringLiteral("-id"), QString::number(id), property});
    if (!out)
        return std::nullopt;
    const QString line = QString::fromUtf8(*out).trimmed();
    const QString prefix = property + QStringLiteral(" = ");
    if (!line.startsWith(prefix))
        return std::nullopt;
    return line.mid(prefix.size());
}

bool Xvfb::staysOnTop(quint64 id) const
{
    const auto state = windowProperty(id, QStringLiteral("_NET_WM_STATE"));
    return state
        && state->split(QStringLiteral(", ")).contains(QLatin1String("_NET_WM_STATE_ABOVE"));
}

quint64 Xvfb::focusedWindow() const
{
    const auto out = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")});
    return out ? QString::fromLatin1(*out).trimmed().toULongLong() : 0;
}

bool Xvfb::mouseMove(QPoint position) const
{
    return runTool(QStringLiteral("xdotool"),
                   {QStringLiteral("mousemove"), point(position, 0), point(position, 1)})
        .has_value();
}

bool Xvfb::mouseDown(int button) const
{
    return runTool(QStringLiteral("xdotool"),
                   {QStringLiteral("mousedown"), QString::number(button)})
        .has_value();
}

bool Xvfb::mouseUp(int button) const
{
    return runTool(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QString::number(button)})
        .has_value();
}

bool Xvfb::click(int button) const
{
    return runTool(QStringLiteral("xdotool"), {QStringLiteral("click"), QString::number(button)})
        .has_value();
}

bool Xvfb::click(QPoint position, int button) const
{
    return runTool(QStringLiteral("xdotool"),
                   {QStringLiteral("mousemove"), point(position, 0), point(position, 1),
                    QStringLiteral("click"), QString::number(button)})
        .has_value();
}

bool Xvfb::drag(QPoint from, QPoint to, int steps) const
{
    QStringList arguments {QStringLiteral("mousemove"), point(from, 0), point(from, 1),
                           QStringLiteral("mousedown"), QStringLiteral("1")};
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        arguments << QStringLiteral("mousemove") << point(p, 0) << point(p, 1);
    }
    arguments << QStringLiteral("mouseup") << QStringLiteral("1");
    return runTool(QStringLiteral("xdotool"), arguments).has_value();
}

bool Xvfb::key(const QString &keys) const
{
    QStringList arguments {QStringLiteral("key")};
    arguments += keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return runTool(QStringLiteral("xdotool"), arguments).has_value();
}

bool Xvfb::type(const QString &text) const
{
    return runTool(QStringLiteral("xdotool"),
                   {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text})
        .has_value();
}

bool Xvfb::activate(quint64 window) const
{
    // Without a window manager there is no _NET_ACTIVE_WINDOW to ask: set the focus directly.
    const QString id = QString::number(window);
    if (!runTool(QStringLiteral("xdotool"),
                 {QStringLiteral("windowraise"), id, QStringLiteral("windowfocus"), id}))
        return false;
    return pollUntil([&] { return focusedWindow() == window; }, 5s);
}

std::optional<QPoint> Xvfb::pointer() const
{
    const auto out = runTool(QStringLiteral("xdotool"),
                             {QStringLiteral("getmouselocation"), QStringLiteral("--shell")});
    if (!out)
        return std::nullopt;
    // X=180
    // Y=105 ...
    int x = -1;
    int y = -1;
    for (const QByteArray &line : out->split('\n')) {
        if (line.startsWith("X="))
            x = line.mid(2).toInt();
        else if (line.startsWith("Y="))
            y = line.mid(2).toInt();
    }
    if (x < 0 || y < 0)
        return std::nullopt;
    return QPoint(x, y);
}

std::optional<QImage> Xvfb::grabScreen() const
{
    const auto dump
        = runTool(QStringLiteral("xwd"), {QStringLiteral("-root"), QStringLiteral("-silent")});
    if (!dump)
        return std::nullopt;
    // An XWD file: a header of big-endian 32-bit fields, the window name, the colour map, then
    // the pixels in the server's format: 3 or 4 bytes a pixel at depth 24, 8 bits per colour,
    // lines padded; a direct-colour visual maps each colour through the colour map.
    const QByteArray &data = *dump;
    auto card32 = [&data](qsizetype offset) -> quint32 {
        if (offset < 0 || offset + 4 > data.size())
            return 0;
        const auto *bytes = reinterpret_cast<const uchar *>(data.constData() + offset);
        return quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8
            | quint32(bytes[3]);
    };
    enum Field {
        HeaderSize = 0,
        Width = 4,
        Height = 5,
        ByteOrder = 7,
        BitsPerPixel = 11,
        BytesPerLine = 12,
        VisualClass = 13,
        RedMask = 14,
        GreenMask = 15,
        BlueMask = 16,
        ColourCount = 19
    };
    auto header = [&](Field f) { return card32(qsizetype(f) * 4); };
    constexpr quint32 DirectColor = 5;
    const int width = int(header(Width));
    const int height = int(header(Height));
    const qsizetype bytesPerLine = header(BytesPerLine);
    const qsizetype colours = header(ColourCount);
    const qsizetype pixels = qsizetype(header(HeaderSize)) + colours * 12;
    const int stride = int(header(BitsPerPixel) / 8);
    if ((stride != 3 && stride != 4) || header(RedMask) != 0xff0000 || header(GreenMask) != 0xff00
        || header(BlueMask) != 0xff || width <= 0 || height <= 0
        || bytesPerLine < qsizetype(width) * stride || pixels + bytesPerLine * height > data.size())
        return std::nullopt;
    // The colour map: entry i gives the 16-bit red, green and blue of channel value i.
    std::array<int, 256> red {}, green {}, blue {};
    for (int i = 0; i < 256; ++i)
        red[i] = green[i] = blue[i] = i;
    if (header(VisualClass) == DirectColor) {
        const qsizetype base = header(HeaderSize);
        for (qsizetype i = 0; i < std::min<qsizetype>(colours, 256); ++i) {
            const quint32 rg = card32(base + i * 12 + 4);
            const quint32 b = card32(base + i * 12 + 8);
            red[i] = int(rg >> 24);
            green[i] = int(rg >> 8 & 0xff);
            blue[i] = int(b >> 24);
        }
    }
    const bool mostSignificantFirst = header(ByteOrder) == 1;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto *line
            = reinterpret_cast<const uchar *>(data.constData() + pixels + bytesPerLine * y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uchar *p = line + x * stride;
            quint32 value = 0;
            for (int byte = 0; byte < stride; ++byte)
                value |= quint32(p[mostSignificantFirst ? stride - 1 - byte : byte]) << (8 * byte);
            out[x] = qRgb(red[value >> 16 & 0xff], green[value >> 8 & 0xff], blue[value & 0xff]);
        }
    }
    return image;
}

bool Xvfb::screenshot(const QString &pngPath) const
{
    const auto image = grabScreen();
    return image && image->save(pngPath, "PNG");
}

XProgram::XProgram(const Xvfb &x)
    : m_x(x)
    , m_process(std::make_unique<QProcess>())
    , m_logDir(std::make_unique<QTemporaryDir>())
{ }

XProgram::~XProgram()
{
    kill();
}

bool XProgram::start(const QString &program, const QStringList &arguments,
                     const QString &workingDirectory,
                     const QMap<QString, QString> &extraEnvironment)
{
    QProcessEnvironment env = m_x.environment();
    for (auto it = extraEnvironment.cbegin(); it != extraEnvironment.cend(); ++it) {
        if (it.value().isEmpty())
            env.remove(it.key());
        else
            env.insert(it.key(), it.value());
    }
    m_process->setProcessEnvironment(env);
    if (!workingDirectory.isEmpty())
        m_process->setWorkingDirectory(workingDirectory);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // A file rather than a pipe: a program that writes a lot never blocks on a full pipe.
    m_process->setStandardOutputFile(m_logDir->filePath(QStringLiteral("output.txt")));
    // Its own process group, so that kill() also reaches what it started.
    m_process->setChildProcessModifier([] { ::setpgid(0, 0); });
    m_process->start(program, arguments);
    if (!m_process->waitForStarted(ToolTimeoutMs)) {
        QFile log(m_logDir->filePath(QStringLiteral("output.txt")));
        if (log.open(QIODevice::WriteOnly | QIODevice::Append))
            log.write(QStringLiteral("could not start %1: %2\n")
                          .arg(program, m_process->errorString())
                          .toUtf8());
        return false;
    }
    m_pid = m_process->processId();
    return true;
}

qint64 XProgram::pid() const
{
    return m_pid;
}

bool XProgram::isRunning() const
{
    return m_process->state() == QProcess::Running;
}

QList<XWindow> XProgram::visibleWindows() const
{
    if (!m_pid)
        return {};
    return m_x.windowsOfPid(m_pid, true);
}

std::optional<XWindow> XProgram::waitForWindow(const QString &name,
                                               std::chrono::milliseconds timeout) const
{
    return waitForWindow(
        [&](const XWindow &window) { return name.isEmpty() || window.name == name; }, timeout);
}

std::optional<XWindow>
XProgram::waitForWindow(const std::function<bool(const XWindow &)> &condition,
                        std::chrono::milliseconds timeout) const
{
    std::optional<XWindow> found;
    pollUntil(
        [&] {
            for (const XWindow &window : visibleWindows()) {
                if (condition(window)) {
                    found = window;
                    return true;
                }
            }
            // A program that has ended shows nothing any more.
            return !isRunning();
        },
        timeout);
    return found;
}

bool XProgram::waitForWindowGone(const QString &name, std::chrono::milliseconds timeout) const
{
    return pollUntil(
        [&] {
            const auto windows = visibleWindows();
            return std::none_of(windows.cbegin(), windows.cend(),
                                [&](const XWindow &window) { return window.name == name; });
        },
        timeout);
}

bool XProgram::waitForExit(std::chrono::milliseconds timeout)
{
    if (m_process->state() == QProcess::NotRunning)
        return true;
    return m_process->waitForFinished(int(timeout.count()));
}

int XProgram::exitCode() const
{
    return m_process->exitCode();
}

bool XProgram::exitedNormally() const
{
    return m_process->state() == QProcess::NotRunning
        && m_process->exitStatus() == QProcess::NormalExit;
}

void XProgram::kill()
{
    if (m_pid > 0)
        ::kill(-pid_t(m_pid), SIGKILL);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(ToolTimeoutMs);
    }
}

QString XProgram::output() const
{
    QFile log(m_logDir->filePath(QStringLiteral("output.txt")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(log.readAll());
}

} // namespace testsupport

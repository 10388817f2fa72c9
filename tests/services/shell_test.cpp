// Shell launch: real programs (copies of shell_probe) started in temporary install folders.
#include "platform/shell.h"
#include "support/paths.h"
#include "support/printers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// One line of the probe's log, as key/value pairs.
using ProbeRun = std::map<QString, QString>;

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_log = m_root.filePath(QStringLiteral("probe.log"));
        setenv("HALVANE_PROBE_LOG", QFile::encodeName(m_log).constData(), 1);
        unsetenv("HALVANE_PROBE_HOLD");
        m_root.setAutoRemove(true);
    }
    void TearDown() override
    {
        unsetenv("HALVANE_PROBE_LOG");
        unsetenv("HALVANE_PROBE_HOLD");
        if (!m_savedPath.isEmpty())
            setenv("PATH", m_savedPath.constData(), 1);
        platform::shellExecuteHook = nullptr;
        if (HasFailure())
            m_root.setAutoRemove(false); // keep the folder to look at
    }

    QString root() const { return QFileInfo(m_root.path()).canonicalFilePath(); }

    // Copies the probe to root()/relative (folders created), executable unless told otherwise.
    QString install(const QString &relative, bool executable = true)
    {
        const QString target = root() + QLatin1Char('/') + relative;
        EXPECT_TRUE(QDir().mkpath(QFileInfo(target).absolutePath()));
        EXPECT_TRUE(
            QFile::copy(testsupport::buildBinDir() + QStringLiteral("/shell_probe"), target));
        QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        if (executable)
            perms |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        EXPECT_TRUE(QFile::setPermissions(target, perms));
        return target;
    }

    QList<ProbeRun> runs() const
    {
        QFile file(m_log);
        QList<ProbeRun> result;
        if (!file.open(QIODevice::ReadOnly))
            return result;
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.isEmpty())
                continue;
            ProbeRun run;
            for (const QByteArray &field : line.split('\t')) {
                const qsizetype eq = field.indexOf('=');
                run[QString::fromUtf8(field.left(eq))] = QString::fromUtf8(field.mid(eq + 1));
            }
            result.append(run);
        }
        return result;
    }

    // Waits (bounded) until the log holds `count` runs, and returns them.
    QList<ProbeRun> waitForRuns(qsizetype count, int timeoutMs = 20000) const
    {
        QDeadlineTimer deadline(timeoutMs);
        while (runs().size() < count && !deadline.hasExpired())
            QThread::msleep(2);
        return runs();
    }

    // Starts a marker program and waits for it, so that anything started before it has had the
    // same time to show up in the log.
    QList<ProbeRun> runsAfterMarker()
    {
        const QString marker = install(QStringLiteral("marker/Mark32"));
        const qsizetype before = runs().size();
        EXPECT_TRUE(platform::shellExecute(QStringLiteral("Mark32"), root() + "/marker"));
        QList<ProbeRun> all = waitForRuns(before + 1);
        EXPECT_EQ(all.size(), before + 1);
        EXPECT_TRUE(!all.isEmpty() && all.last()["argv0"] == marker);
        if (!all.isEmpty())
            all.removeLast();
        return all;
    }

    void putOnPath(const QString &folder)
    {
        m_savedPath = qgetenv("PATH");
        setenv("PATH", QFile::encodeName(folder + QLatin1Char(':')).append(m_savedPath).constData(),
               1);
    }

    QTemporaryDir m_root;
    QString m_log;
    QByteArray m_savedPath;
};

QString withBackslashes(QString path)
{
    return path.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

struct FoundCase
{
    const char *name;
    const char *installed; // relative to the test root
    const char *file; // what is asked for
    const char *directory; // {root} stands for the test root, {ROOT} for it in capitals,
                           // {bsroot} for it with backslashes
};

// Where a program is found: names and folders regardless of case, Windows-style paths, the
// native program for a ".Exe" name; the program runs in its folder, once, with no arguments.
TEST_F(ShellTest, StartsTheProgramFoundInTheInstallFolder)
{
    const FoundCase cases[] = {
        {"exact", "Program Files/Halvane/Dv/Dv32.Exe", "Dv32.Exe",
         "{root}/Program Files/Halvane/Dv"},
        {"name in other case", "Dv/Dv32.Exe", "DV32.EXE", "{root}/Dv"},
        {"folders in other case", "Program Files/Halvane/Dv/Dv32.Exe", "Dv32.Exe",
         "{ROOT}/PROGRAM FILES/halvane/dV"},
        {"backslashes", "Program files/Halvane/Kv/Kv32.Exe", "Kv32.Exe",
         "{bsroot}\\Program files\\Halvane\\Kv"},
        {"drive letter", "Program files/Halvane/Tz/Tz32.Exe", "Tz32.Exe",
         "C:{bsroot}\\program files\\halvane\\tz"},
        {"mixed separators, trailing one", "Qx/Qx32.Exe", "Qx32.Exe", "{root}\\Qx/"},
        {"native program for .Exe", "Dv/DvConf32", "DvConf32.Exe", "{root}/Dv"},
        {"native program in other case", "Dv/dvconf32", "DvConf32.Exe", "{root}/dv"},
        {"dot folders", "a/Dv/Dv32.Exe", "Dv32.Exe", "{root}/a/./b/../Dv"},
        {"shell characters in the folder", "Dv; touch pwned $(id) `id` |x/Dv32.Exe", "Dv32.Exe",
         "{root}/Dv; touch pwned $(id) `id` |x"},
    };
    for (const FoundCase &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_log);
        if (QString::fromUtf8(c.directory).contains("/b/.."))
            QDir().mkpath(root() + "/a/b");
        const QString program = install(QString::fromUtf8(c.installed));
        QString directory = QString::fromUtf8(c.directory);
        directory.replace("{root}", root())
            .replace("{ROOT}", root().toUpper())
            .replace("{bsroot}", withBackslashes(root()));

        EXPECT_EQ(platform::shellFindProgram(QString::fromUtf8(c.file), directory), program);
        ASSERT_TRUE(platform::shellExecute(QString::fromUtf8(c.file), directory));
        const QList<ProbeRun> started = waitForRuns(1);
        ASSERT_EQ(started.size(), 1);
        EXPECT_EQ(started[0].at("argv0"), program);
        EXPECT_EQ(started[0].at("argc"), "1");
        EXPECT_EQ(started[0].at("cwd"), QFileInfo(program).absolutePath());
        QFile::remove(program);
    }
    EXPECT_FALSE(QFileInfo::exists(root() + "/pwned"));
    EXPECT_FALSE(QFileInfo::exists(QDir::currentPath() + "/pwned"));
}

struct MissingCase
{
    const char *name;
    const char *file;
    const char *directory; // {root} stands for the test root
};

// What starts nothing and reports false: a missing folder or program, a program that cannot be
// run, a name that is not bare.
TEST_F(ShellTest, StartsNothingWhenThereIsNoProgramToRun)
{
    install(QStringLiteral("Dv/Dv32.Exe"));
    install(QStringLiteral("Dv/Readme.Exe"), false);
    QDir().mkpath(root() + "/Dv/Folder32.Exe");
    install(QStringLiteral("Other/Kv32.Exe"));
    const MissingCase cases[] = {
        {"missing folder", "Dv32.Exe", "{root}/Nowhere"},
        {"missing program", "Tz32.Exe", "{root}/Dv"},
        {"not executable", "Readme.Exe", "{root}/Dv"},
        {"a folder, not a file", "Folder32.Exe", "{root}/Dv"},
        {"the folder itself", ".", "{root}/Dv"},
        {"a path, not a name", "../Other/Kv32.Exe", "{root}/Dv"},
        {"a Windows path, not a name", "..\\Other\\Kv32.Exe", "{root}/Dv"},
        {"no name", "", "{root}/Dv"},
        {"no folder", "Dv32.Exe", ""},
        {"a file as folder", "Dv32.Exe", "{root}/Dv/Dv32.Exe"},
        {".Exe alone", ".Exe", "{root}/Dv"},
    };
    for (const MissingCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString directory = QString::fromUtf8(c.directory).replace("{root}", root());
        EXPECT_EQ(platform::shellFindProgram(QString::fromUtf8(c.file), directory), QString());
        EXPECT_FALSE(platform::shellExecute(QString::fromUtf8(c.file), directory));
    }
    EXPECT_TRUE(runsAfterMarker().isEmpty());
}

// Only an executable file counts: a plain "X.Exe" beside the native "X" leaves "X" to run.
TEST_F(ShellTest, SkipsAFileThatCannotRun)
{
    install(QStringLiteral("Dv/Dv32.Exe"), false);
    const QString program = install(QStringLiteral("Dv/Dv32"));
    ASSERT_TRUE(platform::shellExecute(QStringLiteral("Dv32.Exe"), root() + "/Dv"));
    const QList<ProbeRun> started = waitForRuns(1);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].at("argv0"), program);
}

// Among names that differ only by case, the exact spelling wins, for folders and programs; a
// folder that does not hold the program leaves the search to the next one that matches.
TEST_F(ShellTest, PrefersTheExactSpelling)
{
    const QString inLowerCase = install(QStringLiteral("program files/Tz/Tz32.Exe"));
    QDir().mkpath(root() + "/Program Files/Tz");
    QDir().mkpath(root() + "/PROGRAM FILES/Tz");
    EXPECT_EQ(platform::shellFindProgram(QStringLiteral("Tz32.Exe"), root() + "/Program files/Tz"),
              inLowerCase);
    install(QStringLiteral("DV/Dv32.Exe"));
    install(QStringLiteral("Dv/DV32.EXE"));
    const QString exact = install(QStringLiteral("Dv/Dv32.Exe"));
    EXPECT_EQ(platform::shellFindProgram(QStringLiteral("Dv32.Exe"), root() + "/Dv"), exact);
    EXPECT_EQ(platform::shellFindProgram(QStringLiteral("DV32.EXE"), root() + "/Dv"),
              root() + "/Dv/DV32.EXE");
    EXPECT_EQ(platform::shellFindProgram(QStringLiteral("Dv32.Exe"), root() + "/DV"),
              root() + "/DV/Dv32.Exe");
}

// PATH is never searched: a program on PATH is not started for a folder that lacks it, and the
// install folder's program is started rather than PATH's.
TEST_F(ShellTest, NeverLooksOnPath)
{
    install(QStringLiteral("bin/Qx32"));
    install(QStringLiteral("bin/Qx32.Exe"));
    putOnPath(root() + "/bin");
    QDir().mkpath(root() + "/Empty");

    EXPECT_FALSE(platform::shellExecute(QStringLiteral("Qx32.Exe"), root() + "/Empty"));
    EXPECT_FALSE(platform::shellExecute(QStringLiteral("Qx32"), root() + "/Empty"));
    EXPECT_TRUE(runsAfterMarker().isEmpty());

    const QString program = install(QStringLiteral("Ocr/qx32"));
    QFile::remove(m_log);
    ASSERT_TRUE(platform::shellExecute(QStringLiteral("Qx32.Exe"), root() + "/Ocr"));
    const QList<ProbeRun> started = waitForRuns(1);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].at("argv0"), program);
}

// The program runs in a session of its own and is not our child: no zombie, nothing to reap.
TEST_F(ShellTest, DetachesTheProgram)
{
    install(QStringLiteral("Dv/Dv32.Exe"));
    ASSERT_TRUE(platform::shellExecute(QStringLiteral("Dv32.Exe"), root() + "/Dv"));
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    const QList<ProbeRun> started = waitForRuns(1);
    ASSERT_EQ(started.size(), 1);
    EXPECT_NE(started[0].at("sid"), QString::number(getsid(0)));
    EXPECT_NE(started[0].at("pgid"), QString::number(getpgrp()));
    EXPECT_NE(started[0].at("ppid"), QString::number(getpid()));
}

// Each call starts the program once more; nothing prevents a second start.
TEST_F(ShellTest, StartsAgainOnEachCall)
{
    install(QStringLiteral("Tz/Tz32.Exe"));
    ASSERT_TRUE(platform::shellExecute(QStringLiteral("Tz32.Exe"), root() + "/Tz"));
    ASSERT_TRUE(platform::shellExecute(QStringLiteral("Tz32.Exe"), root() + "/Tz"));
    const QList<ProbeRun> started = waitForRuns(2);
    ASSERT_EQ(started.size(), 2);
    EXPECT_NE(started[0].at("pid"), started[1].at("pid"));
    EXPECT_EQ(started[0].at("cwd"), root() + "/Tz");
    EXPECT_EQ(started[1].at("cwd"), root() + "/Tz");
}

// The program outlives the process that started it: it is still running, and then finishes its
// work, after its starter has ended.
TEST_F(ShellTest, ProgramOutlivesItsStarter)
{
    const QString program = install(QStringLiteral("Dv/Dv32.Exe"));
    const QString hold = root() + "/go";
    setenv("HALVANE_PROBE_HOLD", QFile::encodeName(hold).constData(), 1);

    QProcess starter;
    starter.start(testsupport::buildBinDir() + "/shell_start",
                  {QStringLiteral("Dv32.Exe"), root() + "/Dv"});
    ASSERT_TRUE(starter.waitForFinished(20000));
    ASSERT_EQ(starter.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(starter.exitCode(), 0);
    EXPECT_TRUE(runs().isEmpty()); // still waiting for the go

    QFile go(hold);
    ASSERT_TRUE(go.open(QIODevice::WriteOnly));
    go.close();
    const QList<ProbeRun> started = waitForRuns(1);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].at("argv0"), program);
    EXPECT_NE(started[0].at("ppid"), QString::number(starter.processId()));
}

// The hook for tests of the suite's programs sees the request and nothing is started.
TEST_F(ShellTest, HookTakesTheRequest)
{
    install(QStringLiteral("Dv/Dv32.Exe"));
    QStringList seen;
    platform::shellExecuteHook = [&](const QString &file, const QString &directory) {
        seen << file << directory;
        return false;
    };
    EXPECT_FALSE(
        platform::shellExecute(QStringLiteral("Dv32.Exe"), "\\Program files\\Halvane\\Dv"));
    EXPECT_EQ(seen, QStringList({"Dv32.Exe", "\\Program files\\Halvane\\Dv"}));
    platform::shellExecuteHook = nullptr;
    EXPECT_TRUE(runsAfterMarker().isEmpty());
}

// Install paths map onto the native tree: drive letters and a leading "\" lead to the root.
TEST(ShellPaths, ResolvesWindowsStylePaths)
{
    const struct
    {
        const char *path;
        const char *folder;
    } cases[] = {
        {"\\", "/"},
        {"C:\\", "/"},
        {"c:", "/"},
        {"\\TMP", "/tmp"},
        {"C:\\tmp\\", "/tmp"},
        {"/tmp/..", "/"},
        {"\\Program files\\Halvane\\NoSuchProduct", ""},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(platform::shellResolveDirectory(QString::fromUtf8(c.path)),
                  QString::fromUtf8(c.folder));
    }
}

} // namespace

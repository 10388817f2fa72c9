// What one ReadString costs: on a 64 KB settings file of about 2,000 entries, and on a 1 KB file.
// Every read opens and parses the file afresh, so this is the price of every setting a program
// reads at start-up.
#include "platform/profile.h"
#include "shared/IniFiles.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A Windows directory holding Win.Ini with sections of 20 entries each, about size bytes in all.
// The entry read lies in the last section, so a read walks the whole file.
class SettingsFolder
{
public:
    explicit SettingsFolder(qsizetype size)
    {
        QByteArray text = "; settings of several programs\r\n";
        int section = 0;
        while (text.size() < size) {
            text += "[Program " + QByteArray::number(section) + "]\r\n";
            for (int i = 0; i < 20 && text.size() < size; ++i)
                text += "Setting " + QByteArray::number(i) + " = value of setting "
                    + QByteArray::number(section * 20 + i) + "\r\n";
            ++section;
        }
        m_lastSection = "Program " + QByteArray::number(section - 1);
        text += "[Quixbar]\r\nRow=120\r\nCol=25\r\nAxis=H\r\n";
        m_entries = section * 20 + 3;
        QFile file(m_dir.filePath(QStringLiteral("Win.Ini")));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            std::abort();
        m_size = text.size();
        qputenv("HALVANE_WINDIR", QFile::encodeName(m_dir.path()));
    }
    qsizetype size() const { return m_size; }
    int entries() const { return m_entries; }

private:
    QTemporaryDir m_dir;
    QByteArray m_lastSection;
    qsizetype m_size = 0;
    int m_entries = 0;
};

void ReadString(benchmark::State &state)
{
    const SettingsFolder folder(state.range(0));
    const TIniFile ini(QStringLiteral("Win.Ini"));
    const QString section = QStringLiteral("Quixbar");
    const QString key = QStringLiteral("Axis");
    const QString def = QStringLiteral("H");
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadString(section, key, def));
    state.counters["file_bytes"] = static_cast<double>(folder.size());
    state.counters["entries"] = folder.entries();
}
BENCHMARK(ReadString)->Arg(1024)->Arg(64 * 1024);

// The same read below the accessor: the profile function on bytes.
void ReadProfileString(benchmark::State &state)
{
    const SettingsFolder folder(state.range(0));
    const QString name = QStringLiteral("Win.Ini");
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::readProfileString("Quixbar", "Axis", "H", name));
    state.counters["file_bytes"] = static_cast<double>(folder.size());
}
BENCHMARK(ReadProfileString)->Arg(1024)->Arg(64 * 1024);

// The worst case: every entry in the one section read, the key wanted last.
void ReadStringOneSection(benchmark::State &state)
{
    QTemporaryDir dir;
    QByteArray text = "[Quixbar]\n";
    int entries = 0;
    while (text.size() < state.range(0)) {
        text += "Setting" + QByteArray::number(entries) + "=value " + QByteArray::number(entries)
            + "\n";
        ++entries;
    }
    text += "Axis=V\n";
    QFile file(dir.filePath(QStringLiteral("Win.Ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        std::abort();
    file.close();
    const TIniFile ini(dir.filePath(QStringLiteral("Win.Ini")));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ini.ReadString(QStringLiteral("quixbar"), QStringLiteral("axis"), {}));
    state.counters["entries"] = entries + 1;
}
BENCHMARK(ReadStringOneSection)->Arg(1024)->Arg(64 * 1024);

// One WriteString: lock, read, change one line, write a new file, flush it and the folder, rename.
// The flushes to disk dominate.
void WriteString(benchmark::State &state)
{
    const SettingsFolder folder(state.range(0));
    TIniFile ini(QStringLiteral("Win.Ini"));
    int row = 0;
    for (auto _ : state)
        ini.WriteInteger(QStringLiteral("Quixbar"), QStringLiteral("Row"), ++row);
    state.counters["file_bytes"] = static_cast<double>(folder.size());
}
BENCHMARK(WriteString)->Arg(1024)->Arg(64 * 1024)->Unit(benchmark::kMicrosecond);

// A read of a key that is missing from a file of another letter case: the folder is searched.
void ReadStringOtherCase(benchmark::State &state)
{
    const SettingsFolder folder(state.range(0));
    const TIniFile ini(QStringLiteral("WIN.INI"));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ini.ReadString(QStringLiteral("Quixbar"), QStringLiteral("Row"), {}));
}
BENCHMARK(ReadStringOtherCase)->Arg(1024);

} // namespace

BENCHMARK_MAIN();

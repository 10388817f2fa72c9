// The scanner source selection on SANE's test backend, in a SANE configuration of the test's
// own: what the dialog lists and selects, what Select, Cancel and the close box leave in the
// source manager's settings file, and what happens without SANE.
#include "platform/application.h"
#include "platform/scanner.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

// SANE's test backend leaves a few bytes of its configuration behind after sane_exit; that is
// SANE's, not ours. SANE unloads the backend at sane_exit, so the fixture keeps it loaded for the
// leak report to name it.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libsane-test.so\n";
}

namespace {

const char *const TestBackendLibrary = "/usr/lib/x86_64-linux-gnu/sane/libsane-test.so.1";

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

// Runs step from the event loop, every few milliseconds, until it returns true. If it has not
// within the bound, the test fails and every modal window is closed, so the call under test
// returns instead of hanging.
void whenReady(std::function<bool()> step, int boundMs = 20000)
{
    auto *timer = new QTimer(qApp);
    auto deadline = std::make_shared<QDeadlineTimer>(boundMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step, deadline] {
        if (step()) {
            timer->deleteLater();
            timer->stop();
            return;
        }
        if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the dialog never reached the expected state";
            while (QWidget *modal = QApplication::activeModalWidget())
                modal->hide();
        }
    });
    timer->start(5);
}

QWidget *findTopLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

class ScannerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(windows.isValid() && sane.isValid());
        ASSERT_TRUE(dlopen(TestBackendLibrary, RTLD_NOW | RTLD_NODELETE)) << dlerror();
        qputenv("HALVANE_WINDIR", windows.path().toLocal8Bit());
        qputenv("SANE_CONFIG_DIR", sane.path().toLocal8Bit());
        qunsetenv("HALVANE_SANE_LIBRARY");
        owner = std::make_unique<QWidget>();
        owner->resize(300, 200);
        owner->show();
    }
    void TearDown() override
    {
        owner.reset();
        qunsetenv("HALVANE_WINDIR");
        qunsetenv("SANE_CONFIG_DIR");
        qunsetenv("HALVANE_SANE_LIBRARY");
    }
    // SANE with only its test backend, offering this many virtual scanners; 0 offers no
    // backend at all.
    void configureSane(int devices)
    {
        writeFile(sane.filePath("dll.conf"), devices > 0 ? "test\n" : "");
        writeFile(sane.filePath("test.conf"),
                  "number_of_devices " + QByteArray::number(std::max(devices, 1)) + "\n");
    }
    QString settingsPath() const { return windows.filePath(platform::ScannerSettingsFile); }

    QTemporaryDir windows;
    QTemporaryDir sane;
    std::unique_ptr<QWidget> owner;
};

// What the dialog showed, read when its search had ended.
struct Seen
{
    bool ownedByOwner = false;
    QString title;
    QStringList rows; // "vendor|model|device"
    int current = -1;
    QString status;
    bool selectEnabled = false;
};

Seen look(QWidget *dialog, QWidget *owner)
{
    Seen seen;
    auto *list = dialog->findChild<QTreeWidget *>("SourceList");
    seen.ownedByOwner = dialog->parentWidget() == owner;
    seen.title = dialog->windowTitle();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        seen.rows << item->text(0) + "|" + item->text(1) + "|" + item->text(2);
    }
    seen.current = list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
    seen.status = dialog->findChild<QLabel *>("StatusLabel")->text();
    seen.selectEnabled = dialog->findChild<QPushButton *>("SelectButton")->isEnabled();
    return seen;
}

bool searchEnded(QWidget *dialog)
{
    return dialog->findChild<QPushButton *>("RescanButton")->isEnabled();
}

enum class Action { SelectRow, Cancel, CloseBox, Escape };

struct Case
{
    const char *name;
    int devices;
    QByteArray settingsBefore; // empty: no settings file
    int pickRow; // row made current before the action, -1 to leave the selection as shown
    Action action;
    int expectedCurrent; // the row selected when the list arrived
    std::optional<QByteArray> settingsAfter; // nullopt: the file is as it was (or still absent)
};

// Rows show up in test names by their name alone.
void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

const QString Vendor = "Noname|frontend-tester|";

const Case Cases[] = {
    {"TwoScannersPickSecond", 2, "", 1, Action::SelectRow, 0,
     "[Source Manager]\nDefault Source=test:1\n"},
    {"TwoScannersSelectFirstShown", 2, "", -1, Action::SelectRow, 0,
     "[Source Manager]\nDefault Source=test:0\n"},
    {"ThreeScannersDefaultShownAndKept", 3, "[Source Manager]\r\nDefault Source=test:2\r\n", -1,
     Action::SelectRow, 2, "[Source Manager]\r\nDefault Source=test:2\r\n"},
    {"ThreeScannersChangeDefault", 3, "[Other]\nx=1\n[Source Manager]\nDefault Source=test:2\n", 0,
     Action::SelectRow, 2, "[Other]\nx=1\n[Source Manager]\nDefault Source=test:0\n"},
    {"ThreeScannersCancelChangesNothing", 3, "[Source Manager]\nDefault Source=test:1\n", 2,
     Action::Cancel, 1, std::nullopt},
    {"CancelWithoutSettingsCreatesNone", 2, "", 1, Action::Cancel, 0, std::nullopt},
    {"CloseBoxChangesNothing", 3, "[Source Manager]\nDefault Source=test:1\n", 0, Action::CloseBox,
     1, std::nullopt},
    {"EscapeChangesNothing", 2, "[Source Manager]\nDefault Source=test:1\n", 0, Action::Escape, 1,
     std::nullopt},
    {"DefaultNoLongerPresentShowsFirst", 2, "[Source Manager]\nDefault Source=test:7\n", -1,
     Action::Cancel, 0, std::nullopt},
};

class ScannerSelection : public ScannerTest, public ::testing::WithParamInterface<Case>
{
};

// The scanners of the test backend are listed with the default selected; the action leaves the
// settings file as expected.
TEST_P(ScannerSelection, ListsSelectsAndStores)
{
    const Case &c = GetParam();
    configureSane(c.devices);
    if (!c.settingsBefore.isEmpty())
        writeFile(settingsPath(), c.settingsBefore);
    std::optional<Seen> seen;
    whenReady([&] {
        QWidget *dialog = findTopLevel("SelectSourceDialog");
        if (!dialog || !searchEnded(dialog))
            return false;
        seen = look(dialog, owner.get());
        auto *list = dialog->findChild<QTreeWidget *>("SourceList");
        if (c.pickRow >= 0)
            list->setCurrentItem(list->topLevelItem(c.pickRow));
        switch (c.action) {
        case Action::SelectRow:
            dialog->findChild<QPushButton *>("SelectButton")->click();
            break;
        case Action::Cancel:
            dialog->findChild<QPushButton *>("CancelButton")->click();
            break;
        case Action::CloseBox:
            dialog->close();
            break;
        case Action::Escape:
            QTest::keyClick(list, Qt::Key_Escape);
            break;
        }
        return true;
    });
    platform::selectScannerSource(owner.get());

    ASSERT_TRUE(seen.has_value());
    EXPECT_TRUE(seen->ownedByOwner);
    EXPECT_EQ(seen->title, "Select Source");
    QStringList expectedRows;
    for (int i = 0; i < c.devices; ++i)
        expectedRows << Vendor + "test:" + QString::number(i);
    EXPECT_EQ(seen->rows, expectedRows);
    EXPECT_EQ(seen->current, c.expectedCurrent);
    EXPECT_EQ(seen->status, QString::number(c.devices) + " scanners found.");
    EXPECT_TRUE(seen->selectEnabled);
    EXPECT_EQ(findTopLevel("SelectSourceDialog"), nullptr);
    if (c.settingsAfter) {
        EXPECT_EQ(fileBytes(settingsPath()), *c.settingsAfter);
    } else if (c.settingsBefore.isEmpty()) {
        EXPECT_FALSE(QFile::exists(settingsPath()));
    } else {
        EXPECT_EQ(fileBytes(settingsPath()), c.settingsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(TestBackend, ScannerSelection, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<Case> &row) {
                             return std::string(row.param.name);
                         });

// Without any backend the dialog says that no scanner was found and offers nothing to select.
TEST_F(ScannerTest, NoScannerFound)
{
    configureSane(0);
    std::optional<Seen> seen;
    whenReady([&] {
        QWidget *dialog = findTopLevel("SelectSourceDialog");
        if (!dialog || !searchEnded(dialog))
            return false;
        seen = look(dialog, owner.get());
        // Select with nothing to select keeps the dialog open.
        dialog->findChild<QPushButton *>("SelectButton")->click();
        if (!dialog->isVisible())
            ADD_FAILURE() << "Select closed an empty dialog";
        dialog->findChild<QPushButton *>("CancelButton")->click();
        return true;
    });
    platform::selectScannerSource(owner.get());
    ASSERT_TRUE(seen.has_value());
    EXPECT_TRUE(seen->rows.isEmpty());
    EXPECT_EQ(seen->current, -1);
    EXPECT_EQ(seen->status, "No scanner was found.");
    EXPECT_FALSE(seen->selectEnabled);
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

// Rescan asks SANE again and keeps the scanner the user had picked.
TEST_F(ScannerTest, RescanKeepsThePickedScanner)
{
    configureSane(3);
    int stage = 0;
    std::optional<Seen> afterRescan;
    whenReady([&] {
        QWidget *dialog = findTopLevel("SelectSourceDialog");
        if (!dialog || !searchEnded(dialog))
            return false;
        auto *list = dialog->findChild<QTreeWidget *>("SourceList");
        if (stage == 0) {
            list->setCurrentItem(list->topLevelItem(2));
            dialog->findChild<QPushButton *>("RescanButton")->click();
            // The search is under way again: the list is empty and nothing can be chosen.
            EXPECT_EQ(list->topLevelItemCount(), 0);
            EXPECT_FALSE(dialog->findChild<QPushButton *>("SelectButton")->isEnabled());
            EXPECT_EQ(dialog->findChild<QLabel *>("StatusLabel")->text(),
                      "Searching for scanners…");
            stage = 1;
            return false;
        }
        afterRescan = look(dialog, owner.get());
        dialog->findChild<QPushButton *>("SelectButton")->click();
        return true;
    });
    platform::selectScannerSource(owner.get());
    ASSERT_TRUE(afterRescan.has_value());
    EXPECT_EQ(afterRescan->rows.size(), 3);
    EXPECT_EQ(afterRescan->current, 2);
    EXPECT_EQ(fileBytes(settingsPath()), "[Source Manager]\nDefault Source=test:2\n");
    EXPECT_EQ(platform::defaultScannerSource(), "test:2");
}

// Cancel while the search runs waits for it to end, then closes without storing anything.
TEST_F(ScannerTest, CancelDuringSearchWaitsThenCloses)
{
    configureSane(2);
    bool cancelled = false;
    whenReady([&] {
        QWidget *dialog = findTopLevel("SelectSourceDialog");
        if (!dialog)
            return false;
        auto *rescan = dialog->findChild<QPushButton *>("RescanButton");
        if (!rescan->isEnabled())
            return false;
        // Start a search and cancel it straight away, before its answer can arrive.
        rescan->click();
        dialog->findChild<QPushButton *>("CancelButton")->click();
        cancelled = true;
        return true;
    });
    platform::selectScannerSource(owner.get());
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(findTopLevel("SelectSourceDialog"), nullptr);
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

// A default source that cannot be stored is reported, and the dialog stays open for another try.
TEST_F(ScannerTest, UnwritableSettingsAreReported)
{
    configureSane(2);
    // A folder where the settings file should be: no write can replace it.
    ASSERT_TRUE(QDir(windows.path()).mkdir(platform::ScannerSettingsFile));
    QString report;
    bool stillOpen = false;
    whenReady([&] {
        QWidget *dialog = findTopLevel("SelectSourceDialog");
        if (!dialog || !searchEnded(dialog))
            return false;
        whenReady([&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box->objectName() != "ScannerErrorBox")
                return false;
            report = box->text();
            stillOpen = findTopLevel("SelectSourceDialog") != nullptr;
            box->button(QMessageBox::Ok)->click();
            whenReady([] {
                QWidget *d = findTopLevel("SelectSourceDialog");
                if (!d || QApplication::activeModalWidget() != d)
                    return false;
                d->findChild<QPushButton *>("CancelButton")->click();
                return true;
            });
            return true;
        });
        dialog->findChild<QPushButton *>("SelectButton")->click();
        return true;
    });
    platform::selectScannerSource(owner.get());
    EXPECT_TRUE(report.startsWith("Unable to write to ")) << report.toStdString();
    EXPECT_TRUE(report.contains(platform::ScannerSettingsFile)) << report.toStdString();
    EXPECT_TRUE(stillOpen);
}

// Without the SANE library an error box owned by the owner says so, and no dialog opens.
TEST_F(ScannerTest, MissingSaneIsReported)
{
    qputenv("HALVANE_SANE_LIBRARY", "libsane-missing-for-tests.so.1");
    QString text;
    QWidget *boxParent = nullptr;
    bool dialogSeen = false;
    whenReady([&] {
        if (findTopLevel("SelectSourceDialog"))
            dialogSeen = true;
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return false;
        text = box->text();
        boxParent = box->parentWidget();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->windowTitle(), "Select Source");
        box->button(QMessageBox::Ok)->click();
        return true;
    });
    platform::selectScannerSource(owner.get());
    EXPECT_FALSE(dialogSeen);
    EXPECT_EQ(boxParent, owner.get());
    EXPECT_TRUE(text.startsWith("The scanner interface (SANE) could not be loaded: "))
        << text.toStdString();
    EXPECT_TRUE(text.contains("libsane-missing-for-tests.so.1")) << text.toStdString();
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

// A library without SANE's entry points is refused the same way.
TEST_F(ScannerTest, LibraryWithoutSaneEntryPointsIsReported)
{
    qputenv("HALVANE_SANE_LIBRARY", "libz.so.1");
    QString text;
    whenReady([&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return false;
        text = box->text();
        box->button(QMessageBox::Ok)->click();
        return true;
    });
    platform::selectScannerSource(owner.get());
    EXPECT_TRUE(text.contains("lacks the SANE entry points")) << text.toStdString();
}

// Once the program is ending, the selection opens nothing and returns.
TEST_F(ScannerTest, EndingProgramOpensNothing)
{
    configureSane(2);
    platform::Application::instance()->terminate();
    QCoreApplication::processEvents();
    ASSERT_TRUE(platform::Application::instance()->terminated());
    platform::selectScannerSource(owner.get());
    EXPECT_EQ(findTopLevel("SelectSourceDialog"), nullptr);
    EXPECT_FALSE(QFile::exists(settingsPath()));
    platform::Application::instance()->resetForTests();
}

} // namespace

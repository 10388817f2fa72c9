#pragma once

// In-process GUI tests on real widgets (offscreen platform; link halvane_guimain, whose main
// creates the platform::Application).
//
//   class MessageTest : public testsupport::GuiTest {};
//
//   // OK on the message dialog returns to the caller.
//   TEST_F(MessageTest, OkReturns)
//   {
//       auto ran = testsupport::onNextModal([](QWidget *dialog) {
//           dialog->findChild<QPushButton *>("OKButton")->click();
//       });
//       DisplayMessage(20, "Dovrane");
//       EXPECT_TRUE(*ran);
//   }

#include "platform/application.h"
#include "printers.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>

namespace testsupport {

using namespace std::chrono_literals;

// Gives each case the application object as a fresh process has it (no forms, no main form, not
// terminated, no title, default cursor, no test hooks) and puts it back so afterwards, cancelling
// every onNextModal() that is still waiting.
class GuiTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    static platform::Application &app();
};

// Processes events until condition holds or timeout has passed; true when it held.
bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout = 5s);

// Runs action, from whichever event loop is running, once the next modal form is up: a visible
// QApplication::activeModalWidget() other than the one up when this is called. Schedule it
// before the call that opens the form. The returned flag turns true once action has run; when
// no such form comes up within timeout the case fails and action never runs.
std::shared_ptr<const bool> onNextModal(std::function<void(QWidget *modal)> action,
                                        std::chrono::milliseconds timeout = 5s);

// The visible top-level widgets (windows) of the program, pop-ups and tooltips left out.
QList<QWidget *> visibleWindows();

} // namespace testsupport

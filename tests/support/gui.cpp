#include "gui.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace testsupport {

namespace {
constexpr const char *ModalWatchName = "testsupport_modal_watch";

void cancelModalWatches()
{
    const auto watches
        = qApp->findChildren<QTimer *>(QLatin1String(ModalWatchName), Qt::FindDirectChildrenOnly);
    for (QTimer *watch : watches)
        delete watch;
}
} // namespace

void GuiTest::SetUp()
{
    cancelModalWatches();
    app().resetForTests();
}

void GuiTest::TearDown()
{
    cancelModalWatches();
    app().resetForTests();
}

platform::Application &GuiTest::app()
{
    auto *application = platform::Application::instance();
    if (!application)
        throw std::logic_error("GUI tests need the application object of halvane_guimain");
    return *application;
}

bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout)
{
    return QTest::qWaitFor(condition, int(timeout.count()));
}

std::shared_ptr<const bool> onNextModal(std::function<void(QWidget *modal)> action,
                                        std::chrono::milliseconds timeout)
{
    auto ran = std::make_shared<bool>(false);
    auto *watch = new QTimer(qApp);
    watch->setObjectName(QLatin1String(ModalWatchName));
    watch->setInterval(10);
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    const QDeadlineTimer deadline(timeout);
    QObject::connect(watch, &QTimer::timeout, watch, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != before && modal->isVisible()) {
            // Done with the watch before the action, which may well open the next modal form.
            watch->stop();
            watch->deleteLater();
            *ran = true;
            action(modal);
            return;
        }
        if (deadline.hasExpired()) {
            watch->stop();
            watch->deleteLater();
            ADD_FAILURE() << "no modal form came up within " << timeout.count() << " ms";
        }
    });
    watch->start();
    return ran;
}

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    const auto topLevels = QApplication::topLevelWidgets();
    for (QWidget *widget : topLevels) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isVisible() && type != Qt::Popup && type != Qt::ToolTip)
            windows.append(widget);
    }
    return windows;
}

} // namespace testsupport

#include "platform/scanner.h"

#include "platform/application.h"
#include "platform/form.h"
#include "platform/profile.h"
#include "platform/sane.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

namespace platform {

namespace {

const QString DialogTitle = QStringLiteral("Select Source");

// The one thread on which SANE is called during a selection. Work is queued to it in order; the
// thread ends when the object goes.
class SaneThread
{
public:
    SaneThread()
    {
        m_thread.setObjectName(QStringLiteral("SANE"));
        m_context = new QObject;
        m_context->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
        m_thread.start();
    }
    ~SaneThread()
    {
        m_thread.quit();
        m_thread.wait();
    }
    SaneThread(const SaneThread &) = delete;
    SaneThread &operator=(const SaneThread &) = delete;

    // Queues fn and returns at once.
    void post(std::function<void()> fn)
    {
        QMetaObject::invokeMethod(m_context, std::move(fn), Qt::QueuedConnection);
    }
    // Queues fn behind everything queued before and waits until it has run.
    void runAndWait(std::function<void()> fn)
    {
        QMetaObject::invokeMethod(m_context, std::move(fn), Qt::BlockingQueuedConnection);
    }

private:
    QThread m_thread;
    QObject *m_context = nullptr;
};

void reportProblem(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, DialogTitle, text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("ScannerErrorBox"));
    box.setTextFormat(Qt::PlainText);
    Application::instance()->showModal(&box);
}

// The "Select Source" dialog. A search is in progress from startSearch() until its result
// arrives; while it runs the dialog cannot close, so that no SANE call outlives the selection:
// Cancel or the close box then waits for the search to end.
class SourceDialog : public QDialog
{
public:
    SourceDialog(QWidget *owner, SaneThread &thread, const sane::Api &api)
        : QDialog(owner)
        , m_thread(thread)
        , m_api(api)
        , m_wanted(defaultScannerSource())
    {
        setObjectName(QStringLiteral("SelectSourceDialog"));
        setCaption(this, DialogTitle);
        auto *sourcesLabel = new QLabel(QStringLiteral("&Sources:"), this);
        m_list = new QTreeWidget(this);
        m_list->setObjectName(QStringLiteral("SourceList"));
        m_list->setHeaderLabels(
            {QStringLiteral("Vendor"), QStringLiteral("Model"), QStringLiteral("Device")});
        m_list->setRootIsDecorated(false);
        m_list->setAllColumnsShowFocus(true);
        m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        sourcesLabel->setBuddy(m_list);
        m_status = new QLabel(this);
        m_status->setObjectName(QStringLiteral("StatusLabel"));
        m_status->setTextFormat(Qt::PlainText);
        m_select = new QPushButton(QStringLiteral("Select"), this);
        m_select->setObjectName(QStringLiteral("SelectButton"));
        m_select->setDefault(true);
        m_rescan = new QPushButton(QStringLiteral("&Rescan"), this);
        m_rescan->setObjectName(QStringLiteral("RescanButton"));
        m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
        m_cancel->setObjectName(QStringLiteral("CancelButton"));

        auto *buttons = new QHBoxLayout;
        buttons->addWidget(m_rescan);
        buttons->addStretch();
        buttons->addWidget(m_select);
        buttons->addWidget(m_cancel);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(sourcesLabel);
        layout->addWidget(m_list);
        layout->addWidget(m_status);
        layout->addLayout(buttons);
        resize(460, 280);

        connect(m_select, &QPushButton::clicked, this, [this] { guarded([this] { choose(); }); });
        connect(m_cancel, &QPushButton::clicked, this, [this] { guarded([this] { cancel(); }); });
        connect(m_rescan, &QPushButton::clicked, this,
                [this] { guarded([this] { startSearch(); }); });
        connect(m_list, &QTreeWidget::itemDoubleClicked, this,
                [this] { guarded([this] { choose(); }); });
        connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { updateButtons(); });
    }

    // Asks SANE for the scanners on its thread; the answer comes back to this dialog.
    void startSearch()
    {
        if (m_searching)
            return;
        // A rescan keeps the scanner the user has picked, when it is still there.
        if (const QTreeWidgetItem *current = m_list->currentItem())
            m_wanted = current->data(0, Qt::UserRole).toString();
        m_searching = true;
        m_list->clear();
        m_status->setText(QStringLiteral("Searching for scanners…"));
        updateButtons();
        const sane::Api api = m_api;
        m_thread.post([this, api] {
            QList<sane::Device> devices;
            QString error;
            const bool ok = sane::listDevices(api, &devices, &error);
            QMetaObject::invokeMethod(
                this, [this, devices, ok, error] { searchEnded(devices, ok, error); },
                Qt::QueuedConnection);
        });
    }

protected:
    // Escape, the close box and Cancel all end here. While a search runs the dialog stays open
    // and closes when the search has ended.
    void reject() override
    {
        if (m_searching && !Application::instance()->terminated()) {
            cancel();
            return;
        }
        QDialog::reject();
    }

private:
    void searchEnded(const QList<sane::Device> &devices, bool ok, const QString &error)
    {
        m_searching = false;
        for (const sane::Device &device : devices) {
            auto *item = new QTreeWidgetItem(m_list, {device.vendor, device.model, device.name});
            item->setData(0, Qt::UserRole, device.name);
            if (device.name == m_wanted)
                m_list->setCurrentItem(item);
        }
        if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
            m_list->setCurrentItem(m_list->topLevelItem(0));
        if (!ok)
            m_status->setText(QStringLiteral("The search for scanners failed: %1.").arg(error));
        else if (devices.isEmpty())
            m_status->setText(QStringLiteral("No scanner was found."));
        else
            m_status->setText(devices.size() == 1
                                  ? QStringLiteral("1 scanner found.")
                                  : QStringLiteral("%1 scanners found.").arg(devices.size()));
        updateButtons();
        if (m_cancelWaiting)
            setModalResult(this, mrCancel);
        else
            m_list->setFocus();
    }

    void choose()
    {
        const QTreeWidgetItem *current = m_list->currentItem();
        if (m_searching || !current)
            return;
        const QString name = current->data(0, Qt::UserRole).toString();
        if (!writeProfileString(ScannerSettingsSection, ScannerSettingsKey, encodeSettingText(name),
                                QString::fromLatin1(ScannerSettingsFile))) {
            // The choice was not kept: say so and let the user try again or cancel.
            reportProblem(this,
                          QStringLiteral("Unable to write to %1.")
                              .arg(resolveProfilePath(QString::fromLatin1(ScannerSettingsFile))));
            return;
        }
        setModalResult(this, mrOk);
    }

    void cancel()
    {
        if (!m_searching) {
            setModalResult(this, mrCancel);
            return;
        }
        m_cancelWaiting = true;
        m_status->setText(QStringLiteral("Waiting for the search to end…"));
        updateButtons();
    }

    void updateButtons()
    {
        m_select->setEnabled(!m_searching && m_list->currentItem());
        m_rescan->setEnabled(!m_searching);
        m_cancel->setEnabled(!m_cancelWaiting);
    }

    SaneThread &m_thread;
    const sane::Api m_api;
    QString m_wanted; // the device to select when the list arrives
    QTreeWidget *m_list = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_select = nullptr;
    QPushButton *m_rescan = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_searching = false;
    bool m_cancelWaiting = false;
};

} // namespace

QString defaultScannerSource()
{
    return decodeSettingText(readProfileString(ScannerSettingsSection, ScannerSettingsKey, "",
                                               QString::fromLatin1(ScannerSettingsFile)));
}

QString saneLibraryName()
{
    const QString name = qEnvironmentVariable("HALVANE_SANE_LIBRARY");
    return name.isEmpty() ? QStringLiteral("libsane.so.1") : name;
}

void selectScannerSource(QWidget *owner)
{
    // A program that is ending opens no more dialogs; SANE is not even started.
    if (Application::instance()->terminated())
        return;
    sane::Api api;
    QString error;
    if (!sane::load(saneLibraryName(), &api, &error)) {
        reportProblem(owner,
                      QStringLiteral("The scanner interface (SANE) could not be loaded: %1.\n\n"
                                     "Install SANE to select a scanner.")
                          .arg(error));
        return;
    }
    SaneThread thread;
    SANE_Status status = SANE_STATUS_GOOD;
    QString statusMessage;
    thread.runAndWait([&] {
        SANE_Int version = 0;
        status = api.init(&version, nullptr);
        if (status != SANE_STATUS_GOOD)
            statusMessage = sane::statusText(api, status);
    });
    if (status != SANE_STATUS_GOOD) {
        reportProblem(owner,
                      QStringLiteral("The scanner interface (SANE) could not be started: %1.")
                          .arg(statusMessage));
        return;
    }
    {
        SourceDialog dialog(owner, thread, api);
        dialog.startSearch();
        Application::instance()->showModal(&dialog);
        // Behind any search still queued, so the dialog outlives every answer posted to it.
        thread.runAndWait([&] { api.exit(); });
    }
}

} // namespace platform

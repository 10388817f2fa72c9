#include "platform/sane.h"

#include <QHash>

#include <dlfcn.h>

namespace platform::sane {

bool load(const QString &libraryName, Api *api, QString *error)
{
    static QHash<QString, void *> handles;
    void *handle = handles.value(libraryName);
    if (!handle) {
        handle = dlopen(libraryName.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char *reason = dlerror();
            *error = reason ? QString::fromLocal8Bit(reason) : libraryName;
            return false;
        }
        handles.insert(libraryName, handle);
    }
    const auto symbol = [handle](const char *name) { return dlsym(handle, name); };
    // POSIX lets a data pointer from dlsym become a function pointer.
    api->init = reinterpret_cast<SaneInitFn>(symbol("sane_init"));
    api->getDevices = reinterpret_cast<SaneGetDevicesFn>(symbol("sane_get_devices"));
    api->exit = reinterpret_cast<SaneExitFn>(symbol("sane_exit"));
    api->strStatus = reinterpret_cast<SaneStrStatusFn>(symbol("sane_strstatus"));
    if (!api->init || !api->getDevices || !api->exit) {
        *error = QStringLiteral("%1 lacks the SANE entry points").arg(libraryName);
        return false;
    }
    return true;
}

bool listDevices(const Api &api, QList<Device> *devices, QString *error)
{
    const SANE_Device **list = nullptr;
    const SANE_Status status = api.getDevices(&list, SANE_FALSE);
    devices->clear();
    if (status != SANE_STATUS_GOOD) {
        *error = statusText(api, status);
        return false;
    }
    const auto text = [](SANE_String_Const s) { return s ? QString::fromUtf8(s) : QString(); };
    for (; list && *list; ++list)
        devices->append({text((*list)->name), text((*list)->vendor), text((*list)->model),
                         text((*list)->type)});
    return true;
}

QString statusText(const Api &api, SANE_Status status)
{
    if (api.strStatus) {
        if (SANE_String_Const text = api.strStatus(status))
            return QString::fromUtf8(text);
    }
    return QStringLiteral("status %1").arg(status);
}

} // namespace platform::sane

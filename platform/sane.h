#pragma once

#include <QList>
#include <QString>

// The few entry points and types of the SANE scanner interface that the source selection uses,
// as the SANE standard defines them. libsane is loaded at run time, so the suite runs where SANE
// is not installed.
extern "C" {
using SANE_Int = int;
using SANE_Bool = int;
using SANE_Status = int;
using SANE_String_Const = const char *;
inline constexpr SANE_Status SANE_STATUS_GOOD = 0;
inline constexpr SANE_Bool SANE_FALSE = 0;

struct SANE_Device
{
    SANE_String_Const name; // unique device name, as passed to sane_open
    SANE_String_Const vendor;
    SANE_String_Const model;
    SANE_String_Const type;
};

using SANE_Auth_Callback = void (*)(SANE_String_Const resource, char *username, char *password);
using SaneInitFn = SANE_Status (*)(SANE_Int *versionCode, SANE_Auth_Callback authorize);
using SaneGetDevicesFn = SANE_Status (*)(const SANE_Device ***deviceList, SANE_Bool localOnly);
using SaneExitFn = void (*)();
using SaneStrStatusFn = SANE_String_Const (*)(SANE_Status status);
}

namespace platform::sane {

// The entry points of a loaded libsane.
struct Api
{
    SaneInitFn init = nullptr;
    SaneGetDevicesFn getDevices = nullptr;
    SaneExitFn exit = nullptr;
    SaneStrStatusFn strStatus = nullptr; // optional
};

// Loads the library (once per name for the life of the process: backends may leave threads or
// exit handlers behind, so it is never unloaded). Returns false with a reason when the library
// or one of its required entry points is missing.
bool load(const QString &libraryName, Api *api, QString *error);

// One scanner as SANE reports it.
struct Device
{
    QString name;
    QString vendor;
    QString model;
    QString type;
};

// Calls sane_get_devices and copies the list out of SANE's memory. Returns false with a reason
// when the call fails.
bool listDevices(const Api &api, QList<Device> *devices, QString *error);

// The text of a SANE status, for messages.
QString statusText(const Api &api, SANE_Status status);

} // namespace platform::sane

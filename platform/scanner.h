#pragma once

#include <QString>

class QWidget;

namespace platform {

// The scanner source selection. SANE stands in for the source manager: the dialog lists the
// scanners SANE finds and makes the chosen one the default source, which the source manager
// keeps in a settings file of its own, where the next selection and the copier find it.
//
// When SANE cannot be loaded or started, an error message box owned by owner says so and the
// call returns. Otherwise a modal "Select Source" dialog owned by owner lists the scanners
// (vendor, model and device name) with the current default source selected; Select makes the
// chosen scanner the default source, Cancel changes nothing. The search runs on a thread of its
// own so that the dialog stays painted while network scanners answer; every SANE call is made on
// that one thread. Returns when the dialog is closed.
void selectScannerSource(QWidget *owner);

// Where the source manager keeps the default source: a bare settings name (it lies in the
// Windows directory), its section and key. The value is the SANE device name.
inline constexpr char ScannerSettingsFile[] = "Scanner.Ini";
inline constexpr char ScannerSettingsSection[] = "Source Manager";
inline constexpr char ScannerSettingsKey[] = "Default Source";

// The default source's device name, or empty when none was chosen.
QString defaultScannerSource();

// The SANE library the selection loads: $HALVANE_SANE_LIBRARY when set and not empty (tests
// point it at a missing library), else "libsane.so.1".
QString saneLibraryName();

} // namespace platform

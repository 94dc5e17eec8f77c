// The signs that nobody may be at the screen: Windows locked or the session disconnected
// (session notifications) and the lid closed (a power-setting notification). The registrations
// go through one replaceable seam: the first can be refused early after sign-in, and a test can
// neither lock Windows nor close a lid.
#pragma once

#include <windows.h>

class AbsenceSignals {
public:
    virtual ~AbsenceSignals() = default;
    // WM_WTSSESSION_CHANGE for this session to window; false when refused.
    virtual bool watchSession(HWND window) = 0;
    virtual void unwatchSession(HWND window) = 0;
    // The lid's state to window as WM_POWERBROADCAST; nullptr when refused.
    virtual HPOWERNOTIFY watchLid(HWND window) = 0;
    virtual void unwatchLid(HPOWERNOTIFY lid) = 0;
};

// What the main window uses: the system's own unless a test installed another. WTSAPI32 is no
// KnownDLL: the system's loads it from the system folder at first use.
AbsenceSignals& absenceSignals();
// Installs one (nullptr: the system's again); returns the previous one.
AbsenceSignals* setAbsenceSignals(AbsenceSignals* signals);

// The lid's state in a WM_POWERBROADCAST: 0 closed, 1 open, -1 when the message is not about it.
int lidState(WPARAM event, LPARAM setting);

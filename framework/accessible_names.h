// Names for screen readers. A reader names an edit field or a list after the static text just
// before it in the window order; where our fields have their label elsewhere, or no label (the
// lists), the name is given to the control itself by Dynamic Annotation
// (IAccPropServices::SetHwndPropStr with PROPID_ACC_NAME), which changes neither the tab order
// nor the look. The calls go through one replaceable seam, because where the system does not
// answer for edit controls (wine) nothing can be read back.
#pragma once

#include <windows.h>

class AccessibleNames {
public:
    virtual ~AccessibleNames() = default;
    // Gives the control the name a reader announces; false when refused.
    virtual bool set(HWND control, const wchar_t* name) = 0;
    // Takes the name back, before the control is destroyed (the system keeps names by window
    // handle, and handles are reused).
    virtual void clear(HWND control) = 0;
};

// What the dialogs use: the system's own unless a test installed another.
AccessibleNames& accessibleNames();
// Installs one (nullptr: the system's again); returns the previous one.
AccessibleNames* setAccessibleNames(AccessibleNames* names);

// Keeping our windows out of screenshots, screen recordings and shared screens. Every top-level
// dialog applies its framework copy's rule before it is first shown: Exclude asks for
// WDA_EXCLUDEFROMCAPTURE; FollowOwner asks for it only when the window's owner has it, so that a
// library's box over an excluded window of the program is excluded as well. The calls go
// through one replaceable seam, because where the system does not implement them (wine) nothing
// can be read back from the window.
#pragma once

#include <windows.h>

class DisplayAffinity {
public:
    virtual ~DisplayAffinity() = default;
    // SetWindowDisplayAffinity on a top-level window of this process; false when refused.
    virtual bool set(HWND window, DWORD affinity) = 0;
    // GetWindowDisplayAffinity; WDA_NONE when it cannot be read.
    virtual DWORD get(HWND window) = 0;
};

// What the dialogs use: the system's own unless a test installed another.
DisplayAffinity& displayAffinity();
// Installs one (nullptr: the system's again); returns the previous one. The system's refuses
// WDA_EXCLUDEFROMCAPTURE before Windows 10 version 2004, which would silently apply WDA_MONITOR
// instead and show the window as a black box in every capture.
DisplayAffinity* setDisplayAffinity(DisplayAffinity* affinity);

enum class CaptureRule { FollowOwner, Exclude };

// The program and each library link their own copy of this layer, hence their own rule:
// FollowOwner until start-up sets another. Returns the previous rule.
CaptureRule setCaptureRule(CaptureRule rule);

// Applies the rule to a top-level window that is not shown yet. A refusal changes nothing: the
// window is shown as it would have been.
void applyCaptureRule(HWND window);

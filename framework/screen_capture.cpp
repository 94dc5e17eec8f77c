#include "framework/screen_capture.h"

#include "core/seam.h"

namespace {
// Windows 10 version 2004, the first build that knows WDA_EXCLUDEFROMCAPTURE.
constexpr DWORD kFirstExcludingBuild = 19041;

// The build that really runs: GetVersionExW answers what the manifest declares. Read once; the
// windows are all made on one thread.
bool systemKnowsExcludeFromCapture() {
    enum { kUnread, kKnows, kDoesNot };
    static int known = kUnread; // constant-initialised: no guard, no lock
    if (known == kUnread) {
        using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
        auto getVersion = reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
        RTL_OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof version;
        bool knows =
            getVersion != nullptr && getVersion(&version) == 0 &&
            (version.dwMajorVersion > 10 ||
             (version.dwMajorVersion == 10 && version.dwBuildNumber >= kFirstExcludingBuild));
        known = knows ? kKnows : kDoesNot;
    }
    return known == kKnows;
}

class SystemDisplayAffinity : public DisplayAffinity {
public:
    bool set(HWND window, DWORD affinity) override {
        if (affinity == WDA_EXCLUDEFROMCAPTURE && !systemKnowsExcludeFromCapture()) {
            SetLastError(ERROR_NOT_SUPPORTED);
            return false;
        }
        return SetWindowDisplayAffinity(window, affinity) != FALSE;
    }
    DWORD get(HWND window) override {
        DWORD affinity = WDA_NONE;
        return GetWindowDisplayAffinity(window, &affinity) ? affinity : WDA_NONE;
    }
};

DisplayAffinity& systemAffinity() {
    static SystemDisplayAffinity affinity;
    return affinity;
}

Seam<DisplayAffinity, systemAffinity> seam;
CaptureRule currentRule = CaptureRule::FollowOwner;
} // namespace

DisplayAffinity& displayAffinity() {
    return seam.get();
}

DisplayAffinity* setDisplayAffinity(DisplayAffinity* affinity) {
    return seam.install(affinity);
}

CaptureRule setCaptureRule(CaptureRule rule) {
    CaptureRule previous = currentRule;
    currentRule = rule;
    return previous;
}

void applyCaptureRule(HWND window) {
    bool exclude = currentRule == CaptureRule::Exclude;
    if (!exclude) {
        HWND owner = GetWindow(window, GW_OWNER);
        exclude = owner != nullptr && displayAffinity().get(owner) == WDA_EXCLUDEFROMCAPTURE;
    }
    if (exclude)
        displayAffinity().set(window, WDA_EXCLUDEFROMCAPTURE);
}

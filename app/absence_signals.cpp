#include "app/absence_signals.h"

#include <wtsapi32.h>

#include <cstring>

#include "core/seam.h"
#include "framework/system_library.h"

namespace {
// GUID_LIDSWITCH_STATE_CHANGE, spelled out so that no GUID library need be linked.
const GUID kLidSwitchStateChange = {
    0xba3e0f4d, 0xb817, 0x4094, {0xa2, 0xd1, 0xd5, 0x63, 0x79, 0xe6, 0xa0, 0xf3}};

class SystemAbsenceSignals : public AbsenceSignals {
public:
    bool watchSession(HWND window) override {
        using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
        static const auto watch =
            systemFunction<RegisterFn>(L"wtsapi32.dll", "WTSRegisterSessionNotification");
        return watch != nullptr && watch(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
    }
    void unwatchSession(HWND window) override {
        using UnregisterFn = BOOL(WINAPI*)(HWND);
        static const auto unwatch =
            systemFunction<UnregisterFn>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification");
        if (unwatch != nullptr)
            unwatch(window);
    }
    HPOWERNOTIFY watchLid(HWND window) override {
        return RegisterPowerSettingNotification(window, &kLidSwitchStateChange,
                                                DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    void unwatchLid(HPOWERNOTIFY lid) override { UnregisterPowerSettingNotification(lid); }
};

AbsenceSignals& systemSignals() {
    static SystemAbsenceSignals signals;
    return signals;
}

Seam<AbsenceSignals, systemSignals> seam;
} // namespace

AbsenceSignals& absenceSignals() {
    return seam.get();
}

AbsenceSignals* setAbsenceSignals(AbsenceSignals* signals) {
    return seam.install(signals);
}

int lidState(WPARAM event, LPARAM setting) {
    const auto* changed = reinterpret_cast<const POWERBROADCAST_SETTING*>(setting);
    if (event != PBT_POWERSETTINGCHANGE || changed == nullptr ||
        !IsEqualGUID(changed->PowerSetting, kLidSwitchStateChange) ||
        changed->DataLength < sizeof(DWORD))
        return -1;
    DWORD state;
    std::memcpy(&state, changed->Data, sizeof state);
    return state != 0 ? 1 : 0;
}

// The library's entry points: BootMsgBox and the registration of its dialog template.
#include "msgbox/chimebox.h"

#include "framework/module_registry.h"
#include "msgbox/msgbox_dialog.h"

extern "C" int BootMsgBox(const char* message, const char* caption, int boxType, int useColour,
                          COLORREF backColour) {
    // The dialog, its font and its brush live exactly as long as this call.
    MsgBoxDialog box(message, caption, boxType, useColour, backColour);
    return static_cast<int>(box.DoModal());
}

// Registering the module makes template 2000 findable; a library that cannot register would
// only ever answer -1, so it refuses to load instead.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return registerResourceModule(module) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        unregisterResourceModule(module);
        break;
    default:
        break;
    }
    return TRUE;
}

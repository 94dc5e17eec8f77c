// Libraries whose dialog templates Dialog::DoModal may use. A library registers its module
// handle when it is loaded and unregisters it when unloaded.
#pragma once

#include <windows.h>

// false when the module cannot be registered; the library should then refuse to load.
bool registerResourceModule(HMODULE module);
void unregisterResourceModule(HMODULE module);

// The module that holds dialog template templateId: the program's own first, then each
// registered library in order of registration; nullptr when none has it.
HMODULE findDialogTemplate(int templateId);

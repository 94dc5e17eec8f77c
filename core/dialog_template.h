// What a dialog template says about its layout, read from the bytes of the resource (a
// DLGTEMPLATE and its items, as every DIALOG statement of ours is stored), so that a dialog can
// be laid out again at another DPI as the dialog manager laid it out at creation. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/dpi.h"

struct TemplateItem {
    int id;
    UnitRect rect; // dialog units
};

struct TemplateLayout {
    static constexpr int kMaxItems = 48;
    uint32_t style;
    uint32_t exStyle;
    UnitRect rect; // dialog units; the size is the client area's
    bool hasMenu;
    int pointSize; // of the template's font; 0 without DS_SETFONT
    int itemCount;
    TemplateItem items[kMaxItems];
};

// false when the bytes end early, hold more items than kMaxItems or are a DLGTEMPLATEEX (a
// DIALOGEX statement, which none of ours is): such a dialog keeps its first layout at every DPI,
// since the system's own rescaling is off for every dialog.
bool readTemplateLayout(const void* bytes, std::size_t size, TemplateLayout& layout);

// The colours Keyvane paints with, and what takes their place while high contrast is on: then
// every text and its background are one of the system's pairs, so they stay readable in whatever
// colours the user chose. Portable; the Windows side (framework/system_colours.h) resolves them.
#pragma once

#include <cstdint>

// The system colours the rule hands over to, numbered as GetSysColor numbers them (the Windows
// side checks the numbers against the SDK's).
enum SystemColour : uint32_t {
    kSysWindow = 5,
    kSysWindowText = 8,
    kSysHighlight = 13,
    kSysHighlightText = 14,
    kSysButtonFace = 15,
    kSysButtonText = 18,
};

// Every colour of ours, each written once (COLORREF order, 0x00BBGGRR): the program makes its
// brushes from this table, and the rule below names its entries. The dialogs' face is the one
// colour every dialog and message box is painted with.
// A table, not one name a line.
// clang-format off
enum class OurColour : uint8_t {
    White, Black, Red, Green, Blue, Yellow, Cyan, LightMagenta, Grey, LightRed, LightGreen,
    LightBlue, LightYellow, LightCyan, SoftMagenta, PaleRed, PaleGreen, DialogFace, PaleYellow,
    PaleCyan, PaleMagenta,
};
// clang-format on
constexpr int kOurColourCount = 21;

constexpr uint32_t ourRgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | green << 8 | blue << 16;
}
constexpr uint32_t kOurColours[kOurColourCount] = {
    ourRgb(255, 255, 255), ourRgb(0, 0, 0),       ourRgb(255, 0, 0),     ourRgb(0, 255, 0),
    ourRgb(0, 0, 255),     ourRgb(255, 255, 0),   ourRgb(0, 255, 255),   ourRgb(250, 100, 250),
    ourRgb(192, 192, 192), ourRgb(250, 100, 100), ourRgb(100, 250, 100), ourRgb(100, 100, 250),
    ourRgb(255, 255, 100), ourRgb(100, 255, 255), ourRgb(250, 150, 250), ourRgb(250, 200, 200),
    ourRgb(200, 250, 200), ourRgb(200, 200, 240), ourRgb(255, 255, 200), ourRgb(200, 255, 255),
    ourRgb(250, 200, 250),
};
constexpr uint32_t rgbOf(OurColour colour) {
    return kOurColours[static_cast<int>(colour)];
}

// One colour: one of ours (an OurColour), one of the system's, or unset, where whatever Windows
// chose stands.
struct SchemeColour {
    enum Source : uint8_t { kUnset, kOurs, kSystem };
    Source source;
    uint32_t value; // the OurColour, or the SystemColour
};

struct ColourPair {
    SchemeColour text;
    SchemeColour back;
};

// What Keyvane paints, each a text on its background.
enum class Painted {
    DialogFace,  // every dialog's background, and the labels and buttons on it
    PinNote,     // the editor's note under the PIN, red on the face
    List,        // both entry lists
    Field,       // the main window's ID and password
    CopiedField, // the one of them just copied
};

// Our colours while high contrast is off; the system pair of the same role while it is on.
ColourPair schemeColours(Painted what, bool highContrast);

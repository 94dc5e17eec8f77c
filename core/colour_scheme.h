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

// One colour: one of ours, as a COLORREF (0x00BBGGRR); one of the system's; or unset, where
// whatever Windows chose stands.
struct SchemeColour {
    enum Source : uint8_t { kUnset, kOurs, kSystem };
    Source source;
    uint32_t value; // the RGB value, or the SystemColour
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

constexpr uint32_t ourRgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | green << 8 | blue << 16;
}
constexpr uint32_t kDialogColor = ourRgb(200, 200, 240);
constexpr uint32_t kLightGreen = ourRgb(100, 250, 100);
constexpr uint32_t kRed = ourRgb(255, 0, 0);
constexpr uint32_t kWhite = ourRgb(255, 255, 255);
constexpr uint32_t kBlack = ourRgb(0, 0, 0);

// Our colours while high contrast is off; the system pair of the same role while it is on.
ColourPair schemeColours(Painted what, bool highContrast);

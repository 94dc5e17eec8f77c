// High contrast off: exactly the colours Keyvane always painted; on: one system pair per thing.
#include <gtest/gtest.h>

#include "core/colour_scheme.h"

static bool operator==(const SchemeColour& a, const SchemeColour& b) {
    return a.source == b.source && a.value == b.value;
}
TEST(ColourScheme, OffKeepsOurColoursAndOnGivesTheSystemPairOfWhatIsPainted) {
    const struct {
        Painted what;
        SchemeColour::Source textSource;
        uint32_t text, back;                 // ours, with high contrast off
        SystemColour systemText, systemBack; // with it on
    } cases[] = {
        {Painted::DialogFace, SchemeColour::kUnset, 0, 0xF0C8C8, kSysButtonText, kSysButtonFace},
        {Painted::PinNote, SchemeColour::kOurs, 0x0000FF, 0xF0C8C8, kSysButtonText, kSysButtonFace},
        {Painted::List, SchemeColour::kOurs, 0, 0x64FA64, kSysWindowText, kSysWindow},
        {Painted::Field, SchemeColour::kOurs, 0, 0xFFFFFF, kSysWindowText, kSysWindow},
        {Painted::CopiedField, SchemeColour::kOurs, 0, 0x0000FF, kSysHighlightText, kSysHighlight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.what));
        ColourPair off = schemeColours(c.what, false), on = schemeColours(c.what, true);
        EXPECT_EQ(off.text, (SchemeColour{c.textSource, c.text}));
        EXPECT_EQ(off.back, (SchemeColour{SchemeColour::kOurs, c.back}));
        EXPECT_EQ(on.text, (SchemeColour{SchemeColour::kSystem, c.systemText}));
        EXPECT_EQ(on.back, (SchemeColour{SchemeColour::kSystem, c.systemBack}));
    }
}

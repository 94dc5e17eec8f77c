// The contrast rule: with high contrast on, every text and its background are one of the
// system's own pairs, never mixed across pairs; with it off, ours, and no text in its
// background's colour.
#include <gtest/gtest.h>

#include "core/colour_scheme.h"

TEST(ColourScheme, EachThingPaintedIsOneSystemPairWithHighContrastAndOursWithout) {
    const SystemColour pairs[][2] = {{kSysWindowText, kSysWindow},
                                     {kSysButtonText, kSysButtonFace},
                                     {kSysHighlightText, kSysHighlight}};
    for (Painted what : {Painted::DialogFace, Painted::PinNote, Painted::List, Painted::Field,
                         Painted::CopiedField}) {
        SCOPED_TRACE(static_cast<int>(what));
        ColourPair on = schemeColours(what, true), off = schemeColours(what, false);
        ASSERT_TRUE(on.text.source == SchemeColour::kSystem &&
                    on.back.source == SchemeColour::kSystem);
        bool matched = false;
        for (const auto& pair : pairs)
            matched = matched || (on.text.value == pair[0] && on.back.value == pair[1]);
        EXPECT_TRUE(matched);
        ASSERT_EQ(off.back.source, SchemeColour::kOurs);
        ASSERT_LT(off.back.value, static_cast<uint32_t>(kOurColourCount));
        if (off.text.source != SchemeColour::kUnset) {
            EXPECT_NE(rgbOf(OurColour(off.text.value)), rgbOf(OurColour(off.back.value)));
        }
    }
}

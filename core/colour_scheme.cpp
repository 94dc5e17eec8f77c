#include "core/colour_scheme.h"

namespace {
constexpr SchemeColour unset() {
    return {SchemeColour::kUnset, 0};
}
constexpr SchemeColour ours(OurColour colour) {
    return {SchemeColour::kOurs, static_cast<uint32_t>(colour)};
}
constexpr SchemeColour system(SystemColour index) {
    return {SchemeColour::kSystem, index};
}
} // namespace

ColourPair schemeColours(Painted what, bool highContrast) {
    switch (what) {
    case Painted::DialogFace:
        if (highContrast)
            return {system(kSysButtonText), system(kSysButtonFace)};
        return {unset(), ours(OurColour::DialogFace)};
    case Painted::PinNote:
        // The note's red tells nothing that its words do not: the face's own text will do.
        if (highContrast)
            return {system(kSysButtonText), system(kSysButtonFace)};
        return {ours(OurColour::Red), ours(OurColour::DialogFace)};
    case Painted::List:
        if (highContrast)
            return {system(kSysWindowText), system(kSysWindow)};
        return {ours(OurColour::Black), ours(OurColour::LightGreen)};
    case Painted::Field:
        if (highContrast)
            return {system(kSysWindowText), system(kSysWindow)};
        return {ours(OurColour::Black), ours(OurColour::White)};
    case Painted::CopiedField:
        if (highContrast)
            return {system(kSysHighlightText), system(kSysHighlight)};
        return {ours(OurColour::Black), ours(OurColour::Red)};
    }
    return {unset(), unset()};
}

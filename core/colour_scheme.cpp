#include "core/colour_scheme.h"

namespace {
constexpr SchemeColour unset() {
    return {SchemeColour::kUnset, 0};
}
constexpr SchemeColour ours(uint32_t rgb) {
    return {SchemeColour::kOurs, rgb};
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
        return {unset(), ours(kDialogColor)};
    case Painted::PinNote:
        // The note's red tells nothing that its words do not: the face's own text will do.
        if (highContrast)
            return {system(kSysButtonText), system(kSysButtonFace)};
        return {ours(kRed), ours(kDialogColor)};
    case Painted::List:
        if (highContrast)
            return {system(kSysWindowText), system(kSysWindow)};
        return {ours(kBlack), ours(kLightGreen)};
    case Painted::Field:
        if (highContrast)
            return {system(kSysWindowText), system(kSysWindow)};
        return {ours(kBlack), ours(kWhite)};
    case Painted::CopiedField:
        if (highContrast)
            return {system(kSysHighlightText), system(kSysHighlight)};
        return {ours(kBlack), ours(kRed)};
    }
    return {unset(), unset()};
}

#include "core/dialog_template.h"

namespace {
constexpr uint32_t kSetFont = 0x40; // DS_SETFONT
// A DLGTEMPLATEEX starts with version 1 and 0xFFFF where a DLGTEMPLATE has its style.
constexpr uint32_t kExtendedMark = 0xFFFF0001u;

// Little-endian 16-bit words from the start of the template, never past its end.
class WordReader {
public:
    WordReader(const void* bytes, std::size_t size)
        : bytes_(static_cast<const uint8_t*>(bytes)), words_(size / 2) {}
    bool ok() const { return ok_; }
    unsigned word() {
        if (at_ >= words_) {
            ok_ = false;
            return 0;
        }
        unsigned value = bytes_[2 * at_] | bytes_[2 * at_ + 1] << 8;
        ++at_;
        return value;
    }
    uint32_t dword() {
        uint32_t low = word();
        return low | static_cast<uint32_t>(word()) << 16;
    }
    int coordinate() { return static_cast<int16_t>(word()); }
    void skip(std::size_t words) {
        at_ += words;
        ok_ = ok_ && at_ <= words_;
    }
    // A string, or 0xFFFF and a number; returns true when there was a name or number.
    bool nameOrNumber() {
        unsigned first = word();
        if (first == 0xFFFF) {
            word();
            return true;
        }
        while (ok_ && first != 0)
            first = word();
        return false;
    }
    void string() { nameOrNumber(); }
    void alignToDword() { at_ += at_ % 2; }

private:
    const uint8_t* bytes_;
    std::size_t words_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

UnitRect readRect(WordReader& in) {
    UnitRect rect{};
    rect.x = in.coordinate();
    rect.y = in.coordinate();
    rect.cx = in.coordinate();
    rect.cy = in.coordinate();
    return rect;
}
} // namespace

bool readTemplateLayout(const void* bytes, std::size_t size, TemplateLayout& layout) {
    WordReader in(bytes, size);
    layout = TemplateLayout{};
    layout.style = in.dword();
    layout.exStyle = in.dword();
    if (layout.style == kExtendedMark)
        return false;
    unsigned count = in.word();
    if (count > TemplateLayout::kMaxItems)
        return false;
    layout.rect = readRect(in);
    unsigned menu = in.word(); // 0 for none, else a name or 0xFFFF and a number
    layout.hasMenu = menu != 0;
    if (menu == 0xFFFF)
        in.word();
    else
        while (in.ok() && menu != 0)
            menu = in.word();
    in.nameOrNumber(); // window class
    in.string();       // caption
    if ((layout.style & kSetFont) != 0) {
        layout.pointSize = static_cast<int>(in.word());
        in.string(); // face
    }
    for (unsigned i = 0; i < count && in.ok(); ++i) {
        in.alignToDword();
        TemplateItem& item = layout.items[i];
        in.skip(4); // styles
        item.rect = readRect(in);
        item.id = static_cast<int16_t>(in.word());
        in.nameOrNumber(); // class
        in.nameOrNumber(); // text
        unsigned extraBytes = in.word();
        in.skip((extraBytes + 1) / 2);
    }
    layout.itemCount = static_cast<int>(count);
    return in.ok();
}

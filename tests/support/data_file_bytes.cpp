#include "tests/support/data_file_bytes.h"

#include <stdexcept>

namespace {
// A text field: each byte XOR 0x05 up to the text's end, then zeros to the end of the field.
void putScrambled(Bytes& bytes, size_t offset, size_t fieldSize, const std::string& text) {
    if (text.size() >= fieldSize)
        throw std::logic_error("test text does not fit its field");
    for (size_t i = 0; i < text.size(); ++i)
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint8_t>(text[i]) ^ 0x05);
}

void putLe32(Bytes& bytes, size_t offset, int32_t value) {
    auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}
} // namespace

Bytes setupFileBytes(const std::string& pin, int32_t autoLogoutOff, const std::string& reserved) {
    Bytes bytes(264, 0);
    putScrambled(bytes, 0, 8, pin);
    putLe32(bytes, 8, autoLogoutOff);
    putScrambled(bytes, 12, 252, reserved);
    return bytes;
}

Bytes listFileBytesWithCount(const std::string& pin, int32_t count,
                             const std::vector<EntryFields>& entries) {
    Bytes bytes(12 + 524 * entries.size(), 0);
    putScrambled(bytes, 0, 8, pin);
    putLe32(bytes, 8, count);
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t base = 12 + 524 * i;
        const EntryFields& e = entries[i];
        putScrambled(bytes, base + 0, 88, e.name);
        putScrambled(bytes, base + 88, 88, e.id);
        putScrambled(bytes, base + 176, 88, e.password);
        putLe32(bytes, base + 264, e.lastUsed);
        putScrambled(bytes, base + 268, 128, e.url);
        putScrambled(bytes, base + 396, 128, e.reserved);
    }
    return bytes;
}

Bytes listFileBytes(const std::string& pin, const std::vector<EntryFields>& entries) {
    return listFileBytesWithCount(pin, static_cast<int32_t>(entries.size()), entries);
}

// The Setup and List file layouts, written out by hand from the format tables so that the
// store's output is compared with an independent reading of the format, not with itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

struct EntryFields {
    std::string name, id, password;
    int32_t lastUsed = 0;
    std::string url, reserved;
};

// Setup: 0 storedPin[8] | 8 autoLogoutOff (LE32) | 12 reservedText[252]; 264 bytes.
Bytes setupFileBytes(const std::string& pin, int32_t autoLogoutOff,
                     const std::string& reserved = "");

// List: 0 header[8] (PIN) | 8 count (LE32) | 12 count records of 524 bytes:
// 0 name[88] | 88 id[88] | 176 password[88] | 264 lastUsed (LE32) | 268 url[128] |
// 396 reserved[128].
Bytes listFileBytes(const std::string& pin, const std::vector<EntryFields>& entries);

// Same layout with an arbitrary count field (for damaged files).
Bytes listFileBytesWithCount(const std::string& pin, int32_t count,
                             const std::vector<EntryFields>& entries);

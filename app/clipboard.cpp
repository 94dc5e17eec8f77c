#include "app/clipboard.h"

#include <cstring>

#include "framework/wide_text.h"

namespace {
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPauseMs = 20;

bool openClipboard(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        if (attempt == kOpenAttempts)
            return false;
        Sleep(kOpenPauseMs);
    }
}

HGLOBAL copyToGlobal(const void* bytes, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (memory == nullptr)
        return nullptr;
    void* target = GlobalLock(memory);
    if (target == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// A DWORD in one of the registered formats that clipboard history and cloud sync honour.
void markClipboard(const char* format, DWORD value) {
    UINT id = RegisterClipboardFormatW(WideText(format).get());
    if (id == 0)
        return;
    if (HGLOBAL memory = copyToGlobal(&value, sizeof value))
        if (SetClipboardData(id, memory) == nullptr)
            GlobalFree(memory);
}
} // namespace

ClipboardResult copyToClipboard(HWND owner, const char* text) {
    if (!openClipboard(owner))
        return ClipboardResult::CannotOpen;
    if (!EmptyClipboard()) {
        CloseClipboard();
        return ClipboardResult::CannotEmpty;
    }
    // As UTF-16, from which Windows derives the other text formats in each reader's code page.
    ClipboardResult result = ClipboardResult::CannotSet;
    WideText wide(text);
    HGLOBAL memory = copyToGlobal(wide.get(), (wide.size() + 1) * sizeof(wchar_t));
    wide.wipe(); // a password, in our memory
    if (memory != nullptr) {
        if (SetClipboardData(CF_UNICODETEXT, memory) != nullptr) {
            markClipboard("ExcludeClipboardContentFromMonitorProcessing", 1);
            markClipboard("CanIncludeInClipboardHistory", 0);
            markClipboard("CanUploadToCloudClipboard", 0);
            result = ClipboardResult::Copied;
        } else {
            GlobalFree(memory); // still ours when the clipboard refused it
        }
    }
    CloseClipboard();
    return result;
}

DWORD clipboardChangeCount() {
    return GetClipboardSequenceNumber();
}

void clearClipboardIfUnchanged(HWND owner, DWORD changeCount) {
    if (changeCount == 0 || GetClipboardSequenceNumber() != changeCount)
        return;
    if (!openClipboard(owner))
        return;
    // Checked again while the clipboard is ours: nobody can change it in between.
    if (GetClipboardSequenceNumber() == changeCount)
        EmptyClipboard();
    CloseClipboard();
}

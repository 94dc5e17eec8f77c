// Thin wrappers over dialog controls, bound to their ids during dialog initialisation. Texts
// are Shift-JIS on our side and UTF-16 on the window's.
#pragma once

#include <windows.h>

#include <cstddef>

// Reads a window's text into buffer as Shift-JIS, at most size - 1 bytes, always terminated.
// Returns false when the text holds a character that code page 932 cannot hold.
bool windowText(HWND window, char* buffer, std::size_t size);

// The notification an edit with a byte limit sends its dialog (as WM_COMMAND) when it refused
// a character that code page 932 cannot hold.
constexpr int kEditRefusedCharacter = 0x7F01;

class Control {
public:
    HWND hwnd() const { return hwnd_; }
    void attach(HWND hwnd) { hwnd_ = hwnd; }

    // At most size - 1 bytes, always terminated; false as windowText says.
    bool getText(char* buffer, std::size_t size) const { return windowText(hwnd_, buffer, size); }
    // On an edit control this raises its change notification, as typing does.
    void setText(const char* text) const;
    void setFont(HFONT font) const {
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }

protected:
    HWND hwnd_ = nullptr;
};

class Edit : public Control {
public:
    // What the user may type or paste: at most bytes bytes in Shift-JIS, where a double-byte
    // character counts two, and only characters that code page 932 can hold (the edit refuses
    // others with kEditRefusedCharacter). Text the program sets itself is not limited. Called
    // once per edit.
    void setLimit(int bytes) const;
    // For a PIN: typed digits arrive as ASCII whatever the input method's state (the field has
    // no input context), and full-width digits typed or pasted are taken as the ASCII ones.
    // Call after setLimit.
    void takeAsciiDigits() const;
};

class ListBox : public Control {
public:
    void clear() const { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }
    // Inserts at the end; unlike adding, never sorts, so row i stays item i.
    void append(const char* text) const;
    int count() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }
    // Empties the list to append rows rows of about textBytes bytes in all: the room is
    // reserved at once, and drawing waits for endFill. Filled row by row while drawn, a list of
    // many thousand rows would repaint and rescroll itself after each one.
    void beginFill(int rows, std::size_t textBytes) const {
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        clear();
        SendMessageW(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(rows),
                     static_cast<LPARAM>(textBytes * sizeof(wchar_t)));
    }
    void endFill() const {
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    // The selected row, or -1.
    int selection() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }
    // The text of a row, at most size - 1 bytes, always terminated; empty for a bad row.
    void rowText(int row, char* buffer, std::size_t size) const;
};

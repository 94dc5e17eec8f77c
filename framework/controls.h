// Thin wrappers over dialog controls, bound to their ids during dialog initialisation.
#pragma once

#include <windows.h>

#include <cstddef>

class Control {
public:
    HWND hwnd() const { return hwnd_; }
    int id() const { return GetDlgCtrlID(hwnd_); }
    void attach(HWND hwnd) { hwnd_ = hwnd; }

    // At most size - 1 bytes, always terminated.
    void getText(char* buffer, std::size_t size) const;
    // On an edit control this raises its change notification, as typing does.
    void setText(const char* text) const { SetWindowTextA(hwnd_, text); }
    void enable(bool enabled) const { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    void show(bool shown) const { ShowWindow(hwnd_, shown ? SW_SHOW : SW_HIDE); }
    void move(const RECT& rect) const {
        MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   TRUE);
    }
    void setFont(HFONT font) const {
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }

protected:
    HWND hwnd_ = nullptr;
};

class Edit : public Control {
public:
    void setLimit(int bytes) const {
        SendMessageA(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(bytes), 0);
    }
};

class ListBox : public Control {
public:
    void clear() const { SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0); }
    // Inserts at the end; unlike adding, never sorts, so row i stays item i.
    void append(const char* text) const {
        SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text));
    }
    int count() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)); }
    // Empties the list to append rows rows of about textBytes bytes in all: the room is
    // reserved at once, and drawing waits for endFill. Filled row by row while drawn, a list of
    // many thousand rows would repaint and rescroll itself after each one.
    void beginFill(int rows, std::size_t textBytes) const {
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
        clear();
        SendMessageA(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(rows),
                     static_cast<LPARAM>(textBytes));
    }
    void endFill() const {
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    // The selected row, or -1.
    int selection() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }
    // The text of a row, at most size - 1 bytes, always terminated; empty for a bad row.
    void rowText(int row, char* buffer, std::size_t size) const;
};

// The dialog's controls by id, and its own title and place in the z-order.
#include "framework/dialog.h"

#include "framework/wide_text.h"

bool Dialog::getItemText(int id, char* buffer, std::size_t size) const {
    return windowText(item(id), buffer, size);
}

void Dialog::setItemText(int id, const char* text) const {
    SetDlgItemTextW(hwnd_, id, WideText(text).get());
}

void Dialog::setTitle(const char* text) const {
    SetWindowTextW(hwnd_, WideText(text).get());
}

void Dialog::enableItem(int id, bool enabled) const {
    EnableWindow(item(id), enabled ? TRUE : FALSE);
}

void Dialog::showItem(int id, bool shown) const {
    ShowWindow(item(id), shown ? SW_SHOW : SW_HIDE);
}

void Dialog::setItemFont(int id, HFONT font) const {
    SendDlgItemMessageW(hwnd_, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Dialog::makeTopmost() const {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

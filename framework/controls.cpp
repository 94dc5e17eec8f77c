#include "framework/controls.h"

#include <vector>

#include "core/text.h"

void Control::getText(char* buffer, std::size_t size) const {
    if (size == 0)
        return;
    buffer[0] = '\0';
    GetWindowTextA(hwnd_, buffer, static_cast<int>(size));
    buffer[size - 1] = '\0';
}

void ListBox::rowText(int row, char* buffer, std::size_t size) const {
    if (size == 0)
        return;
    buffer[0] = '\0';
    LRESULT length = SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR)
        return;
    // LB_GETTEXT has no size argument: read into a buffer of the row's own length first.
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    if (SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(text.data())) == LB_ERR)
        return;
    copyText(buffer, size, text.data());
}

// Each dialog at its own DPI: laid out as the dialog manager lays the template out when it
// creates the dialog there, and again at each DPI change, with the dialog manager's own
// rescaling switched off so that one rescale runs, ours.
#include "framework/dialog.h"

#include "core/dialog_template.h"
#include "framework/module_registry.h"
#include "framework/window_dpi.h"

namespace {
bool readTemplate(int templateId, TemplateLayout& layout) {
    HMODULE module = findDialogTemplate(templateId);
    const wchar_t* dialogType = MAKEINTRESOURCEW(5); // RT_DIALOG
    HRSRC found = module != nullptr
                      ? FindResourceW(module, MAKEINTRESOURCEW(templateId), dialogType)
                      : nullptr;
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    return bytes != nullptr && readTemplateLayout(bytes, SizeofResource(module, found), layout) &&
           layout.pointSize > 0;
}

// Measured as the dialog manager measures the dialog's font.
DialogBaseUnits baseUnitsOf(HFONT font) {
    ClientDC screen(nullptr);
    SelectObjectScope select(screen.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    SIZE alphabet{};
    GetTextExtentPoint32W(screen.get(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &alphabet);
    return dialogBaseUnits(alphabet.cx, metrics.tmHeight);
}
} // namespace

void Dialog::startAtWindowDpi() {
    dpi_ = windowDpi(hwnd_);
    templateFont_ = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    keepDialogScalingOurs(hwnd_);
}

// WM_GETDPISCALEDSIZE: the size to suggest for the move; false leaves it to the system.
bool Dialog::answerScaledSize(int dpi, SIZE& size) {
    SIZE ours = OnGetDpiScaledSize(dpi);
    if (ours.cx <= 0)
        return false;
    size = ours;
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
    return true;
}

// WM_DPICHANGED: the layout at the new DPI, in the rectangle the system suggests.
void Dialog::moveToDpi(int dpi, const RECT& suggested) {
    layOutForDpi(dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HFONT Dialog::createTemplateFont(int pointSize, int dpi) const {
    LOGFONTW font{};
    if (templateFont_ == nullptr || GetObjectW(templateFont_, sizeof font, &font) == 0)
        return nullptr;
    font.lfHeight = dialogFontHeight(pointSize, dpi);
    return CreateFontIndirectW(&font);
}

SIZE Dialog::OnGetDpiScaledSize(int dpi) const {
    TemplateLayout layout;
    if (!readTemplate(templateId_, layout))
        return {0, 0};
    Font font(createTemplateFont(layout.pointSize, dpi));
    if (!font)
        return {0, 0};
    PixelRect client = mapDialogUnits(layout.rect, baseUnitsOf(font.get()));
    RECT frame = windowRectForClient({0, 0, client.width(), client.height()},
                                     static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)),
                                     GetMenu(hwnd_) != nullptr,
                                     static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// As the dialog manager lays the template out when it creates the dialog, at dpi: the
// template's font, and each control at its rectangle in that font's dialog units.
void Dialog::layOutForDpi(int dpi) {
    dpi_ = dpi;
    TemplateLayout layout;
    HFONT font =
        readTemplate(templateId_, layout) ? createTemplateFont(layout.pointSize, dpi) : nullptr;
    if (font != nullptr) {
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == templateFont_)
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        templateFont_ = font;
        ownTemplateFont_.attach(font); // the one it replaces is no control's any more
        DialogBaseUnits units = baseUnitsOf(font);
        for (int i = 0; i < layout.itemCount; ++i) {
            PixelRect rect = mapDialogUnits(layout.items[i].rect, units);
            SetWindowPos(item(layout.items[i].id), nullptr, rect.left, rect.top, rect.width(),
                         rect.height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    OnDpiLook(dpi);
}

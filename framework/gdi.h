// Owning wrappers for GDI objects and device contexts.
#pragma once

#include <windows.h>

inline void deleteHandle(HGDIOBJ object) {
    DeleteObject(object);
}
inline void deleteHandle(HICON icon) {
    DestroyIcon(icon);
}

// Owns a GDI object (or icon) handle and deletes it when destroyed.
template <class Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    // Takes ownership of handle, deleting the one held before.
    void attach(Handle handle) {
        reset();
        handle_ = handle;
    }
    // Gives up ownership without deleting.
    Handle detach() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void reset() {
        if (handle_ != nullptr)
            deleteHandle(handle_);
        handle_ = nullptr;
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
// An icon of our own making, never a shared one (LoadIcon's).
using Icon = GdiObject<HICON>;

// The client-area device context of a window, released when destroyed.
class ClientDC {
public:
    explicit ClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ClientDC() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The device context of one WM_PAINT, ended when destroyed.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context for one scope and restores the previous one.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectObjectScope() { SelectObject(dc_, previous_); }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

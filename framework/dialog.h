// Modal dialogs built from numbered templates, each running its own message loop on the
// calling thread (so dialogs nest, and timers of outer windows keep firing inside them).
//
// A dialog class derives from CommandDialog and binds its control notifications and menu
// commands in one table (a private static member, so it can name private handlers) at the top
// of its source file, handing it to the base in its constructor:
//
//     const CommandBinding<PinPrompt> PinPrompt::kCommands[] = {
//         {IDC_PIN_FIELD, EN_CHANGE, &PinPrompt::onPinChanged},
//         {IDC_PIN_CANCEL, BN_CLICKED, &PinPrompt::onCancelClicked},
//     };
//     PinPrompt::PinPrompt() : CommandDialog(IDD_PIN_PROMPT, kCommands) {}
//
// and overrides the virtual handlers it needs for colours, timer, system commands, painting,
// the drag icon and closing, and the fonts and icons of its DPI (OnDpiLook). Whatever a dialog
// does not handle gets the default processing. Every dialog lays itself out at its own DPI, as
// the dialog manager would lay it out opened there, again at each DPI change.
#pragma once

#include <windows.h>

#include <cstddef>

#include "core/dpi.h"
#include "framework/controls.h"
#include "framework/gdi.h"

class WideText;

// The Help command, sent to the application's main window when F1 is pressed in any dialog;
// the main window binds it in its command table like any menu command.
constexpr int kHelpCommand = 0xE146;

// The notification code of a command raised by an accelerator key.
constexpr int kAcceleratorCode = 1;

template <class D> struct CommandBinding {
    int id;
    int code; // BN_CLICKED, LBN_SELCHANGE, EN_CHANGE, 0 for a menu command, kAcceleratorCode
    void (D::*handler)();
};

// Control-colour kinds, as the WM_CTLCOLOR* messages number them.
enum CtlColorKind : int {
    kCtlColorMsgBox = 0,
    kCtlColorEdit = 1,
    kCtlColorListBox = 2,
    kCtlColorButton = 3,
    kCtlColorDialog = 4, // the dialog's own background
    kCtlColorScrollBar = 5,
    kCtlColorStatic = 6,
};

class Dialog {
public:
    // parent: the owner; without one, DoModal uses the application's main window or the pop-up
    // last active over it.
    explicit Dialog(int templateId, Dialog* parent = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog (a top-level one under the capture rule of framework/screen_capture.h),
    // keeps its owner disabled while it runs its own message loop, and returns the value given to
    // EndModal, or -1 when the dialog cannot be created (or the message loop fails).
    INT_PTR DoModal();
    // Ends the loop that DoModal runs, which then returns result.
    void EndModal(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    // The DPI the dialog is laid out at: the window's when it was created, then the one each
    // WM_DPICHANGED brings.
    int dpi() const { return dpi_; }
    // The Dialog object behind a window of ours, or nullptr.
    static Dialog* fromHandle(HWND hwnd);

    // Every queued message for this dialog or its controls passes here before the dialog's
    // keyboard handling and dispatch; true consumes it. Default: the dialog keyboard interface.
    virtual bool PreTranslateMessage(MSG* msg);

protected:
    // Binds member controls to their ids; runs just before OnInitDialog.
    virtual void DoDataExchange() {}
    // Once, after the controls exist and are bound, before the dialog is shown; true lets the
    // system place the focus.
    virtual bool OnInitDialog() { return true; }
    // Gives the controls the fonts and icons for dpi: once just before OnInitDialog, and again
    // at each DPI change, after the controls are back at their template rectangles at the new
    // DPI in the template's font at it, and before the window takes its new rectangle. A dialog
    // that arranges itself arranges itself again here.
    virtual void OnDpiLook(int /*dpi*/) {}
    // The window's outer size as if it were opened at dpi; {0, 0} leaves it to the system.
    // The template's by default.
    virtual SIZE OnGetDpiScaledSize(int dpi) const;
    void bind(Control& control, int id) const { control.attach(GetDlgItem(hwnd_, id)); }

    // Control notifications and menu commands; true when handled. OK and Cancel otherwise
    // reach OnOK and OnCancel, which end the dialog with 1 and 2.
    virtual bool OnCommand(int id, int code);
    virtual void OnOK() { EndModal(IDOK); }
    virtual void OnCancel() { EndModal(IDCANCEL); }

    // The brush to paint a control (or, for kCtlColorDialog, the dialog) with. The base
    // gives the system's default colours and brush.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, int kind);
    // Return false to get (after whatever the handler did) the default processing.
    virtual bool OnTimer(UINT_PTR /*timerId*/) { return false; }
    virtual bool OnSysCommand(UINT /*command*/, LPARAM /*lParam*/) { return false; }
    virtual bool OnPaint() { return false; }
    virtual bool OnClose() { return false; }
    // The icon to drag a minimised window by; nullptr for the default.
    virtual HICON OnQueryDragIcon() { return nullptr; }
    // Any message the handlers above do not cover (session changes, power events, the end of
    // the session). Return false to get the default processing.
    virtual bool OnOtherMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
        return false;
    }

    // Control helpers by id. Texts are Shift-JIS; see windowText for reading them back.
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    bool getItemText(int id, char* buffer, std::size_t size) const;
    void setItemText(int id, const char* text) const;
    void enableItem(int id, bool enabled) const;
    void showItem(int id, bool shown) const;
    void setTitle(const char* text) const;
    void setItemFont(int id, HFONT font) const;
    // Names a field or list for screen readers after its label control's text, or after the
    // given Shift-JIS text; the name goes when the dialog does.
    void nameItemAfterLabel(int id, int labelId);
    void nameItem(int id, const char* name);
    // Centres over the owner, inside the work area of the owner's monitor; without an owner, on
    // the primary monitor's work area (framework/window_placement_win.h).
    void placeCentred() const;
    void makeTopmost() const;

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void runModalLoop();
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_INITDIALOG: the capture rule, the DPI, the controls, the look, OnInitDialog.
    bool initialise();
    // What endDialogsOwnedBy asks of each dialog.
    void endAsClosed();
    HWND defaultOwner() const;
    bool requestHelp() const;
    // At the DPI of a new size or monitor (framework/dialog_dpi.cpp). The template's font at
    // dpi, made as the dialog manager made the dialog's; nullptr when the template gives no font.
    void startAtWindowDpi();
    bool answerScaledSize(int dpi, SIZE& size);
    void moveToDpi(int dpi, const RECT& suggested);
    HFONT createTemplateFont(int pointSize, int dpi) const;
    void layOutForDpi(int dpi);

    void nameItem(int id, const WideText& name);
    void clearItemNames();

    int templateId_;
    Dialog* parent_;
    int namedItems_[8] = {};
    int namedItemCount_ = 0;
    HWND hwnd_ = nullptr;
    bool running_ = false;
    INT_PTR result_ = -1;
    int dpi_ = kBaseDpi;
    HFONT templateFont_ = nullptr; // the font the template's controls show
    Font ownTemplateFont_;         // it, once a DPI change made it ours
};

// A dialog whose control notifications and menu commands are bound in one table of D's.
template <class D> class CommandDialog : public Dialog {
protected:
    template <std::size_t N>
    CommandDialog(int templateId, const CommandBinding<D> (&commands)[N], Dialog* parent = nullptr)
        : Dialog(templateId, parent), commands_(commands), commandCount_(N) {}

    // Runs the handler bound to (id, code).
    bool OnCommand(int id, int code) override {
        for (std::size_t i = 0; i < commandCount_; ++i) {
            if (commands_[i].id == id && commands_[i].code == code) {
                (static_cast<D*>(this)->*commands_[i].handler)();
                return true;
            }
        }
        return false;
    }

private:
    const CommandBinding<D>* commands_;
    std::size_t commandCount_;
};

// Ends every dialog of ours that owner owns, the message-box library's too, innermost first, each
// as its close box would; when this returns each one is hidden and its caller's answer is set,
// and its loop ends as soon as control gets back to it. No other window is sent anything: the
// input method's own window, say, is owned by the window that has the focus.
void endDialogsOwnedBy(HWND owner);

// Runs the given dialog's pre-translation for a queued message, walking from the window it is
// for up through its parents as far as the top-level window; true when one consumed it.
bool preTranslateDialogMessage(MSG* msg);

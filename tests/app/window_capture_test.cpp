// Keyvane's real windows ask to be left out of screen capture before they are visible, unless the
// rule is /allowcapture's. Wine's SetWindowDisplayAffinity is a stub that fails: watch the seam.
#include <gtest/gtest.h>

#include "app/dialogs/main_window.h"
#include "app/message_owner.h"
#include "app/dialogs/pin_prompt.h"
#include "app/resources/resource.h"
#include "core/app_message.h"
#include "framework/screen_capture.h"
#include "msgbox/msgbox_dialog.h"

namespace {
// Keeps the windows that asked for exclusion while still hidden, and answers for them as the
// system would; a window that asks once it shows is not kept.
struct Recorder : DisplayAffinity {
    HWND asked[16] = {};
    int count = 0;
    bool set(HWND w, DWORD affinity) override {
        if (affinity == WDA_EXCLUDEFROMCAPTURE && !IsWindowVisible(w) && count < 16)
            asked[count++] = w;
        return true;
    }
    DWORD get(HWND w) override {
        for (int i = 0; i < count; ++i)
            if (asked[i] == w)
                return WDA_EXCLUDEFROMCAPTURE;
        return WDA_NONE;
    }
} recorder;

// Chimebox.dll's box, under the rule of the library's own copy of the framework; with no
// application object here either, it picks its owner as it does there.
struct LibraryBox : MessageBoxes {
    int show(const char* text, int type) override {
        CaptureRule program = setCaptureRule(CaptureRule::FollowOwner);
        auto result = static_cast<int>(MsgBoxDialog(text, "", type, 0, 0).DoModal());
        setCaptureRule(program);
        return result;
    }
} libraryBox;

// The user, on a timer that fires only while the queue is empty: the window taking input gets
// the script's next command if nothing owns it, and is closed otherwise. Main, its About box,
// the editor's no-PIN box (none stored) and the editor are each checked as they take input.
const WPARAM kScript[] = {ID_APP_ABOUT, MAKEWPARAM(IDC_MAIN_EDIT, BN_CLICKED), 0};
const WPARAM* next;
bool excluding;
void CALLBACK act(HWND, UINT, UINT_PTR, DWORD) {
    HWND front = GetActiveWindow();
    if (front == nullptr || !IsWindowEnabled(front))
        return;
    EXPECT_EQ(recorder.get(front) == WDA_EXCLUDEFROMCAPTURE, excluding);
    bool command = GetWindow(front, GW_OWNER) == nullptr && *next != 0;
    PostMessageW(front, command ? WM_COMMAND : WM_CLOSE, command ? *next++ : 0, 0);
}
} // namespace

TEST(WindowCapture, EveryWindowAsksBeforeItIsVisibleUnlessCaptureIsAllowed) {
    setMessageBoxes(&libraryBox);
    setDisplayAffinity(&recorder);
    UINT_PTR timer = SetTimer(nullptr, 0, 20, act);
    for (CaptureRule rule : {CaptureRule::Exclude, CaptureRule::FollowOwner}) {
        setCaptureRule(rule);
        excluding = rule == CaptureRule::Exclude;
        recorder.count = 0;
        next = kScript;
        MainWindow().DoModal();
        PinPrompt().DoModal();
        EXPECT_EQ(*next, 0u) << "the whole script ran";
    }
    KillTimer(nullptr, timer);
    setDisplayAffinity(nullptr);
    setMessageBoxes(nullptr);
}

// A message before the main window shows: over a stand-in owner where the main window opens,
// which asked to be left out of capture, so that the box follows it as Chimebox's does.
TEST(WindowCapture, AStartUpMessageOpensWhereTheMainWindowWillUnderTheSameRule) {
    setDisplayAffinity(&recorder);
    setCaptureRule(CaptureRule::Exclude);
    recorder.count = 0;
    static RECT box, work;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND front = GetActiveWindow();
        EXPECT_EQ(recorder.get(front), recorder.get(GetWindow(front, GW_OWNER)));
        EXPECT_EQ(recorder.get(front), DWORD(WDA_EXCLUDEFROMCAPTURE));
        GetWindowRect(front, &box);
        PostMessageW(front, WM_CLOSE, 0, 0);
    });
    OverMainWindow(libraryBox).show("message", 0);
    KillTimer(nullptr, timer);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(box.left + box.right, work.left + work.right, 2);
    EXPECT_NEAR(box.top + box.bottom, work.top + work.bottom, 2);
    setCaptureRule(CaptureRule::FollowOwner);
    setDisplayAffinity(nullptr);
}

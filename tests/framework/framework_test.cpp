// The dialog layer on real windows: results, nested loops with outer timers, owners,
// pre-translation, control helpers and templates found through library registration.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "framework/application.h"
#include "framework/dialog.h"
#include "framework/module_registry.h"

namespace {
constexpr int kOuterTemplate = 3001;
constexpr int kInnerTemplate = 3002;
constexpr int kLibraryTemplate = 3100;
constexpr int kEdit = 100;
constexpr int kButton = 101;

// A dialog whose behaviour each test scripts.
class ScriptedDialog : public CommandDialog<ScriptedDialog> {
public:
    explicit ScriptedDialog(int templateId, Dialog* parent = nullptr);

    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&)> onButton;
    std::function<void(ScriptedDialog&, UINT_PTR)> onTimer;
    std::function<bool(const MSG&)> consume;
    int editChanges = 0;
    int helpCommands = 0;

    using Dialog::EndModal;
    using Dialog::getItemText;
    using Dialog::item;
    using Dialog::placeCentred;
    using Dialog::setItemText;

    bool OnInitDialog() override {
        if (onInit)
            onInit(*this);
        return true;
    }
    bool OnTimer(UINT_PTR timerId) override {
        if (!onTimer)
            return false;
        onTimer(*this, timerId);
        return true;
    }
    bool PreTranslateMessage(MSG* msg) override {
        if (consume && consume(*msg))
            return true;
        return Dialog::PreTranslateMessage(msg);
    }

private:
    void pressed() {
        if (onButton)
            onButton(*this);
    }
    void editChanged() { ++editChanges; }
    void helpCommand() { ++helpCommands; }

    static const CommandBinding<ScriptedDialog> kCommands[];
};

const CommandBinding<ScriptedDialog> ScriptedDialog::kCommands[] = {
    {kButton, BN_CLICKED, &ScriptedDialog::pressed},
    {kEdit, EN_CHANGE, &ScriptedDialog::editChanged},
    {kHelpCommand, 0, &ScriptedDialog::helpCommand},
};

ScriptedDialog::ScriptedDialog(int templateId, Dialog* parent)
    : CommandDialog(templateId, kCommands, parent) {}

void post(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    PostMessageA(hwnd, message, wParam, lParam);
}

class TestApplication : public Application {
public:
    bool InitInstance() override { return false; }
};
} // namespace

TEST(DoModal, AMissingTemplateGivesMinusOne) {
    ScriptedDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(DoModal, ReturnsWhatEndsTheDialog) {
    struct Case {
        const char* what;
        std::function<void(HWND)> end;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"OK command", [](HWND h) { post(h, WM_COMMAND, IDOK); }, 1},
        {"Cancel command", [](HWND h) { post(h, WM_COMMAND, IDCANCEL); }, 2},
        {"close request", [](HWND h) { post(h, WM_CLOSE); }, 2},
        {"Escape key", [](HWND h) { post(GetDlgItem(h, kEdit), WM_KEYDOWN, VK_ESCAPE); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialog dialog(kOuterTemplate);
        dialog.onInit = [&](ScriptedDialog& d) { c.end(d.hwnd()); };
        EXPECT_EQ(dialog.DoModal(), c.expected);
        EXPECT_EQ(dialog.hwnd(), nullptr) << "the window is gone after DoModal";
    }
    ScriptedDialog dialog(kOuterTemplate);
    dialog.onInit = [](ScriptedDialog& d) { d.EndModal(42); };
    EXPECT_EQ(dialog.DoModal(), 42) << "ended during initialisation, never shown";
}

TEST(DoModal, InitialisationRunsOnceWithControlsBeforeTheDialogShows) {
    ScriptedDialog dialog(kOuterTemplate);
    int inits = 0;
    bool visibleAtInit = true;
    bool editAtInit = false;
    bool visibleLater = false;
    dialog.onInit = [&](ScriptedDialog& d) {
        ++inits;
        visibleAtInit = IsWindowVisible(d.hwnd()) != 0;
        editAtInit = d.item(kEdit) != nullptr;
        SetTimer(d.hwnd(), 1, 10, nullptr);
    };
    dialog.onTimer = [&](ScriptedDialog& d, UINT_PTR) {
        visibleLater = IsWindowVisible(d.hwnd()) != 0;
        d.EndModal(0);
    };
    dialog.DoModal();
    EXPECT_EQ(inits, 1);
    EXPECT_FALSE(visibleAtInit);
    EXPECT_TRUE(editAtInit);
    EXPECT_TRUE(visibleLater);
}

TEST(DoModal, NestedLoopsKeepOuterTimersAndDisableTheOwner) {
    for (bool withApplication : {false, true}) {
        SCOPED_TRACE(withApplication ? "owner from the application" : "owner from the thread");
        std::optional<TestApplication> app;
        ScriptedDialog outer(kOuterTemplate);
        if (withApplication)
            app.emplace().setMainWindow(&outer);
        int outerTicks = 0;
        int ticksWhenInnerOpened = -1;
        HWND innerOwner = nullptr;
        HWND outerWindow = nullptr;
        bool outerEnabledDuringInner = true;
        bool outerEnabledDuringInit = true;
        INT_PTR innerResult = 0;

        outer.onInit = [](ScriptedDialog& d) {
            SetTimer(d.hwnd(), 7, 15, nullptr);
            post(d.hwnd(), WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(d.item(kButton)));
        };
        outer.onTimer = [&](ScriptedDialog&, UINT_PTR) { ++outerTicks; };
        outer.onButton = [&](ScriptedDialog& o) {
            outerWindow = o.hwnd();
            ScriptedDialog inner(kInnerTemplate);
            inner.onInit = [&](ScriptedDialog& i) {
                ticksWhenInnerOpened = outerTicks;
                innerOwner = GetWindow(i.hwnd(), GW_OWNER);
                outerEnabledDuringInit = IsWindowEnabled(o.hwnd()) != 0;
                SetTimer(i.hwnd(), 8, 10, nullptr);
            };
            inner.onTimer = [&](ScriptedDialog& i, UINT_PTR) {
                outerEnabledDuringInner = IsWindowEnabled(o.hwnd()) != 0;
                if (outerTicks >= ticksWhenInnerOpened + 3)
                    i.EndModal(5);
            };
            innerResult = inner.DoModal();
            EXPECT_TRUE(IsWindowEnabled(o.hwnd())) << "owner enabled again afterwards";
            o.EndModal(1);
        };
        EXPECT_EQ(outer.DoModal(), 1);
        EXPECT_EQ(innerResult, 5);
        EXPECT_GE(outerTicks, ticksWhenInnerOpened + 3) << "outer timer ran inside the inner loop";
        EXPECT_FALSE(outerEnabledDuringInner);
        EXPECT_FALSE(outerEnabledDuringInit);
        EXPECT_EQ(innerOwner, outerWindow);
    }
}

TEST(Help, F1InANestedDialogSendsTheHelpCommandToTheMainWindowOnce) {
    TestApplication app;
    ScriptedDialog outer(kOuterTemplate);
    app.setMainWindow(&outer);
    int helpsSeenInside = -1;
    outer.onInit = [](ScriptedDialog& d) {
        post(d.hwnd(), WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED),
             reinterpret_cast<LPARAM>(d.item(kButton)));
    };
    outer.onButton = [&](ScriptedDialog& o) {
        ScriptedDialog inner(kOuterTemplate); // one with an edit control
        inner.onInit = [](ScriptedDialog& i) {
            constexpr UINT kHelpKeyMessage = 0x004D; // what the system posts for F1
            post(i.item(kEdit), kHelpKeyMessage);
            post(i.hwnd(), WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(i.item(kButton)));
        };
        inner.onButton = [&](ScriptedDialog& i) {
            helpsSeenInside = outer.helpCommands;
            i.EndModal(1);
        };
        inner.DoModal();
        o.EndModal(1);
    };
    outer.DoModal();
    EXPECT_EQ(helpsSeenInside, 1);
    app.setMainWindow(nullptr);
}

TEST(PreTranslateMessage, ConsumedMessagesNeverReachTheirWindow) {
    ScriptedDialog dialog(kOuterTemplate);
    dialog.consume = [](const MSG& m) {
        return m.wParam == 'x' || m.wParam == VK_ESCAPE; // whatever the message number
    };
    std::string text;
    dialog.onInit = [](ScriptedDialog& d) {
        HWND edit = d.item(kEdit);
        for (char c : std::string("axbx"))
            post(edit, WM_CHAR, static_cast<WPARAM>(c));
        post(edit, WM_KEYDOWN, VK_ESCAPE);
        SetTimer(d.hwnd(), 1, 50, nullptr);
    };
    dialog.onTimer = [&](ScriptedDialog& d, UINT_PTR) {
        char buffer[16];
        d.getItemText(kEdit, buffer, sizeof buffer);
        text = buffer;
        d.EndModal(3);
    };
    EXPECT_EQ(dialog.DoModal(), 3) << "Escape was swallowed, so Cancel never came";
    EXPECT_EQ(text, "ab");
}

TEST(Controls, TextHelpersBehaveLikeTheDialogFunctions) {
    ScriptedDialog dialog(kOuterTemplate);
    std::string cut;
    int changesAfterSet = -1;
    dialog.onInit = [&](ScriptedDialog& d) {
        d.setItemText(kEdit, "abcdef");
        changesAfterSet = d.editChanges;
        char buffer[4];
        d.getItemText(kEdit, buffer, sizeof buffer);
        cut = buffer;
        d.EndModal(0);
    };
    dialog.DoModal();
    EXPECT_EQ(cut, "abc") << "at most size - 1 bytes, terminated";
    EXPECT_EQ(changesAfterSet, 1) << "setting an edit's text notifies like typing";
}

TEST(ModuleRegistry, ALibrarysTemplatesAreFoundOnlyWhileItIsRegistered) {
    HMODULE library = LoadLibraryA("framework_template_library.dll");
    ASSERT_NE(library, nullptr);
    auto run = [] {
        ScriptedDialog dialog(kLibraryTemplate);
        dialog.onInit = [](ScriptedDialog& d) { post(d.hwnd(), WM_COMMAND, IDOK); };
        return dialog.DoModal();
    };
    EXPECT_EQ(run(), -1);
    ASSERT_TRUE(registerResourceModule(library));
    EXPECT_EQ(findDialogTemplate(kLibraryTemplate), library);
    EXPECT_EQ(findDialogTemplate(kOuterTemplate), GetModuleHandleA(nullptr)) << "program first";
    EXPECT_EQ(run(), 1);
    unregisterResourceModule(library);
    EXPECT_EQ(run(), -1);
    EXPECT_FALSE(registerResourceModule(nullptr));
    FreeLibrary(library);
}

TEST(CentreWindow, CentresOverTheOwnerOrTheScreen) {
    auto centre = [](HWND hwnd) {
        RECT r;
        GetWindowRect(hwnd, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    ScriptedDialog outer(kOuterTemplate);
    POINT outerCentre{}, innerCentre{};
    outer.onInit = [](ScriptedDialog& d) {
        d.placeCentred();
        post(d.hwnd(), WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED),
             reinterpret_cast<LPARAM>(d.item(kButton)));
    };
    outer.onButton = [&](ScriptedDialog& o) {
        outerCentre = centre(o.hwnd());
        ScriptedDialog inner(kInnerTemplate);
        inner.onInit = [](ScriptedDialog& i) {
            i.placeCentred();
            SetTimer(i.hwnd(), 1, 10, nullptr);
        };
        inner.onTimer = [&](ScriptedDialog& i, UINT_PTR) {
            innerCentre = centre(i.hwnd());
            i.EndModal(0);
        };
        inner.DoModal();
        o.EndModal(0);
    };
    outer.DoModal();
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(outerCentre.x, (work.left + work.right) / 2, 1) << "no owner: the screen";
    EXPECT_NEAR(outerCentre.y, (work.top + work.bottom) / 2, 1);
    EXPECT_NEAR(innerCentre.x, outerCentre.x, 1) << "over its owner";
    EXPECT_NEAR(innerCentre.y, outerCentre.y, 1);
}

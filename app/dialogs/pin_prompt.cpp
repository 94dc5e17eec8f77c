#include "app/dialogs/pin_prompt.h"

#include <cstring>

#include "core/login.h"
#include "core/program_info.h"
#include "app/look.h"
#include "app/resources/resource.h"
#include "core/text.h"

const CommandBinding<PinPrompt> PinPrompt::kCommands[] = {
    {IDC_PIN_FIELD, EN_CHANGE, &PinPrompt::onPinChanged},
    {IDC_PIN_CANCEL, BN_CLICKED, &PinPrompt::onCancelClicked},
};

namespace {
// Every four digits cost half a second before the field is wiped, right or wrong; a right PIN
// waits once more before the prompt ends.
constexpr DWORD kAttemptDelayMs = 500;
} // namespace

PinPrompt::PinPrompt() : KeyFilteredDialog(IDD_PIN_PROMPT, kCommands) {}

void PinPrompt::DoDataExchange() {
    bind(pinField_, IDC_PIN_FIELD);
}

bool PinPrompt::OnInitDialog() {
    char title[64];
    formatText(title, sizeof title, "%s - %s", kProductName, kLoginCaption);
    setTitle(title);
    pinField_.setLimit(static_cast<int>(kPinLength));
    pinField_.takeAsciiDigits();
    // The label comes after the field in the window order.
    nameItemAfterLabel(IDC_PIN_FIELD, IDC_PIN_LABEL);
    startLogin();
    makeTopmost();
    placeCentred();
    return true;
}

void PinPrompt::onPinChanged() {
    char typed[sizeof loginPin];
    pinField_.getText(typed, sizeof typed);
    if (tryLogin(typed)) {
        Sleep(kAttemptDelayMs);
        EndModal(0);
    }
    if (std::strlen(typed) >= kPinLength) {
        Sleep(kAttemptDelayMs);
        pinField_.setText(""); // raises this handler again, with the empty text
    }
}

// Cancel logs out, also a user who was logged in before.
void PinPrompt::onCancelClicked() {
    logOut();
    EndModal(-1);
}

// Alt+F4 is a Cancel too: any other result would leave an Edit login half done, logged in
// with no countdown.
bool PinPrompt::OnClose() {
    onCancelClicked();
    return true;
}

HBRUSH PinPrompt::OnCtlColor(HDC dc, HWND control, int kind) {
    HBRUSH brush = Dialog::OnCtlColor(dc, control, kind);
    int id = GetDlgCtrlID(control);
    if (kind == kCtlColorDialog || id == IDC_PIN_LABEL || id == IDC_PIN_CANCEL)
        return paintAs(dc, Painted::DialogFace);
    return brush;
}

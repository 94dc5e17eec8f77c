// The four-digit PIN prompt. It has no OK button: it checks the field after every keystroke
// and closes by itself when the stored PIN is there. Ends with 0 (logged in) or -1 (Cancel).
#pragma once

#include "app/dialogs/key_filter.h"

class PinPrompt : public KeyFilteredDialog<PinPrompt> {
public:
    PinPrompt();

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, int kind) override;
    bool OnClose() override;

private:
    static const CommandBinding<PinPrompt> kCommands[];

    void onPinChanged();
    void onCancelClicked();

    Edit pinField_;
};

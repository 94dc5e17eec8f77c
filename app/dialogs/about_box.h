// The About box: the program's name, file version and rights notice. Return and Escape close it,
// as in any ordinary dialog.
#pragma once

#include "framework/dialog.h"

class AboutBox : public Dialog {
public:
    AboutBox();

protected:
    // The icon at the size of dpi.
    void OnDpiLook(int dpi) override;
    bool OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, int kind) override;

private:
    Icon icon_;
};

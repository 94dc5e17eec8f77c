#include "framework/accessible_names.h"

#include "core/seam.h"
#include "framework/dialog.h"
#include "framework/wide_text.h"

// The property and class identifiers are defined here, in the one file that uses them.
#include <initguid.h>

#include <oleacc.h>

namespace {
// The system's annotation service, made on first use on the thread that makes the windows (COM
// must be initialised there); when it cannot be made, controls keep the names readers give them.
class SystemAccessibleNames : public AccessibleNames {
public:
    bool set(HWND control, const wchar_t* name) override {
        IAccPropServices* services = service();
        return services != nullptr &&
               SUCCEEDED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                                  CHILDID_SELF, PROPID_ACC_NAME, name));
    }
    void clear(HWND control) override {
        if (IAccPropServices* services = service()) {
            MSAAPROPID name = PROPID_ACC_NAME;
            services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name,
                                     1);
        }
    }

private:
    IAccPropServices* service() {
        if (!asked_) {
            asked_ = true;
            if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IAccPropServices,
                                        reinterpret_cast<void**>(&services_))))
                services_ = nullptr;
        }
        return services_;
    }

    bool asked_ = false;
    IAccPropServices* services_ = nullptr; // kept until the process ends
};

AccessibleNames& systemNames() {
    static SystemAccessibleNames names;
    return names;
}

Seam<AccessibleNames, systemNames> seam;
} // namespace

AccessibleNames& accessibleNames() {
    return seam.get();
}

AccessibleNames* setAccessibleNames(AccessibleNames* names) {
    return seam.install(names);
}

// A dialog's names: given in its OnInitDialog, taken back before its window goes.
void Dialog::nameItemAfterLabel(int id, int labelId) {
    nameItem(id, WideText(item(labelId)));
}

void Dialog::nameItem(int id, const char* name) {
    nameItem(id, WideText(name));
}

void Dialog::nameItem(int id, const WideText& name) {
    if (namedItemCount_ < static_cast<int>(sizeof namedItems_ / sizeof namedItems_[0]) &&
        accessibleNames().set(item(id), name.get()))
        namedItems_[namedItemCount_++] = id;
}

void Dialog::clearItemNames() {
    for (int i = 0; i < namedItemCount_; ++i)
        accessibleNames().clear(item(namedItems_[i]));
    namedItemCount_ = 0;
}

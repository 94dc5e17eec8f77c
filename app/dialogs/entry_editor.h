// The entry editor: register, overwrite and delete entries, change the PIN and switch the
// automatic logout. Every change is written to the data files at once; there is nothing to
// confirm or undo on closing.
#pragma once

#include "app/dialogs/key_filter.h"
#include "core/store_operations.h"

class EntryEditor : public KeyFilteredDialog<EntryEditor> {
public:
    EntryEditor();

protected:
    void DoDataExchange() override;
    void OnDpiLook(int dpi) override;
    bool OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, int kind) override;

private:
    static const CommandBinding<EntryEditor> kCommands[];

    void onCloseClicked() { EndModal(0); }
    void onRegisterClicked();
    void onDeleteClicked();
    void onChangeClicked();
    void onShowSelectedEntry();
    void onClearClicked();
    void onAutoLogoutOnClicked() { switchAutoLogout(true); }
    void onAutoLogoutOffClicked() { switchAutoLogout(false); }
    void onUnusableCharacter();

    void fillEntryList();
    void setFields(const char* name, const char* id, const char* password, const char* url);
    void updateEditorButtons();
    void lockWithoutPin();
    void nameFieldsForScreenReaders();
    // Delete's question, asked only when the selected row still names its entry.
    bool confirmDelete(int row);

    // Bound in this order.
    Edit url_;
    Edit password_;
    Edit id_;
    Edit name_;
    Edit pin_;
    ListBox list_;
};

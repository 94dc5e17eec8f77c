#include "app/dialogs/entry_editor.h"

#include <cstring>
#include <initializer_list>

#include "core/app_message.h"
#include "core/data_files.h"
#include "core/entry_editor_rules.h"
#include "core/login.h"
#include "core/program_info.h"
#include "app/look.h"
#include "app/resources/resource.h"
#include "core/store_operations.h"
#include "core/text.h"

const CommandBinding<EntryEditor> EntryEditor::kCommands[] = {
    {IDC_EDITOR_CLOSE, BN_CLICKED, &EntryEditor::onCloseClicked},
    {IDC_EDITOR_REGISTER, BN_CLICKED, &EntryEditor::onRegisterClicked},
    {IDC_EDITOR_DELETE, BN_CLICKED, &EntryEditor::onDeleteClicked},
    {IDC_EDITOR_CHANGE_PIN, BN_CLICKED, &EntryEditor::onChangeClicked},
    {IDC_EDITOR_PIN, EN_CHANGE, &EntryEditor::updateEditorButtons},
    {IDC_EDITOR_LIST, LBN_SELCHANGE, &EntryEditor::onShowSelectedEntry},
    {IDC_EDITOR_ID, EN_CHANGE, &EntryEditor::updateEditorButtons},
    {IDC_EDITOR_NAME, EN_CHANGE, &EntryEditor::updateEditorButtons},
    {IDC_EDITOR_PASSWORD, EN_CHANGE, &EntryEditor::updateEditorButtons},
    {IDC_EDITOR_CLEAR, BN_CLICKED, &EntryEditor::onClearClicked},
    {IDC_EDITOR_URL, EN_CHANGE, &EntryEditor::updateEditorButtons},
    {IDC_EDITOR_AUTO_LOGOUT_ON, BN_CLICKED, &EntryEditor::onAutoLogoutOnClicked},
    {IDC_EDITOR_AUTO_LOGOUT_OFF, BN_CLICKED, &EntryEditor::onAutoLogoutOffClicked},
    {IDC_EDITOR_NAME, kEditRefusedCharacter, &EntryEditor::onUnusableCharacter},
    {IDC_EDITOR_ID, kEditRefusedCharacter, &EntryEditor::onUnusableCharacter},
    {IDC_EDITOR_PASSWORD, kEditRefusedCharacter, &EntryEditor::onUnusableCharacter},
    {IDC_EDITOR_URL, kEditRefusedCharacter, &EntryEditor::onUnusableCharacter},
    {IDC_EDITOR_PIN, kEditRefusedCharacter, &EntryEditor::onUnusableCharacter},
};

namespace {
// What the name, ID and password fields take from the keyboard, in bytes.
constexpr int kTypedTextLimit = 40;

const char kNoPinMessage[] =
    "暗証番号が設定されていませんので\n暗証番号を設定し、再度編集を行ってください。";
const char kOverwriteQuestion[] = "重複した名前があります。\n上書きしますか？";
const char kChangePinQuestion[] = "暗証番号を変更します。\nよろしいですか？";
// Text is stored in Shift-JIS: a character it cannot hold would be lost as "?".
const char kUnusableCharacters[] = "使用できない文字が含まれています。";

// What the editor leaves usable while no PIN is stored: the PIN field, Change and Close.
const int kLockedControls[] = {
    IDC_EDITOR_LIST,
    IDC_EDITOR_NAME,
    IDC_EDITOR_ID,
    IDC_EDITOR_PASSWORD,
    IDC_EDITOR_URL,
    IDC_EDITOR_REGISTER,
    IDC_EDITOR_CLEAR,
    IDC_EDITOR_DELETE,
    IDC_EDITOR_AUTO_LOGOUT_ON,
    IDC_EDITOR_AUTO_LOGOUT_OFF,
};

// Controls painted on the dialog's own background.
bool onDialogBackground(int id) {
    switch (id) {
    case IDC_EDITOR_ID_LABEL:
    case IDC_EDITOR_PASSWORD_LABEL:
    case IDC_EDITOR_PIN_LABEL:
    case IDC_EDITOR_NAME_LABEL:
    case IDC_EDITOR_URL_LABEL:
    case IDC_EDITOR_AUTO_LOGOUT_LABEL:
    case IDC_EDITOR_AUTO_LOGOUT_NOTE:
    case IDC_EDITOR_LIST_GROUP:
    case IDC_EDITOR_SETTINGS_GROUP:
    case IDC_EDITOR_REGISTER:
    case IDC_EDITOR_CLOSE:
    case IDC_EDITOR_CHANGE_PIN:
    case IDC_EDITOR_DELETE:
    case IDC_EDITOR_CLEAR:
    case IDC_EDITOR_AUTO_LOGOUT_ON:
    case IDC_EDITOR_AUTO_LOGOUT_OFF:
        return true;
    default:
        return false;
    }
}
} // namespace

EntryEditor::EntryEditor() : KeyFilteredDialog(IDD_ENTRY_EDITOR, kCommands) {}

void EntryEditor::DoDataExchange() {
    bind(url_, IDC_EDITOR_URL);
    bind(password_, IDC_EDITOR_PASSWORD);
    bind(id_, IDC_EDITOR_ID);
    bind(name_, IDC_EDITOR_NAME);
    bind(pin_, IDC_EDITOR_PIN);
    bind(list_, IDC_EDITOR_LIST);
}

void EntryEditor::OnDpiLook(int dpi) {
    const FontSet& fonts = fontSetFor(dpi);
    list_.setFont(fonts.pMincho13Medium());
    for (int id : {IDC_EDITOR_NAME, IDC_EDITOR_ID, IDC_EDITOR_PASSWORD})
        setItemFont(id, fonts.gothic12());
    for (int id : {IDC_EDITOR_URL_LABEL, IDC_EDITOR_NAME_LABEL, IDC_EDITOR_ID_LABEL,
                   IDC_EDITOR_PASSWORD_LABEL, IDC_EDITOR_PIN_LABEL})
        setItemFont(id, fonts.gothic12Bold());
    setItemFont(IDC_EDITOR_PIN_NOTE, fonts.gothic10());
    setItemFont(IDC_EDITOR_AUTO_LOGOUT_NOTE, fonts.gothic10());
    setItemFont(IDC_EDITOR_AUTO_LOGOUT_LABEL, fonts.gothic12Bold());
}

bool EntryEditor::OnInitDialog() {
    char title[64];
    formatText(title, sizeof title, "%s - %s", kProductName, "編集");
    setTitle(title);

    loadEntryList(); // start from the file, freshly sorted
    fillEntryList();

    pin_.setLimit(static_cast<int>(kPinLength));
    pin_.takeAsciiDigits();
    name_.setLimit(kTypedTextLimit);
    id_.setLimit(kTypedTextLimit);
    password_.setLimit(kTypedTextLimit);
    url_.setLimit(static_cast<int>(sizeof(EntryRecord::url)));
    pin_.setText(setupRecord.storedPin);

    if (!pinIsStored())
        lockWithoutPin();

    CheckDlgButton(hwnd(), IDC_EDITOR_AUTO_LOGOUT_ON, BST_UNCHECKED);
    CheckDlgButton(hwnd(), IDC_EDITOR_AUTO_LOGOUT_OFF, BST_UNCHECKED);
    CheckDlgButton(hwnd(),
                   setupRecord.autoLogoutOff != 0 ? IDC_EDITOR_AUTO_LOGOUT_OFF
                                                  : IDC_EDITOR_AUTO_LOGOUT_ON,
                   BST_CHECKED);
    nameFieldsForScreenReaders();
    placeCentred();
    return true;
}

// The labels come after their fields in the window order, and the list has none.
void EntryEditor::nameFieldsForScreenReaders() {
    nameItemAfterLabel(IDC_EDITOR_NAME, IDC_EDITOR_NAME_LABEL);
    nameItemAfterLabel(IDC_EDITOR_ID, IDC_EDITOR_ID_LABEL);
    nameItemAfterLabel(IDC_EDITOR_PASSWORD, IDC_EDITOR_PASSWORD_LABEL);
    nameItemAfterLabel(IDC_EDITOR_URL, IDC_EDITOR_URL_LABEL);
    nameItemAfterLabel(IDC_EDITOR_PIN, IDC_EDITOR_PIN_LABEL);
    nameItem(IDC_EDITOR_LIST, kListNameForReaders);
}

void EntryEditor::lockWithoutPin() {
    appMessageBox(kNoPinMessage, kMbOk); // before the editor shows
    for (int id : kLockedControls)
        enableItem(id, false);
}

void EntryEditor::fillEntryList() {
    int32_t rows = entryTable.count;
    list_.beginFill(rows, static_cast<std::size_t>(rows) * sizeof(EntryRecord::name));
    for (int32_t i = 0; i < rows; ++i)
        list_.append(entryTable.records[i].name); // row i is entry i
    list_.endFill();
    setFields("", "", "", "");
    updateEditorButtons();
}

// Each change notification re-evaluates the buttons, as typing would.
void EntryEditor::setFields(const char* name, const char* id, const char* password,
                            const char* url) {
    name_.setText(name);
    id_.setText(id);
    password_.setText(password);
    url_.setText(url);
}

void EntryEditor::updateEditorButtons() {
    char pin[sizeof loginPin];
    char name[sizeof(EntryRecord::name)], id[sizeof(EntryRecord::id)],
        password[sizeof(EntryRecord::password)];
    pin_.getText(pin, sizeof pin);
    name_.getText(name, sizeof name);
    id_.getText(id, sizeof id);
    password_.getText(password, sizeof password);
    EditorButtons buttons = editorButtons(pin, name, id, password, list_.selection() >= 0);
    enableItem(IDC_EDITOR_CHANGE_PIN, buttons.changePin);
    enableItem(IDC_EDITOR_REGISTER, buttons.registerEntry);
    enableItem(IDC_EDITOR_CLEAR, buttons.clear);
    enableItem(IDC_EDITOR_DELETE, buttons.remove);
}

void EntryEditor::onShowSelectedEntry() {
    int row = list_.selection();
    if (row < 0 || row >= entryTable.count)
        return;
    const EntryRecord& entry = entryTable.records[row];
    setFields(entry.name, entry.id, entry.password, entry.url);
}

void EntryEditor::onClearClicked() {
    setFields("", "", "", "");
    fillEntryList();
}

void EntryEditor::onUnusableCharacter() {
    appMessageBox(kUnusableCharacters, kMbOk);
}

void EntryEditor::onRegisterClicked() {
    char name[sizeof(EntryRecord::name)], id[sizeof(EntryRecord::id)],
        password[sizeof(EntryRecord::password)], url[sizeof(EntryRecord::url)];
    bool storable = name_.getText(name, sizeof name);
    storable = id_.getText(id, sizeof id) && storable;
    storable = password_.getText(password, sizeof password) && storable;
    // So at most 127 bytes of a web address are kept.
    storable = url_.getText(url, sizeof url) && storable;
    if (!storable) { // text set from outside the keyboard can still hold one
        onUnusableCharacter();
        return;
    }

    int found = findEntryByName(name);
    if (found < 0) {
        addEntry(name, id, password, url);
    } else if (appMessageBox(kOverwriteQuestion, kMbYesNo) == kIdYes) {
        overwriteEntry(found, id, password, url); // keeps its row until the next load sorts
    }
    saveEntryList();
    fillEntryList();
}

// The List file is rewritten in every case, also when nothing was deleted (deleteEntry saves it
// itself).
void EntryEditor::onDeleteClicked() {
    int row = list_.selection();
    if (confirmDelete(row))
        deleteEntry(row);
    else
        saveEntryList();
    fillEntryList();
}

bool EntryEditor::confirmDelete(int row) {
    if (row < 0 || row >= entryTable.count)
        return false;
    char rowName[sizeof(EntryRecord::name)];
    list_.rowText(row, rowName, sizeof rowName);
    const char* name = entryTable.records[row].name;
    if (std::strcmp(rowName, name) != 0)
        return false; // the list and the table disagree: delete nothing, say nothing
    char question[kQuestionBytes];
    formatDeleteQuestion(question, sizeof question, name);
    return appMessageBox(question, kMbYesNo) == kIdYes;
}

void EntryEditor::onChangeClicked() {
    // Only a clear Yes changes the PIN: Escape or closing the question must not.
    if (appMessageBox(kChangePinQuestion, kMbYesNo) != kIdYes)
        return;
    char pin[sizeof loginPin];
    pin_.getText(pin, sizeof pin);
    if (changePin(pin) != 0)
        pin_.setText(setupRecord.storedPin); // the PIN that is still on the disk
    else if (list_.count() != entryTable.count)
        fillEntryList(); // the new PIN brought back entries the List file held under it
    updateEditorButtons();
}

HBRUSH EntryEditor::OnCtlColor(HDC dc, HWND control, int kind) {
    HBRUSH brush = Dialog::OnCtlColor(dc, control, kind);
    int id = GetDlgCtrlID(control);
    if (id == IDC_EDITOR_LIST)
        brush = paintAs(dc, Painted::List);
    else if (id == IDC_EDITOR_PIN_NOTE)
        brush = paintAs(dc, Painted::PinNote);
    else if (onDialogBackground(id))
        brush = paintAs(dc, Painted::DialogFace);
    if (kind == kCtlColorDialog)
        brush = paintAs(dc, Painted::DialogFace);
    return brush;
}

#include "core/entry_editor_rules.h"

#include <cstring>

#include "core/entry_store.h"
#include "core/text.h"

namespace {
std::size_t leadingDigits(const char* text) {
    std::size_t n = 0;
    while (text[n] >= '0' && text[n] <= '9')
        ++n;
    return n;
}
} // namespace

EditorButtons editorButtons(const char* pinText, const char* name, const char* id,
                            const char* password, bool rowSelected) {
    EditorButtons buttons{};
    buttons.changePin =
        std::strcmp(pinText, setupRecord.storedPin) != 0 && leadingDigits(pinText) == kPinLength;
    buttons.registerEntry = name[0] != '\0' && (id[0] != '\0' || password[0] != '\0');
    buttons.clear = name[0] != '\0' || id[0] != '\0' || password[0] != '\0';
    buttons.remove = rowSelected;
    return buttons;
}

int findEntryByName(const char* name) {
    for (int32_t i = 0; i < entryTable.count; ++i)
        if (std::strcmp(entryTable.records[i].name, name) == 0)
            return static_cast<int>(i);
    return -1;
}

void formatDeleteQuestion(char* buffer, std::size_t size, const char* name) {
    formatText(buffer, size, "[%s]%s", name, " を削除します。\nよろしいですか？");
}

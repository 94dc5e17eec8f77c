// The entry editor's decisions that need no window: which buttons may be pressed, which entry a
// name names, and the delete question.
#pragma once

#include <cstddef>

struct EditorButtons {
    bool changePin;
    bool registerEntry;
    bool clear;
    bool remove;
};

// Change: four leading digits that are not the stored PIN. Register: a name with an ID or a
// password. Clear: any of name, ID, password. Delete: a selected row. The web address counts
// for none of them.
EditorButtons editorButtons(const char* pinText, const char* name, const char* id,
                            const char* password, bool rowSelected);

// The first entry whose name equals name byte for byte, or -1.
int findEntryByName(const char* name);

// "[name] を削除します。\nよろしいですか？"; a name of up to 87 bytes fits whole.
void formatDeleteQuestion(char* buffer, std::size_t size, const char* name);

constexpr std::size_t kQuestionBytes = 128;

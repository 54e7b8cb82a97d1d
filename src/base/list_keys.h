#pragma once
// Small helpers shared by the list pages for turning keys into commands.

#include "base/commands.h"
#include "base/page_input.h"

namespace vesko {

// The keys every list page reads the same way: Delete, the keypad's decimal point and
// Ctrl+D delete; F3 and Ctrl+F search.
inline bool IsDeleteKey(const KeyPress& key) {
    return key.key == PageKey::Delete || key.key == PageKey::KeypadDecimal ||
           (key.ctrl && key.key == PageKey::LetterD);
}

inline bool IsSearchKey(const KeyPress& key) {
    return key.key == PageKey::F3 || (key.ctrl && key.key == PageKey::LetterF);
}

// Ctrl+O opens a folder and Ctrl+S saves from every list; 0 for any other key.
inline int FileShortcutCommand(const KeyPress& key) {
    if (key.ctrl && key.key == PageKey::LetterO) {
        return kCmdOpenFolder;
    }
    if (key.ctrl && key.key == PageKey::LetterS) {
        return kCmdToolbarSave;
    }
    return 0;
}

}  // namespace vesko

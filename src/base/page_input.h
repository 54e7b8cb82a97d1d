#pragma once
// Keys and context menus of the pages, in a form the window system can show:
// the pages decide which command a key raises and which menu a right click shows.

#include <string>
#include <string_view>
#include <vector>

namespace vesko {

// Keys a page reacts to (the front end translates its own key codes into these).
enum class PageKey {
    Other,
    Enter,
    Escape,
    Insert,
    Delete,
    KeypadDecimal,
    Plus,   // keypad plus or the main keyboard's =/+ key
    Minus,  // keypad minus or the main keyboard's minus key
    Up,
    Down,
    PageUp,
    PageDown,
    F3,
    LetterD,
    LetterF,
    LetterO,
    LetterS,
    DoubleClick,  // a double-click on the list, looked up like a key
};

struct KeyPress {
    PageKey key = PageKey::Other;
    bool ctrl = false;

    friend bool operator==(const KeyPress&, const KeyPress&) = default;
};

struct MenuEntry {
    std::u16string text;  // empty for a separator
    int command = 0;
    bool greyed = false;
    std::string_view name = {};  // the command's name (the menu item's object name)
};

using ContextMenu = std::vector<MenuEntry>;

}  // namespace vesko

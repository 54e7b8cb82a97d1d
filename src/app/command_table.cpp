#include "app/command_table.h"

#include <algorithm>

namespace vesko {

bool SelectionMeets(SelectionNeed need, int selectedCount) {
    switch (need) {
        case SelectionNeed::Any:
            return true;
        case SelectionNeed::None:
            return selectedCount == 0;
        case SelectionNeed::One:
            return selectedCount == 1;
        case SelectionNeed::Several:
            return selectedCount > 1;
        case SelectionNeed::AtLeastOne:
            return selectedCount > 0;
    }
    return false;
}

std::u16string CountedText(std::u16string_view verb, int count, std::u16string_view one,
                           std::u16string_view many, std::u16string_view tail) {
    const std::string digits = std::to_string(count);
    std::u16string text(verb);
    text += (verb.empty() ? u"" : u" ") + std::u16string(digits.begin(), digits.end()) + u" ";
    text += count == 1 ? one : many;
    text += tail;
    return text;
}

namespace {

// "Move Up    +" -> "Move Up", "&Open..." -> "Open": the words of an entry without
// its mnemonic, its dots and the key hint at its end.
std::u16string EntryWords(std::u16string_view text) {
    std::vector<std::u16string> words;
    std::u16string word;
    const auto flush = [&] {
        if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    };
    for (const char16_t c : text) {
        if (c == u' ') {
            flush();
        } else if (c != u'&') {
            word += c;
        }
    }
    flush();
    const auto isHint = [](const std::u16string& w) {
        return w == u"+" || w == u"-" ||
               (w.size() >= 2 && w[0] == u'F' && w[1] >= u'0' && w[1] <= u'9');
    };
    while (!words.empty() && isHint(words.back())) {
        words.pop_back();
    }
    std::u16string joined;
    for (const std::u16string& w : words) {
        joined += (joined.empty() ? u"" : u" ") + w;
    }
    while (joined.ends_with(u".")) {
        joined.pop_back();
    }
    return joined;
}

}  // namespace

std::u16string CommandTable::StepText(int number) const {
    const CommandRow* row = Find(number);
    if (!row) {
        return {};
    }
    if (row->describe) {
        return row->describe();
    }
    if (!row->menuText.empty()) {
        return EntryWords(row->menuText);
    }
    for (const ContextMenuDef& menu : m_menus) {
        for (const MenuEntry& entry : menu.entries) {
            if (entry.command == number && !entry.text.empty()) {
                return EntryWords(entry.text);
            }
        }
    }
    return u"Change";
}

void CommandTable::Add(CommandRow row) {
    m_rows.push_back(std::move(row));
}

void CommandTable::AddContextMenu(ContextMenuDef menu) {
    m_menus.push_back(std::move(menu));
}

const CommandRow* CommandTable::Find(int number) const {
    const auto found = std::find_if(m_rows.begin(), m_rows.end(), [number](const CommandRow& row) {
        return row.number == number;
    });
    return found == m_rows.end() ? nullptr : &*found;
}

const CommandRow* CommandTable::FindByName(std::string_view name) const {
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [name](const CommandRow& row) { return row.name == name; });
    return found == m_rows.end() ? nullptr : &*found;
}

bool CommandTable::IsEnabled(int number) const {
    const CommandRow* row = Find(number);
    return row && row->run && (!row->enabled || row->enabled());
}

// A page's own inputs come before the ones every list shares, so that a page could
// give a shared key a meaning of its own.
int CommandTable::CommandForInput(PageTab page, int list, const KeyPress& key,
                                  int selectedCount) const {
    const auto matches = [&](const CommandRow& row, bool own) {
        for (const ListInput& input : row.inputs) {
            const bool where =
                own ? row.page == page && input.list == list : input.list == ListInput::kEveryList;
            if (where && input.key == key && SelectionMeets(input.need, selectedCount)) {
                return true;
            }
        }
        return false;
    };
    for (const bool own : {true, false}) {
        for (const CommandRow& row : m_rows) {
            if (matches(row, own)) {
                return row.number;
            }
        }
    }
    return 0;
}

ContextMenu CommandTable::ContextMenuFor(PageTab page, int list, int selectedCount) const {
    for (const ContextMenuDef& menu : m_menus) {
        if (menu.page != page || menu.list != list || !SelectionMeets(menu.when, selectedCount)) {
            continue;
        }
        ContextMenu entries = menu.entries;
        for (MenuEntry& entry : entries) {
            if (const CommandRow* row = Find(entry.command)) {
                entry.name = row->name;
            }
            if (entry.command != 0 && !entry.greyed) {
                entry.greyed = !IsEnabled(entry.command);
            }
        }
        return entries;
    }
    return {};
}

}  // namespace vesko

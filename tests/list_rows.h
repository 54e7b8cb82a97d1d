#pragma once
// What tests read off a list or a favourites file, and how they select rows.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "controls/drag_list_ctrl.h"
#include "xml/xml_doc.h"

namespace vesko::testing {

// The texts of one column, top to bottom.
inline std::vector<std::u16string> Column(const CDragListCtrl& list, int column) {
    std::vector<std::u16string> texts;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        texts.push_back(list.GetItemText(row, column));
    }
    return texts;
}

// The selected rows, top to bottom.
inline std::vector<int> Selected(const CDragListCtrl& list) {
    std::vector<int> rows;
    for (int row = list.GetNextSelected(); row >= 0; row = list.GetNextSelected(row)) {
        rows.push_back(row);
    }
    return rows;
}

// These rows, and no others, become the selection.
inline void Select(CDragListCtrl& list, std::initializer_list<int> rows) {
    list.ClearSelection();
    for (const int row : rows) {
        list.SetSelected(row, true);
    }
}

// Names and member keys of the groups of a favourites file, in file order.
struct FavouriteGroup {
    std::u16string name;
    std::vector<std::u16string> keys;
    bool operator==(const FavouriteGroup&) const = default;
};

inline std::vector<FavouriteGroup> FavouriteGroups(const std::filesystem::path& file) {
    CXmlDoc doc;
    doc.Load(file);
    std::vector<FavouriteGroup> groups;
    while (doc.FindChildElement(u"fav")) {
        doc.IntoElement();
        FavouriteGroup& group = groups.emplace_back();
        group.name = doc.GetAttribute(u"name");
        while (doc.FindChildElement(u"prog")) {
            doc.IntoElement();
            group.keys.push_back(doc.GetAttribute(u"service_key"));
            doc.OutOfElement();
        }
        doc.OutOfElement();
    }
    return groups;
}

}  // namespace vesko::testing

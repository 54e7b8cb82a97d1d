#pragma once
// CFavRenameDlg: the form of the "FAV Group Rename" dialog. It edits the name of the
// selected group of a favourites page and gives the new name to both favourites
// files. The TV variant takes at most 50 typed characters; a longer name stored in the
// file is shown whole and kept whole unless the user changes it.

#include <string>
#include <string_view>

#include "base/platform.h"

namespace vesko {

class CFavPage;

class CFavRenameDlg : public CDialogForm {
public:
    static constexpr std::u16string_view kTitle = u"FAV Group Rename";
    static constexpr int kTvNameLimit = 50;
    static constexpr std::u16string_view kNameTooLong = u"Please enter no more than 50 characters.";

    explicit CFavRenameDlg(Platform& platform) : m_platform(&platform) {}

    // True for the Fav Tv page's variant.
    bool IsTvVariant() const;
    // Typing stops at this many characters; 0 for no limit.
    int NameLimit() const { return IsTvVariant() ? kTvNameLimit : 0; }

    // Reads the name of the page's selected group (the variant's starting name when no
    // group is selected).
    void Open();
    // Discards what was typed: the stored name again.
    void Reset() { Open(); }
    // Writes the name into the page's file and every name into the partner file. False,
    // after telling the user, when a changed name is longer than the limit: the dialog
    // then stays open and nothing is written.
    bool Ok();

    CFavPage* m_page = nullptr;  // set by the main window before the dialog runs
    int m_group = -1;            // the group being renamed
    std::u16string m_name;

private:
    Platform* m_platform;
    std::u16string m_storedName;  // as read: a name left as it was is never refused
};

}  // namespace vesko

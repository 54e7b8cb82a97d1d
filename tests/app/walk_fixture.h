#pragma once
// The editor on a fresh copy of the demo, driven the way a user drives it: every list
// has a selection, the favourites pages show a group with a few services, the Sat Tp
// page a satellite with a few transponders. Observed() is everything the user can see
// of the editor and the disk, so that a test can tell whether a command did anything.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/about_form.h"
#include "app/dialog_users.h"
#include "app/editor_dlg.h"
#include "app/history_form.h"
#include "controls/drag_list_ctrl.h"
#include "database/schema.h"
#include "fake_platform.h"
#include "pages/favourites/fav_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/search/search_dlg.h"
#include "temp_dir.h"

namespace vesko::testing {

struct EditorOnDemo : ::testing::Test {
    TempDir work{true};
    TempDir scratch;
    FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};
    std::filesystem::path folder = scratch.Path() / "demo";
    std::vector<std::string> shownDialogs;  // dialogs that only show something

    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(VESKO_SOURCE_DIR) / "examples/demo", folder);
        platform.runDialog = [this](CDialogForm& form) { return UseDialog(form); };
    }

    // The test user: changes something in every dialog and confirms it; a search picks
    // the last row of the list it searches.
    bool UseDialog(CDialogForm& form) {
        if (dynamic_cast<CAboutDlg*>(&form) || dynamic_cast<CHistoryDlg*>(&form)) {
            shownDialogs.push_back(typeid(form).name());
            return true;
        }
        if (auto* search = dynamic_cast<CSearchDlg*>(&form)) {
            const CDragListCtrl& list = *search->m_list;
            search->SetText(
                list.GetItemText(list.GetItemCount() - 1, search->Traits().matchedColumn));
            return search->Ok(search->Results().GetItemCount() - 1);
        }
        const auto user = DialogUsers().find(typeid(form));
        EXPECT_NE(user, DialogUsers().end()) << "no test user for " << typeid(form).name();
        return user != DialogUsers().end() && user->second(form);
    }

    // A fresh open of the demo, with the second row of every list selected.
    void OpenFresh() {
        platform.answers.push_back(MessageAnswer::No);  // in case the last step changed data
        ASSERT_TRUE(editor.OpenDroppedFolder(folder));
        platform.answers.clear();
        platform.messages.clear();
        for (const PageTab tab : {PageTab::FavTv, PageTab::FavRadio}) {
            auto& page = editor.Page<CFavPage>(tab);
            for (int group = 0; group < page.GroupList().GetItemCount(); ++group) {
                page.FillGroupServices(group);
                if (page.ServiceList().GetItemCount() >= 5) {
                    page.m_currentGroup = group;
                    break;
                }
            }
        }
        auto& satTp = editor.Page<CTransponderPage>(PageTab::SatTp);
        for (int satellite = 0; satTp.TransponderList().GetItemCount() < 5; ++satellite) {
            satTp.SelectSatellite(satellite);
        }
        for (const auto& page : editor.Pages()) {
            for (CDragListCtrl* list : page->Lists()) {
                list->ClearSelection();
                list->SetSelected(std::min(1, list->GetItemCount() - 1), true);
            }
        }
        ASSERT_FALSE(editor.HasUnsavedChanges());
    }

    // Rows 1 to n of a list become its selection.
    void SelectRows(PageTab tab, int list, int n) {
        CDragListCtrl& rows = *editor.PageAt(tab).Lists()[static_cast<std::size_t>(list)];
        rows.ClearSelection();
        for (int row = 1; row <= n; ++row) {
            rows.SetSelected(row, true);
        }
    }

    std::string Observed() {
        std::ostringstream out;
        for (const auto& page : editor.Pages()) {
            for (const int choice : page->SaveViewState().choices) {
                out << choice << ',';
            }
            for (const CDragListCtrl* list : page->Lists()) {
                out << ListText(*list, true);
            }
        }
        const auto bytes = [&out](const std::filesystem::path& file) {
            std::error_code error;
            const auto written = std::filesystem::last_write_time(file, error);
            out << file.filename() << written.time_since_epoch().count() << ReadBytes(file);
        };
        const auto files = [&](const auto& table) {
            for (const DatabaseFile& file : table) {
                bytes(work / file.workingCopy);
                bytes(folder / file.fileName);
            }
        };
        files(kRequiredFiles);
        files(kOptionalFiles);
        out << platform.messages.size() << ',' << platform.chooserTitles.size() << ','
            << platform.fileFilters.size() << ',' << platform.openedUrls.size() << ','
            << platform.endedWith << ',' << shownDialogs.size();
        return out.str();
    }

    // The rows of a list: texts and images, and (when asked) selection and focus.
    static std::string ListText(const CDragListCtrl& list, bool withState) {
        std::ostringstream out;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            for (int column = 0; column < list.GetColumnCount(); ++column) {
                const std::u16string& text = list.GetItemText(row, column);
                for (const char16_t c : text) {
                    if (c < 0x80) {
                        out << static_cast<char>(c);
                    } else {
                        out << "\\u" << std::hex << static_cast<int>(c) << std::dec;
                    }
                }
                out << '|' << list.GetItemImage(row, column) << '|';
            }
            if (withState) {
                out << list.IsSelected(row) << list.IsFocused(row);
            }
            out << '\n';
        }
        return out.str();
    }
};

}  // namespace vesko::testing

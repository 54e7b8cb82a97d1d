// What the user sees is what the files hold: a long random sequence of commands, clicks,
// drags and buttons over every page of the demo, and after each step every page's lists
// equal those of the same page freshly reloaded from the working copies, showing the
// same group, satellite, tuner and transponder.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "app/walk_fixture.h"
#include "base/commands.h"
#include "pages/satellites/satellite_page.h"

namespace vesko {
namespace {

using testing::EditorOnDemo;

#ifdef VESKO_SANITIZED
constexpr int kSteps = 300;
#else
constexpr int kSteps = 2000;
#endif

struct PageConsistencyTest : EditorOnDemo {
    testing::FakePlatform mirrorPlatform;
    MemorySettings mirrorSettings;
    CEditorDlg mirror{mirrorPlatform, mirrorSettings};  // reloads from the same copies
    std::mt19937 random{20261209};

    int Pick(int count) {
        return count <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(count));
    }

    // A stale row names the page, the list and the first row that differs.
    std::string StalePage() {
        for (const auto& page : editor.Pages()) {
            if (page->Lists().empty()) {
                continue;
            }
            page->BringUpToDate();  // the user looks at every page in turn
            CPage& fresh = mirror.PageAt(page->Tab());
            fresh.PrepareForReload();
            fresh.Reload();
            fresh.RestoreViewState(page->SaveViewState());
            const auto shown = page->Lists();
            const auto reloaded = fresh.Lists();
            for (std::size_t list = 0; list < shown.size(); ++list) {
                const std::string a = ListText(*shown[list], false);
                const std::string b = ListText(*reloaded[list], false);
                if (a != b) {
                    return std::to_string(static_cast<int>(page->Tab())) + "/" +
                           std::to_string(list) + FirstDifference(a, b);
                }
            }
        }
        return {};
    }

    // The first row that differs between two list texts, and the row counts.
    static std::string FirstDifference(const std::string& shown, const std::string& held) {
        std::istringstream a(shown);
        std::istringstream b(held);
        std::string rowA;
        std::string rowB;
        for (int row = 0;; ++row) {
            const bool moreA = static_cast<bool>(std::getline(a, rowA));
            const bool moreB = static_cast<bool>(std::getline(b, rowB));
            if (!moreA && !moreB) {
                return {};
            }
            if (rowA != rowB || moreA != moreB) {
                return " row " + std::to_string(row) + " shows [" + (moreA ? rowA : "") +
                       "] but the file holds [" + (moreB ? rowB : "") + "]";
            }
        }
    }

    void SelectRandomly(CDragListCtrl& list) {
        const int count = list.GetItemCount();
        list.ClearSelection();
        const int first = Pick(count + 1) - 1;  // sometimes nothing
        for (int n = Pick(4); first >= 0 && n >= 0; --n) {
            list.SetSelected(std::min(first + n, count - 1), true);
        }
    }

    // One thing a user does; returns what it was, for the failure message.
    std::string Step(const std::vector<int>& commands) {
        CPage& page = *editor.Pages()[static_cast<std::size_t>(Pick(8))];
        const std::vector<CDragListCtrl*> lists = page.Lists();
        const int listIndex = Pick(static_cast<int>(lists.size()));
        CDragListCtrl& list = *lists[static_cast<std::size_t>(listIndex)];
        const std::string where = std::to_string(static_cast<int>(page.Tab()));
        switch (Pick(6)) {
            case 0:
            case 1: {
                for (CDragListCtrl* each : lists) {
                    SelectRandomly(*each);
                }
                const int command =
                    commands[static_cast<std::size_t>(Pick(static_cast<int>(commands.size())))];
                editor.OnCommand(command);
                return "command " + std::to_string(command);
            }
            case 2:  // a click
                SelectRandomly(list);
                editor.RunPageAction([&list] { list.OnLeftButtonUp(); });
                return "click on " + where;
            case 3: {  // a drag of the selected rows below another row
                SelectRandomly(list);
                if (list.GetSelectedCount() == 0 || !page.CanReorder(listIndex)) {
                    return "nothing";
                }
                list.BeginDrag();
                list.OnDragMove(Pick(list.GetItemCount()), 0);
                editor.RunPageAction([&list] { list.OnLeftButtonUp(); });
                return "drag on " + where;
            }
            case 4: {  // the page's buttons
                if (auto* satellites = dynamic_cast<CSatellitePage*>(&page)) {
                    Pick(2) ? satellites->CycleTuner(platform) : satellites->ToggleServiceKind();
                } else if (auto* transponders = dynamic_cast<CTransponderPage*>(&page)) {
                    const int choice = Pick(3);
                    if (choice == 0) {
                        transponders->ToggleServiceKind();
                    } else if (choice == 1 && transponders->Traits().hasSatelliteChoice) {
                        transponders->SelectSatellite(
                            Pick(static_cast<int>(transponders->SatelliteChoice().size())));
                    } else {
                        editor.RunPageAction([transponders] {
                            transponders->RewriteInListOrder(transponders->CurrentSatIndex());
                        });
                    }
                } else if (auto* favourites = dynamic_cast<CFavPage*>(&page)) {
                    favourites->OnGroupArrow(Pick(2) ? 1 : -1);
                }
                return "button on " + where;
            }
            default:
                editor.OnCommand(Pick(2) ? kCmdUndo : kCmdRedo);
                return "undo or redo";
        }
    }
};

TEST_F(PageConsistencyTest, EveryPageShowsWhatTheFilesHoldAfterEveryStep) {
    std::vector<int> commands;
    for (const CommandRow& row : editor.Commands().Rows()) {
        if (row.page && row.run) {
            commands.push_back(row.number);
        }
    }
    OpenFresh();
    // The test user confirms a changed dialog or cancels it, at random.
    platform.runDialog = [this](CDialogForm& form) { return Pick(4) != 0 && UseDialog(form); };
    std::string last;
    for (int step = 0; step < kSteps; ++step) {
        const std::string done = Step(commands);
        const std::string stale = StalePage();
        ASSERT_EQ(stale, "") << "step " << step << ": " << done << " (before: " << last << ")";
        last = done;
        if (step % 500 == 499) {
            OpenFresh();  // a fresh demo now and then keeps the lists from running dry
        }
    }
}

}  // namespace
}  // namespace vesko

#pragma once
// The harness of bench/commands: a large generated database made into working copies
// once, restored before every run, and each command timed against its floor (one
// CXmlDoc Load plus one Save of every file it touches). Each page family brings its
// cases in a file of its own (service_bench.cpp, ...); main lists them.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/editor_dlg.h"

namespace vesko::bench {

struct BenchCase {
    std::string name;
    std::vector<const char*> touches;               // working copies the command writes
    std::function<void(CEditorDlg&)> prepare = {};  // not timed: reload, select, ...
    std::function<void(CEditorDlg&)> run;           // timed
};

// The Platform of the benchmarks: message boxes answer OK, dialogs run through the
// case's own `dialog` (set by a case before it runs), choosers return nothing.
class BenchPlatform : public Platform {
public:
    MessageAnswer ShowMessage(std::u16string_view, std::u16string_view, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    std::filesystem::path ChooseFolder(std::u16string_view, const std::filesystem::path&) override {
        return {};
    }
    std::filesystem::path ChooseFile(std::u16string_view, const std::filesystem::path&) override {
        return {};
    }
    bool RunDialog(CDialogForm& form) override { return dialog ? dialog(form) : false; }
    void OpenUrl(std::u16string_view) override {}
    void EndProcess(int) override {}

    std::function<bool(CDialogForm&)> dialog;
};

// Selects `count` rows of a list, `step` apart, from `first` on.
void SelectRows(CDragListCtrl& list, int first, int count, int step);

// Working copies made from a database folder the way an open makes them, in `copies`.
void MakeWorkingCopies(const std::filesystem::path& database, const std::filesystem::path& copies);
// Copies every file of `copies` into the current (working) folder.
void RestoreWorkingCopies(const std::filesystem::path& copies);

// The cases of each page family.
std::vector<BenchCase> ServiceCases(BenchPlatform& platform);
std::vector<BenchCase> FavouriteCases(BenchPlatform& platform);
std::vector<BenchCase> IconCases(BenchPlatform& platform);
std::vector<BenchCase> SatelliteCases(BenchPlatform& platform);
// Applying a reference order: the working copies become a rescan of the database in
// `database`, which is the reference.
std::vector<BenchCase> OrderCases(const std::filesystem::path& database);

}  // namespace vesko::bench

// Applying a reference order on 10,000 TV services: the working copies are a rescan of
// the large database, the large database is the reference. The command reads the
// reference and the open database, matches every service by its identity, and rewrites
// both service files and both favourites files; once as the dialog proposes it, once
// with lock and skip copied as well.

#include <cstdio>
#include <memory>

#include "command_bench.h"
#include "database/schema.h"
#include "database/working_copies.h"
#include "pages/order/reference_order.h"
#include "rescan.h"

namespace vesko::bench {

namespace {

BenchCase ApplyCase(const char* name, const std::filesystem::path& database,
                    const std::filesystem::path& rescanCopies, bool copyLockAndSkip) {
    return {name,
            {kTvProgWork, kRadioProgWork, kTvFavWork, kRadioFavWork},
            [rescanCopies](CEditorDlg&) {
                RestoreWorkingCopies(rescanCopies);
                // Copies put back behind the engine's back: each run writes them for real.
                WorkingCopies::Current().Reset();
            },
            [database, copyLockAndSkip](CEditorDlg&) {
                auto reference = std::make_unique<ReferenceDatabase>();
                std::u16string problem;
                if (!ReadReferenceDatabase(database, *reference, problem))
                    return;
                ReferenceOrder order(std::move(reference));
                order.Apply(copyLockAndSkip);
            }};
}

}  // namespace

std::vector<BenchCase> OrderCases(const std::filesystem::path& database) {
    const std::filesystem::path root = database.parent_path();
    const std::filesystem::path rescan = root / "rescan";
    const std::filesystem::path rescanCopies = root / "rescan-copies";
    if (!GenerateRescan(database, rescan)) {
        std::fprintf(stderr, "could not write the rescan of %s\n", database.c_str());
        return {};
    }
    MakeWorkingCopies(rescan, rescanCopies);
    return {
        ApplyCase("apply a reference order (10,000 services)", database, rescanCopies, false),
        ApplyCase("... with lock and skip copied", database, rescanCopies, true),
    };
}

}  // namespace vesko::bench

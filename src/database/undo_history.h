#pragma once
// Undo and redo over the working copies. Every command that changed copies leaves one
// step: for each copy it changed, the bytes before and after it. A step keeps only the
// part of a file that differs (a delete of three services in a 3 MB file keeps those
// three records, not two copies of the file), and the history is bounded by a number
// of steps and by the bytes it holds, oldest steps going first.
//
// Moving through the history writes the copies back through WorkingCopies, inside the
// caller's unit, so that a failed write puts every copy of the step back as it was;
// only when the unit stood does the caller move the history on (Moved).

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_result.h"
#include "database/working_copies.h"

namespace vesko {

enum class HistoryMove { Undo, Redo };

class UndoHistory {
public:
    static constexpr std::size_t kDefaultSteps = 100;
    static constexpr std::size_t kDefaultBytes = std::size_t{128} << 20;

    // How many steps and how many bytes of file differences are kept (at least the
    // newest step is always kept, whatever its size).
    void SetLimits(std::size_t steps, std::size_t bytes);
    void Clear();

    // A command's changes under its description ("Delete 3 services"); what could be
    // redone is forgotten. Nothing is recorded for an empty list.
    void Record(std::u16string description, const std::vector<CopyChange>& changes);

    bool CanUndo() const { return m_next > 0; }
    bool CanRedo() const { return m_next < m_steps.size(); }
    // The description of the step Undo or Redo would take (empty when there is none).
    std::u16string_view Description(HistoryMove move) const;
    std::size_t StepCount() const { return m_steps.size(); }
    std::size_t Bytes() const { return m_bytes; }

    // Writes the copies of the step `move` takes as they were before it (Undo) or after
    // it (Redo), through `copies`; `written` gets their names. Every copy is checked
    // first to be as the step expects (FileProblem::Unsupported otherwise, and nothing is
    // written): the history never rebuilds a file from the wrong base.
    FileResult Apply(WorkingCopies& copies, HistoryMove move, std::vector<std::string>& written);
    // After the unit of Apply stood: the step counts as undone or redone.
    void Moved(HistoryMove move);

private:
    // One copy's change: the bytes both versions share at the start and at the end, and
    // what lies between in each (nullopt: the copy did not exist then).
    struct Version {
        std::optional<std::string> middle;
        std::size_t size = 0;
        std::size_t hash = 0;
    };
    struct FileDelta {
        std::string name;
        std::size_t prefix = 0;
        std::size_t suffix = 0;
        Version before;
        Version after;
    };
    struct Step {
        std::u16string description;
        std::vector<FileDelta> files;
        std::size_t bytes = 0;
    };

    static FileDelta MakeDelta(const CopyChange& change);
    void Trim();

    std::deque<Step> m_steps;
    std::size_t m_next = 0;  // steps before it can be undone, the others redone
    std::size_t m_bytes = 0;
    std::size_t m_maxSteps = kDefaultSteps;
    std::size_t m_maxBytes = kDefaultBytes;
};

}  // namespace vesko

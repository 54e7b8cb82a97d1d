#include "database/undo_history.h"

#include <algorithm>
#include <functional>

namespace vesko {

namespace {

std::size_t HashOf(std::string_view bytes) {
    return std::hash<std::string_view>{}(bytes);
}

std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    const std::size_t limit = std::min(a.size(), b.size());
    return static_cast<std::size_t>(
        std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(limit), b.begin()).first -
        a.begin());
}

// The common end, not reaching into the common start of either.
std::size_t CommonSuffix(std::string_view a, std::string_view b, std::size_t prefix) {
    const std::size_t limit = std::min(a.size(), b.size()) - prefix;
    std::size_t n = 0;
    while (n < limit && a[a.size() - 1 - n] == b[b.size() - 1 - n]) {
        ++n;
    }
    return n;
}

}  // namespace

void UndoHistory::SetLimits(std::size_t steps, std::size_t bytes) {
    m_maxSteps = std::max<std::size_t>(steps, 1);
    m_maxBytes = bytes;
    Trim();
}

void UndoHistory::Clear() {
    m_steps.clear();
    m_next = 0;
    m_bytes = 0;
}

UndoHistory::FileDelta UndoHistory::MakeDelta(const CopyChange& change) {
    FileDelta delta;
    delta.name = change.name;
    const std::string_view before = change.before ? std::string_view(*change.before) : "";
    const std::string_view after = change.after ? std::string_view(*change.after) : "";
    if (change.before && change.after) {
        delta.prefix = CommonPrefix(before, after);
        delta.suffix = CommonSuffix(before, after, delta.prefix);
    }
    const auto version = [&delta](const std::optional<std::string>& bytes, std::string_view view) {
        Version v;
        if (bytes) {
            v.middle =
                std::string(view.substr(delta.prefix, view.size() - delta.prefix - delta.suffix));
            v.size = view.size();
            v.hash = HashOf(view);
        }
        return v;
    };
    delta.before = version(change.before, before);
    delta.after = version(change.after, after);
    return delta;
}

void UndoHistory::Record(std::u16string description, const std::vector<CopyChange>& changes) {
    if (changes.empty()) {
        return;
    }
    while (m_steps.size() > m_next) {
        m_bytes -= m_steps.back().bytes;
        m_steps.pop_back();
    }
    Step step;
    step.description = std::move(description);
    for (const CopyChange& change : changes) {
        FileDelta delta = MakeDelta(change);
        step.bytes += (delta.before.middle ? delta.before.middle->size() : 0) +
                      (delta.after.middle ? delta.after.middle->size() : 0);
        step.files.push_back(std::move(delta));
    }
    m_bytes += step.bytes;
    m_steps.push_back(std::move(step));
    m_next = m_steps.size();
    Trim();
}

// The oldest steps go first; the newest one stays even when it alone is over budget.
void UndoHistory::Trim() {
    while (m_steps.size() > 1 && (m_steps.size() > m_maxSteps || m_bytes > m_maxBytes)) {
        if (m_next == 0) {
            // Only redo steps are left before the budget is met: the farthest goes.
            m_bytes -= m_steps.back().bytes;
            m_steps.pop_back();
            continue;
        }
        m_bytes -= m_steps.front().bytes;
        m_steps.pop_front();
        --m_next;
    }
}

std::u16string_view UndoHistory::Description(HistoryMove move) const {
    if (move == HistoryMove::Undo) {
        return CanUndo() ? std::u16string_view(m_steps[m_next - 1].description) : u"";
    }
    return CanRedo() ? std::u16string_view(m_steps[m_next].description) : u"";
}

FileResult UndoHistory::Apply(WorkingCopies& copies, HistoryMove move,
                              std::vector<std::string>& written) {
    written.clear();
    if (move == HistoryMove::Undo ? !CanUndo() : !CanRedo()) {
        return {};
    }
    const Step& step = m_steps[move == HistoryMove::Undo ? m_next - 1 : m_next];
    std::vector<std::optional<std::string>> targets;
    for (const FileDelta& delta : step.files) {
        const Version& from = move == HistoryMove::Undo ? delta.after : delta.before;
        const Version& to = move == HistoryMove::Undo ? delta.before : delta.after;
        std::optional<std::string> now;
        if (FileResult read = copies.ReadBytes(delta.name, now); !read) {
            return read;
        }
        const bool asExpected = now.has_value() == from.middle.has_value() &&
                                (!now || (now->size() == from.size && HashOf(*now) == from.hash));
        if (!asExpected) {
            return FileResult::Failure(FileStep::Check, delta.name,
                                       make_error_code(FileProblem::Unsupported),
                                       u"it is not as the last change left it");
        }
        std::optional<std::string> target;
        if (to.middle) {
            const std::string_view base = now ? std::string_view(*now) : "";
            target = std::string(base.substr(0, delta.prefix));
            *target += *to.middle;
            *target += base.substr(base.size() - delta.suffix);
        }
        targets.push_back(std::move(target));
    }
    for (std::size_t i = 0; i < step.files.size(); ++i) {
        if (FileResult result = copies.WriteBytes(step.files[i].name, targets[i]); !result) {
            return result;
        }
        written.push_back(step.files[i].name);
    }
    return {};
}

void UndoHistory::Moved(HistoryMove move) {
    if (move == HistoryMove::Undo && CanUndo()) {
        --m_next;
    } else if (move == HistoryMove::Redo && CanRedo()) {
        ++m_next;
    }
}

}  // namespace vesko

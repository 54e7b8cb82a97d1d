#pragma once
// "Apply order from another database": after a rescan the receiver's services have new
// keys and the receiver's own order, and the user's favourite groups are gone. A copy
// of the old database serves as the reference: every service of the open database that
// is found there (ServiceMatcher) takes the reference's order, and the favourite groups
// take the reference's names and members. The reference is read through the engine and
// never written.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pages/order/service_matcher.h"
#include "pages/services/service_page.h"
#include "xml/xml_doc.h"

namespace vesko {

// The files of a database folder, as read from it.
struct ReferenceDatabase {
    CXmlDoc sat;
    CXmlDoc terrestrial;  // empty when the folder has no sat_t.xml
    CXmlDoc cable;        // empty when the folder has no sat_c.xml
    CXmlDoc tvProg;
    CXmlDoc radioProg;
    CXmlDoc tvFav;
    CXmlDoc radioFav;
};

// Reads the database in `folder` without writing anything. False, with the reason in
// `problem`, when one of the five required files is missing, unreadable or damaged (a
// damaged reference would hand out a wrong order), or an optional one is there but
// cannot be read.
bool ReadReferenceDatabase(const std::filesystem::path& folder, ReferenceDatabase& reference,
                           std::u16string& problem);

// What applying the reference does to the services and groups of one kind.
struct KindOutcome {
    ServiceKind kind = ServiceKind::Tv;
    // The open database's services in file order and the reference's in its order;
    // the names only of those the result shows (the ones without a match by identity).
    std::vector<ServiceFacts> own;
    std::vector<ServiceFacts> reference;
    std::vector<ServiceMatch> matches;   // per own service
    std::vector<bool> referenceMatched;  // per reference service
    int matched = 0;                     // matched services, those by name included
    int matchedByName = 0;
    // Favourite groups: those at the positions both files have take the reference's
    // name and members; the others are left as they are.
    int ownGroups = 0;
    int referenceGroups = 0;
    int changedGroups = 0;
    int keptEntries = 0;  // own entries of services without a match, kept in their groups
    std::vector<std::u16string> groupsOverLimit;  // names of groups now above 300 members
};

class ReferenceOrder {
public:
    // Reads the open database's working copies and matches their services against the
    // reference's, taking from the reference what Apply needs; nothing is written yet.
    explicit ReferenceOrder(std::unique_ptr<ReferenceDatabase> reference);
    ~ReferenceOrder();
    ReferenceOrder(const ReferenceOrder&) = delete;
    ReferenceOrder& operator=(const ReferenceOrder&) = delete;

    const KindOutcome& Outcome(ServiceKind kind) const;
    // True when applying would change no byte of the working copies (the order and the
    // groups are the reference's already), lock and skip aside.
    bool ChangesNothing() const;

    // Writes the new order of both service files and the rebuilt groups of both
    // favourites files into the working copies; with `copyLockAndSkip` the matched
    // services take the reference's `block` and `bskip` too. Failures are the working
    // copies' (reported by the command's unit).
    void Apply(bool copyLockAndSkip);

private:
    struct Kind;
    std::unique_ptr<Kind> m_tv;
    std::unique_ptr<Kind> m_radio;
};

}  // namespace vesko

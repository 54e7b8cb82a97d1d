#pragma once
// CReferenceOrderDlg: the form of the "Apply order from another database" dialog. It
// shows what the reference would do before anything is written: how many services
// matched, which matched only by name, which have no match on either side, and what
// becomes of the favourite groups; copying lock and skip is the user's choice. OK
// applies the order (ReferenceOrder::Apply); Cancel leaves everything as it was.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"
#include "pages/order/reference_order.h"

namespace vesko {

class CReferenceOrderDlg : public CDialogForm {
public:
    static constexpr std::u16string_view kCaption = u"Apply order from another database";

    // One line of the list under the summary: which case, the service's name and where
    // it is (apart, so that a name written right to left stays whole).
    struct Detail {
        std::u16string what;   // "TV, matched only by name"
        std::u16string name;   // "BBC One"
        std::u16string place;  // "19.2E 10773 H, id 18292"
    };

    CReferenceOrderDlg(std::unique_ptr<ReferenceOrder> plan, std::u16string referenceName);

    // The lines above the list.
    std::u16string Summary() const;
    const std::vector<Detail>& Details() const { return m_details; }
    const ReferenceOrder& Plan() const { return *m_plan; }
    // Writes the order and the groups; true (the dialog closes).
    bool Ok();
    // What Undo calls it: "Apply order of demo".
    std::u16string StepText() const;

    bool m_copyLockAndSkip = false;

private:
    std::unique_ptr<ReferenceOrder> m_plan;
    std::u16string m_referenceName;
    std::vector<Detail> m_details;
};

// Where a service is, as the result shows it: "19.2E 10773 H, id 18292".
std::u16string ServicePlaceText(const ServiceFacts& facts);

}  // namespace vesko

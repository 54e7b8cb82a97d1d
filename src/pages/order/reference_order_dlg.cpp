#include "pages/order/reference_order_dlg.h"

#include <algorithm>

#include "xml/decimal_text.h"

namespace vesko {

namespace {

std::u16string_view KindWord(ServiceKind kind) {
    return kind == ServiceKind::Tv ? u"TV" : u"Radio";
}

std::u16string Counted(int count, std::u16string_view one, std::u16string_view many) {
    return DecimalText(count) + u" " + std::u16string(count == 1 ? one : many);
}

// "10773" for a whole number of MHz, "474.25" otherwise.
std::u16string MegahertzText(long long khz) {
    std::u16string text = DecimalText(khz / 1000);
    if (const long long rest = khz % 1000; rest != 0) {
        std::u16string decimals = DecimalText(1000 + rest).substr(1);
        while (decimals.back() == u'0')
            decimals.pop_back();
        text += u"." + decimals;
    }
    return text;
}

std::u16string KindSummary(const KindOutcome& outcome) {
    const int own = static_cast<int>(outcome.own.size());
    const int reference = static_cast<int>(outcome.reference.size());
    std::u16string text = std::u16string(KindWord(outcome.kind)) + u": " +
                          DecimalText(outcome.matched) + u" of " +
                          Counted(own, u"service", u"services") + u" matched";
    if (outcome.matchedByName > 0)
        text += u" (" + DecimalText(outcome.matchedByName) + u" only by name)";
    text += u"; " + DecimalText(own - outcome.matched) + u" without a match here, " +
            DecimalText(reference - outcome.matched) + u" of the reference's " +
            DecimalText(reference) + u" not here.";
    return text;
}

std::u16string GroupSummary(const KindOutcome& outcome) {
    const int rebuilt = std::min(outcome.ownGroups, outcome.referenceGroups);
    std::u16string text = std::u16string(KindWord(outcome.kind)) + u" favourites: " +
                          Counted(rebuilt, u"group takes", u"groups take") +
                          u" the reference's names and members";
    if (outcome.keptEntries > 0) {
        text += u"; " + Counted(outcome.keptEntries, u"entry of a service without a match stays",
                                u"entries of services without a match stay");
    }
    text += u".";
    if (outcome.ownGroups > outcome.referenceGroups) {
        text += u" Groups " + DecimalText(outcome.referenceGroups + 1) + u" to " +
                DecimalText(outcome.ownGroups) + u" are not in the reference and stay as they are.";
    } else if (outcome.referenceGroups > outcome.ownGroups) {
        text += u" The reference's groups " + DecimalText(outcome.ownGroups + 1) + u" to " +
                DecimalText(outcome.referenceGroups) + u" have no place here and are left out.";
    }
    for (const std::u16string& name : outcome.groupsOverLimit)
        text += u" \"" + name + u"\" will hold more than 300 services.";
    return text;
}

}  // namespace

std::u16string ServicePlaceText(const ServiceFacts& facts) {
    std::u16string text = PositionText(facts.reception);
    if (facts.reception.kind != ReceptionKind::Unknown) {
        if (facts.reception.frequencyKhz) {
            text += u" " + MegahertzText(*facts.reception.frequencyKhz);
            if (facts.reception.polarization != 0)
                text += std::u16string(u" ") + facts.reception.polarization;
        } else {
            text += u", no transponder";
        }
    }
    text += u", id " + (facts.serviceId.empty() ? u"none" : facts.serviceId);
    return text;
}

CReferenceOrderDlg::CReferenceOrderDlg(std::unique_ptr<ReferenceOrder> plan,
                                       std::u16string referenceName)
    : m_plan(std::move(plan)), m_referenceName(std::move(referenceName)) {
    // Matched by name first: those are the ones to look at; then what has no match on
    // either side.
    const auto detail = [this](std::u16string what, const ServiceFacts& facts) {
        m_details.push_back({std::move(what), facts.name.empty() ? u"(no name)" : facts.name,
                             ServicePlaceText(facts)});
    };
    for (const ServiceKind kind : {ServiceKind::Tv, ServiceKind::Radio}) {
        const KindOutcome& outcome = m_plan->Outcome(kind);
        const std::u16string word(KindWord(kind));
        for (size_t k = 0; k < outcome.own.size(); ++k) {
            if (outcome.matches[k].how == MatchKind::Name)
                detail(word + u", matched only by name", outcome.own[k]);
        }
        for (size_t k = 0; k < outcome.own.size(); ++k) {
            if (outcome.matches[k].how == MatchKind::None)
                detail(word + u", no match in the reference", outcome.own[k]);
        }
        for (size_t j = 0; j < outcome.reference.size(); ++j) {
            if (!outcome.referenceMatched[j])
                detail(word + u", only in the reference", outcome.reference[j]);
        }
    }
}

std::u16string CReferenceOrderDlg::Summary() const {
    const KindOutcome& tv = m_plan->Outcome(ServiceKind::Tv);
    const KindOutcome& radio = m_plan->Outcome(ServiceKind::Radio);
    std::u16string text = u"Reference: " + m_referenceName + u"\n" + KindSummary(tv) + u"\n" +
                          KindSummary(radio) + u"\n" + GroupSummary(tv) + u"\n" +
                          GroupSummary(radio) + u"\n";
    text += m_plan->ChangesNothing()
                ? u"The services and groups are in the reference's order already."
                : u"Matched services take the reference's order; the others follow in their "
                  u"own order.";
    return text;
}

bool CReferenceOrderDlg::Ok() {
    m_plan->Apply(m_copyLockAndSkip);
    return true;
}

std::u16string CReferenceOrderDlg::StepText() const {
    return u"Apply order of " + m_referenceName;
}

}  // namespace vesko

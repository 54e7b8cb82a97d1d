// Drag and drop on the service lists: after the list control moved the dragged rows
// into one block, the programme working copy is brought into the order of the list.
//
// The services are moved as the list control moved the rows, by position: each
// element's whole text goes where its row went. A moved service keeps every attribute
// it carries, in its order, and the services that did not move keep their bytes.

#include <string>
#include <utility>
#include <vector>

#include "database/working_copy.h"
#include "pages/services/element_splicer.h"
#include "pages/services/favourite_members.h"
#include "pages/services/service_page.h"
#include "pages/services/service_record.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// The list after the drop shows the file's services in the new order: row k holds the
// service that stood at origins[k]. Anything else means the list and the file went
// apart, and moving elements by position would put the wrong services in place.
bool ListShowsFileRearranged(const CDragListCtrl& list, CXmlDoc& prog,
                             const std::vector<int>& services, const std::vector<int>& origins) {
    if (list.GetItemCount() != static_cast<int>(services.size()) ||
        origins.size() != services.size())
        return false;
    for (size_t row = 0; row < origins.size(); ++row) {
        const int element = services[static_cast<size_t>(origins[row])];
        if (list.GetItemText(static_cast<int>(row), kColSerKey) !=
            AttributeOf(prog, element, u"service_key"))
            return false;
    }
    return true;
}

bool IsIdentity(const std::vector<int>& origins) {
    for (size_t row = 0; row < origins.size(); ++row) {
        if (origins[row] != static_cast<int>(row))
            return false;
    }
    return true;
}

}  // namespace

int CServicePage::ApplyDrop() {
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    return ApplyDrop(prog, RootChildren(prog, u"prog"));
}

// `services` are the `prog` elements of `prog`, which holds the working copy.
int CServicePage::ApplyDrop(CXmlDoc& prog, const std::vector<int>& services) {
    const std::vector<int>& origins = m_list.RowOrigins();
    // No row moved (nothing was selected), or the block went back where it was.
    if (origins.empty() || IsIdentity(origins))
        return 0;
    if (!ListShowsFileRearranged(m_list, prog, services, origins))
        return -1;
    ReplaceDocumentText(prog, RearrangedText(prog, services, origins));
    SaveWorkingCopy(prog, m_traits.progWork);
    return 0;
}

void CServicePage::AfterListEvent() {
    if (!m_list.m_dropped)
        return;
    m_list.m_dropped = false;
    // A release without a drag of rows is a plain click: nothing moved in the list,
    // so nothing is rewritten in the file.
    if (m_list.m_draggedCount == 0)
        return;
    CompleteDrop();
}

void CServicePage::CompleteDrop() {
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const int result = ApplyDrop(prog, RootChildren(prog, u"prog"));
    RenumberRows();
    if (result == -1) {
        Reload();
        const int last = m_list.m_dropIndex - 1;
        for (int row = last; row >= m_list.m_dropIndex - m_list.m_draggedCount && row >= 0; --row) {
            m_list.SetSelected(row, true);
            m_list.SetFocused(row, true);
        }
        m_list.EnsureVisible(last);
    } else {
        // The list control moves texts only; the moved rows get their name and images
        // back from the services now at their positions. (Read after the file has its
        // new text: records read before would sit in the memory the new text reuses.)
        const FavouriteMembers favourites = FavouriteMembers::Load(m_traits.favWork);
        const std::vector<int> services = RootChildren(prog, u"prog");
        m_list.BeginUpdate();
        for (int row = m_list.GetNextSelected(-1); row >= 0; row = m_list.GetNextSelected(row)) {
            ShowNameAndImages(row,
                              row < static_cast<int>(services.size())
                                  ? ReadRecordAt(prog, services[static_cast<size_t>(row)])
                                  : ServiceRecord{},
                              favourites);
        }
        m_list.EndUpdate();
    }
    // The drop is handled; a later release without a drag must not repeat it.
    m_list.m_draggedCount = 0;
}

}  // namespace vesko

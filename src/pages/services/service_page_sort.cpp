// Sorting a service list: the services in scope are put into their new order among the
// places they hold, the file by moving whole element texts (every attribute and byte a
// service has goes with it; a service that stays where it was is not touched), the
// list by moving its rows. Favourites refer to services by key and are not touched.

#include <optional>
#include <string>
#include <vector>

#include "database/working_copy.h"
#include "pages/services/element_splicer.h"
#include "pages/services/name_collator.h"
#include "pages/services/service_page.h"
#include "pages/services/service_sort.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

std::vector<SortFacts> ReadSortFacts(CXmlDoc& prog, const std::vector<int>& services,
                                     const std::vector<int>& places, SortField field) {
    static constexpr std::u16string_view kNames[] = {u"name", u"provider", u"service_id",
                                                     u"sat_key", u"tp_key"};
    static const AttributeNames kRead(kNames);
    std::optional<ReceptionTable> reception;
    if (field == SortField::Satellite)
        reception.emplace(ReceptionTable::FromWorkingCopies());
    std::vector<SortFacts> facts;
    facts.reserve(places.size());
    for (const int place : places) {
        std::u16string values[5];
        ReadAttributes(prog, services[static_cast<size_t>(place)], kRead, values);
        SortFacts& f = facts.emplace_back();
        f.name = std::move(values[0]);
        f.provider = std::move(values[1]);
        f.serviceId = std::move(values[2]);
        if (reception)
            f.reception = reception->Find(values[3], values[4]);
    }
    return facts;
}

}  // namespace

int CServicePage::Sort(const SortChoice& choice) {
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const std::vector<int> services = RootChildren(prog, u"prog");
    const int count = static_cast<int>(services.size());
    // The list shows the file row for row; a list that went apart from it is not
    // sorted by positions that mean other services in the file.
    if (m_list.GetItemCount() != count)
        return 0;
    std::vector<int> places;
    for (int row = 0; row < count; ++row) {
        if (!choice.selectedOnly || m_list.IsSelected(row))
            places.push_back(row);
    }
    if (places.size() < 2)
        return 0;

    const NameCollator collator;
    const std::vector<int> sorted =
        SortedPositions(ReadSortFacts(prog, services, places, choice.field), choice.field,
                        choice.descending, collator);
    std::vector<int> origins(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        origins[static_cast<size_t>(row)] = row;
    bool moved = false;
    for (size_t k = 0; k < places.size(); ++k) {
        const int origin = places[static_cast<size_t>(sorted[k])];
        origins[static_cast<size_t>(places[k])] = origin;
        moved = moved || origin != places[k];
    }
    if (moved) {
        ReplaceDocumentText(prog, RearrangedText(prog, services, origins));
        SaveWorkingCopy(prog, m_traits.progWork);
        MoveRowsTo(origins);
    }
    return static_cast<int>(places.size());
}

// Row k takes what row origins[k] showed; the row number, the selection and the focus
// stay with the places.
void CServicePage::MoveRowsTo(const std::vector<int>& origins) {
    struct Row {
        std::vector<std::u16string> texts;
        std::vector<int> images;
    };
    const int columns = m_list.GetColumnCount();
    std::vector<Row> rows(origins.size());
    for (size_t k = 0; k < origins.size(); ++k) {
        if (origins[k] == static_cast<int>(k))
            continue;
        const int from = origins[k];
        Row& row = rows[static_cast<size_t>(from)];
        for (int column = kColNumber + 1; column < columns; ++column) {
            row.texts.push_back(m_list.GetItemText(from, column));
            row.images.push_back(m_list.GetItemImage(from, column));
        }
    }
    m_list.BeginUpdate();
    for (size_t k = 0; k < origins.size(); ++k) {
        if (origins[k] == static_cast<int>(k))
            continue;
        const Row& row = rows[static_cast<size_t>(origins[k])];
        const int target = static_cast<int>(k);
        for (int column = kColNumber + 1; column < columns; ++column) {
            const size_t c = static_cast<size_t>(column - kColNumber - 1);
            m_list.SetItemText(target, column, row.texts[c]);
            m_list.SetItemImage(target, column, row.images[c]);
        }
    }
    m_list.EndUpdate();
}

}  // namespace vesko

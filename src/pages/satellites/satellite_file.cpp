#include "pages/satellites/satellite_file.h"

#include <algorithm>
#include <array>

#include "controls/drag_list_ctrl.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/satellites/decimal_value.h"
#include "xml/decimal_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// Walks to the n-th child named `name` of the current element and enters it.
bool EnterChild(CXmlDoc& doc, std::u16string_view name, int n) {
    if (n < 0) {
        return false;
    }
    for (int k = 0; doc.FindChildElement(name); ++k) {
        doc.IntoElement();
        if (k == n) {
            return true;
        }
        doc.OutOfElement();
    }
    return false;
}

void ToTop(CXmlDoc& doc) {
    while (doc.OutOfElement()) {
    }
    doc.ResetPosition();
}

}  // namespace

bool EnterSatellite(CXmlDoc& doc, int satIndex) {
    ToTop(doc);
    return EnterChild(doc, u"sat", satIndex);
}

bool EnterTransponder(CXmlDoc& doc, int satIndex, int row) {
    return EnterSatellite(doc, satIndex) && EnterChild(doc, u"transponder", row);
}

std::vector<int> TransponderRecords(CXmlDoc& doc, int satIndex, int* satRecord) {
    std::vector<int> records;
    if (satRecord) {
        *satRecord = 0;
    }
    if (!EnterSatellite(doc, satIndex)) {
        return records;
    }
    if (satRecord) {
        *satRecord = doc.GetCurrentPos();
    }
    ForEachChild(doc, u"transponder", [&](int record) {
        records.push_back(record);
        return true;
    });
    return records;
}

int HighestTransponderKey(CXmlDoc& doc) {
    int highest = 0;
    ToTop(doc);
    ForEachChild(doc, u"sat", [&](int) {
        ForEachChild(doc, u"transponder", [&](int record) {
            highest = std::max(highest, ParseDecimal(AttributeOf(doc, record, u"tp_key")));
            return true;
        });
        return true;
    });
    return highest;
}

void ReadHere(const CXmlDoc& doc, const AttributeReads& reads) {
    for (const auto& [name, value] : reads) {
        *value = doc.GetAttribute(name);
    }
}

void WriteHere(CXmlDoc& doc, const AttributeWrites& writes) {
    for (const auto& [name, value] : writes) {
        doc.SetAttribute(name, value);
    }
}

const char* ProgWorkOf(int kind) {
    return kind == 0 ? kTvProgWork : kind == 1 ? kRadioProgWork : nullptr;
}

const char* FavWorkOf(int kind) {
    return kind == 0 ? kTvFavWork : kind == 1 ? kRadioFavWork : nullptr;
}

void FillServiceRows(CDragListCtrl& list, int kind, std::u16string_view satKey,
                     const std::u16string_view* tpKey) {
    list.BeginUpdate();
    list.DeleteAllItems();
    if (const char* work = ProgWorkOf(kind)) {
        CXmlDoc prog;
        LoadWorkingCopy(prog, work);
        static constexpr std::array<std::u16string_view, 3> kNames{u"sat_key", u"tp_key", u"name"};
        const AttributeNames names(kNames);
        std::array<std::u16string, 3> values;
        int matches = 0;
        for (const int record : RootChildren(prog, u"prog")) {
            ReadAttributes(prog, record, names, values);
            if (values[0] != satKey || (tpKey && values[1] != *tpKey)) {
                continue;
            }
            ++matches;
            const int row = list.InsertItem(list.GetItemCount(), DecimalText(matches));
            list.SetItemText(row, 1, values[2]);
        }
    }
    list.EndUpdate();
}

}  // namespace vesko

#pragma once
// ServiceRecord: the 19 attributes of a service, always read and written in one order.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "database/schema.h"

namespace vesko {

class CXmlDoc;

// Positions of the attributes in a record (the order of kServiceRecordAttributes).
enum ServiceField : int {
    kFieldSatKey = 0,
    kFieldTpKey = 1,
    kFieldServiceKey = 2,
    kFieldServiceId = 5,
    kFieldVideoPid = 7,
    kFieldAudioPid = 8,
    kFieldPcrPid = 9,
    kFieldBlock = 10,
    kFieldBskip = 11,
    kFieldProvider = 15,
    kFieldEncrypt = 16,
    kFieldName = 18,
};

struct ServiceRecord {
    std::array<std::u16string, kServiceRecordAttributes.size()> values;

    const std::u16string& operator[](ServiceField field) const { return values[field]; }
    // The attributes as (name, value) pairs in record order, for writing.
    std::vector<std::pair<std::u16string_view, std::u16string_view>> Attributes() const;
};

// The values of a record as views: of a ServiceRecord, or straight into a document.
struct ServiceView {
    std::array<std::u16string_view, kServiceRecordAttributes.size()> values;

    std::u16string_view operator[](ServiceField field) const { return values[field]; }
};
ServiceView ViewOf(const ServiceRecord& record);

// Room for the values of the shown fields whose references had to be decoded.
using ShownFieldStorage = std::array<std::u16string, 11>;
// The fields a list row shows, of the document's current element, as views into the
// document (or into `storage` where references were decoded); the other fields are
// empty. Nothing is copied for a plain value.
ServiceView ReadShownViews(const CXmlDoc& doc, ShownFieldStorage& storage);

// The record of the document's current element; missing attributes read as "".
ServiceRecord ReadRecordHere(const CXmlDoc& doc);
// The record of the element with record number `record`.
ServiceRecord ReadRecordAt(const CXmlDoc& doc, int record);
// The record of the first `prog` child of the root whose `service_key` equals `key`;
// all values empty when there is none.
ServiceRecord ReadServiceRecord(CXmlDoc& doc, std::u16string_view key);

// ReadServiceRecord for many keys with one walk: the record of the first service with
// each key; keys without a service are left out.
std::unordered_map<std::u16string, ServiceRecord> ReadServiceRecords(
    CXmlDoc& doc, const std::vector<std::u16string>& keys);

}  // namespace vesko

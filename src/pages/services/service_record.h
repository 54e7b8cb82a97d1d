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

// The `prog` children of a service file in file order with their keys, and where the
// first service with each key stands: one walk serves every lookup of a command.
class ServiceFileIndex {
  public:
    explicit ServiceFileIndex(CXmlDoc& doc);

    int Count() const { return static_cast<int>(m_records.size()); }
    int Record(int position) const { return m_records[static_cast<size_t>(position)]; }
    const std::u16string& Key(int position) const { return m_keys[static_cast<size_t>(position)]; }
    // Position of the first service with `key`, -1 when there is none.
    int FirstWithKey(const std::u16string& key) const;
    // How many services carry `key`.
    int CountOfKey(const std::u16string& key) const;

  private:
    std::vector<int> m_records;
    std::vector<std::u16string> m_keys;
    std::unordered_map<std::u16string, std::pair<int, int>> m_byKey;  // first position, count
};

}  // namespace vesko

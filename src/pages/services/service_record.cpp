#include "pages/services/service_record.h"

#include "database/working_copy.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

std::vector<std::pair<std::u16string_view, std::u16string_view>> ServiceRecord::Attributes() const {
    std::vector<std::pair<std::u16string_view, std::u16string_view>> attributes;
    attributes.reserve(values.size());
    for (size_t k = 0; k < values.size(); ++k) {
        attributes.emplace_back(kServiceRecordAttributes[k], values[k]);
    }
    return attributes;
}

namespace {

ServiceRecord ReadRecord(const CXmlDoc& doc, int element) {
    static const AttributeNames kNames(kServiceRecordAttributes);
    ServiceRecord record;
    ReadAttributes(doc, element, kNames, record.values);
    return record;
}

}  // namespace

ServiceRecord ReadRecordHere(const CXmlDoc& doc) {
    return ReadRecord(doc, doc.GetCurrentPos());
}

ServiceView ViewOf(const ServiceRecord& record) {
    ServiceView view;
    for (size_t k = 0; k < record.values.size(); ++k)
        view.values[k] = record.values[k];
    return view;
}

ServiceView ReadShownViews(const CXmlDoc& doc, ShownFieldStorage& storage) {
    static constexpr std::array kShown{
        kFieldSatKey, kFieldTpKey, kFieldServiceKey, kFieldVideoPid, kFieldAudioPid, kFieldPcrPid,
        kFieldBlock,  kFieldBskip, kFieldProvider,   kFieldEncrypt,  kFieldName};
    static_assert(kShown.size() == std::tuple_size_v<ShownFieldStorage>);
    static const std::array<std::u16string_view, kShown.size()> kShownNames = [] {
        std::array<std::u16string_view, kShown.size()> names;
        for (size_t k = 0; k < kShown.size(); ++k)
            names[k] = kServiceRecordAttributes[kShown[k]];
        return names;
    }();
    static const AttributeNames kNames(kShownNames);
    std::array<std::u16string_view, kShown.size()> shown;
    ReadAttributeViews(doc, doc.GetCurrentPos(), kNames, shown, storage);
    ServiceView view;
    for (size_t k = 0; k < kShown.size(); ++k)
        view.values[kShown[k]] = shown[k];
    return view;
}

ServiceRecord ReadRecordAt(const CXmlDoc& doc, int record) {
    return ReadRecord(doc, record);
}

ServiceRecord ReadServiceRecord(CXmlDoc& doc, std::u16string_view key) {
    ServiceRecord record;
    doc.ResetPosition();
    ForEachChild(doc, u"prog", [&](int) {
        if (doc.GetAttribute(u"service_key") != key)
            return true;
        record = ReadRecordHere(doc);
        return false;
    });
    return record;
}

std::unordered_map<std::u16string, ServiceRecord> ReadServiceRecords(
    CXmlDoc& doc, const std::vector<std::u16string>& keys) {
    std::unordered_map<std::u16string, bool> wanted;  // key -> found
    for (const std::u16string& key : keys)
        wanted.try_emplace(key, false);
    std::unordered_map<std::u16string, ServiceRecord> records;
    size_t left = wanted.size();
    doc.ResetPosition();
    ForEachChild(doc, u"prog", [&](int) {
        const auto it = wanted.find(doc.GetAttribute(u"service_key"));
        if (it != wanted.end() && !it->second) {
            it->second = true;
            records.emplace(it->first, ReadRecordHere(doc));
            --left;
        }
        return left > 0;
    });
    doc.ResetPosition();
    return records;
}

}  // namespace vesko

#include "pages/satellites/satellite_page.h"

#include <algorithm>
#include <climits>
#include <string>

#include "database/schema.h"
#include "database/working_copy.h"
#include "xml/decimal_text.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

std::vector<ListColumn> SatelliteColumns() {
    return {{u"Index", 60},     {u"SAT Name", 100}, {u"Longitude", 80}, {u"LBN ", 140},
            {u"22K", 60},       {u"12V", 40},       {u"Power", 60},     {u"diseqc1.0", 80},
            {u"diseqc1.1", 80}, {u"Moter", 60},     {u"UserFreq", 80},  {u"Sat Key", 60}};
}

std::vector<ListColumn> ServiceColumns() {
    return {{u"Index", 60}, {u"Service Name", 120}};
}

// Decimal value of a text: an optional sign and the digits up to the first other
// character; no digits gives 0. A value beyond int stops at INT_MAX or INT_MIN rather
// than wrapping round to an unrelated number.
int ParseDecimal(std::u16string_view text) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    long long value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = std::min(value * 10 + (text[at] - u'0'), kLimit);
    }
    return static_cast<int>(negative ? -value : std::min<long long>(value, INT_MAX));
}

}  // namespace

CSatellitePage::CSatellitePage()
    : m_satelliteList(SatelliteColumns()), m_serviceList(ServiceColumns()) {}

int CSatellitePage::ReadTunerCount() const {
    CXmlDoc doc;
    doc.SetDoc(nullptr);
    LoadWorkingCopy(doc, kSatWork);
    if (!doc.FindElement(u"satellites")) {
        return 0;
    }
    return ParseDecimal(doc.GetAttribute(u"tuner_num"));
}

std::u16string CSatellitePage::TunerButtonText() const {
    return u"Tuner (" + DecimalText(m_tunerIndex + 1) + u")";
}

void CSatellitePage::FillSatelliteList(int) {}

// The satellites, and the services beside them.
std::vector<std::string_view> CSatellitePage::WorkingCopiesRead() const {
    return {kSatWork, kTvProgWork, kRadioProgWork};
}

}  // namespace vesko

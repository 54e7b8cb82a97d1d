#pragma once
// Walking the transponder files: the `sat` children of the root element and their
// `transponder` children, by position (row n is the n-th of them in file order).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vesko {

class CDragListCtrl;
class CXmlDoc;

// Reads and writes of several attributes of one record with one load of its file.
using AttributeReads = std::vector<std::pair<std::u16string, std::u16string*>>;
using AttributeWrites = std::vector<std::pair<std::u16string, std::u16string>>;

// Makes the index-th `sat` child of the root the current element; false (positions
// reset) when there is none.
bool EnterSatellite(CXmlDoc& doc, int satIndex);
// Makes the row-th `transponder` of the satIndex-th satellite the current element.
bool EnterTransponder(CXmlDoc& doc, int satIndex, int row);
// Record numbers of the `transponder` children of the satIndex-th satellite (none when
// it does not exist), and the satellite's own record (0 when missing).
std::vector<int> TransponderRecords(CXmlDoc& doc, int satIndex, int* satRecord = nullptr);

// The highest `tp_key` of all transponders of all satellites of a file (at least 0).
int HighestTransponderKey(CXmlDoc& doc);

// Reads or writes attributes of the current element, in the order given.
void ReadHere(const CXmlDoc& doc, const AttributeReads& reads);
void WriteHere(CXmlDoc& doc, const AttributeWrites& writes);

// The services (TV for kind 0, radio for kind 1; nothing for any other kind) whose
// `sat_key` equals satKey and, when tpKey is given, whose `tp_key` equals it, as rows
// of a service list: match number from 1 and name.
void FillServiceRows(CDragListCtrl& list, int kind, std::u16string_view satKey,
                     const std::u16string_view* tpKey);

// The programme and favourites working copies of a service kind (0 TV, 1 radio).
const char* ProgWorkOf(int kind);
const char* FavWorkOf(int kind);

}  // namespace vesko

// libFuzzer target for the XML engine: arbitrary bytes go through SetDoc (read as
// UTF-16 and as Latin-1) and through Load (from a file), then every element is
// walked, attributes are read (by GetAttribute and by the one-pass reader, which
// must agree) and a few edits are made. Any crash, sanitizer report,
// hang or broken index bound is a finding.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace {

using vesko::CXmlDoc;
using vesko::ElementIndex;

constexpr int kMaxVisited = 4000;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Every element still linked into the tree lies inside the text.
void CheckBounds(const CXmlDoc& doc) {
    const ElementIndex& index = doc.GetIndex();
    if (index.Size() == 0) {
        return;
    }
    const int size = static_cast<int>(doc.GetDoc().size());
    int visited = 0;
    int n = index[0].firstChild;
    while (n != 0 && visited++ < doc.GetNextFree()) {
        Check(n > 0 && n < doc.GetNextFree());
        const vesko::ElementRecord& r = index[n];
        Check(r.start >= 0 && r.length >= 0 && r.start + r.length <= size);
        Check((r.flags & vesko::kRecRemoved) == 0);
        if (r.firstChild != 0) {
            n = r.firstChild;
            continue;
        }
        while (n != 0 && index[n].next == 0) {
            n = index[n].parent;
        }
        if (n != 0) {
            n = index[n].next;
        }
    }
}

// Attribute names taken from the document itself, so the fuzzer reaches real ones.
std::u16string SomeName(const std::u16string& text, size_t salt) {
    if (text.empty()) {
        return u"name";
    }
    const size_t at = salt % text.size();
    return text.substr(at, 1 + salt % 5);
}

void Exercise(CXmlDoc& doc, size_t salt) {
    const std::u16string probe = SomeName(doc.GetDoc(), salt);
    int visited = 0;
    while (doc.OutOfElement()) {
    }
    doc.ResetPosition();
    // Depth-first walk through the public navigation.
    if (doc.FindElement()) {
        while (visited++ < kMaxVisited) {
            doc.GetAttribute(u"name");
            // The one-pass reader must agree with GetAttribute on every tag.
            Check(vesko::StartTagAttributes(doc).Get(probe) == doc.GetAttribute(probe));
            if (visited % 7 == 3) {
                doc.SetAttribute(u"name", u"<&\"'>");
            }
            if (visited % 11 == 5) {
                doc.SetAttribute(probe, static_cast<int>(salt));
            }
            if (visited % 13 == 7) {
                doc.AddChildElement(u"n", visited % 2 ? u"d]]>&" : u"",
                                    (visited / 13) % 3 == 0 ? 0x2 : 0);
            }
            if (visited % 17 == 9) {
                doc.RemoveElement();
                if (!doc.FindElement()) {
                    break;
                }
                continue;
            }
            if (doc.FindChildElement()) {
                doc.IntoElement();
                continue;
            }
            bool next = doc.FindElement();
            while (!next && doc.OutOfElement()) {
                next = doc.FindElement();
            }
            if (!next) {
                break;
            }
        }
    }
    doc.AddElement(u"tail", u"x", static_cast<int>(salt & 0x3F1F));
    CheckBounds(doc);

    CXmlDoc copy(doc);
    copy.SetDoc(doc.GetDoc());
    CheckBounds(copy);
    CXmlDoc::DecodeEntities(doc.GetDoc().substr(0, 512), 0x300);
}

// One file per fuzzing process, removed when the process ends.
struct TempFileGuard {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("vesko_xml_fuzz_" + std::to_string(::getpid()) + ".xml");
    ~TempFileGuard() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

const std::filesystem::path& TempFile() {
    static const TempFileGuard guard;
    return guard.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::u16string wide(size / 2, u'\0');
        std::memcpy(wide.data(), data, wide.size() * 2);
        CXmlDoc doc;
        doc.SetDoc(wide);
        Exercise(doc, size);
        doc.SetDocFlags(vesko::kDocIgnoreCase | vesko::kDocTrimWhitespace);
        doc.SetDoc(wide);
        Exercise(doc, size + 1);
    }
    {
        const std::u16string latin1(data, data + size);
        CXmlDoc doc;
        doc.SetDoc(latin1);
        Exercise(doc, size + 2);
    }
    {
        std::ofstream(TempFile(), std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        CXmlDoc doc;
        doc.Load(TempFile());
        Exercise(doc, size + 3);
    }
    return 0;
}

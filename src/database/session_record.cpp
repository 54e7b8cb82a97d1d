#include "database/session_record.h"

#include <charconv>
#include <sstream>

#include "database/file_set.h"

namespace vesko {

namespace {

constexpr std::string_view kHeader = "vesko-session 1";
constexpr std::string_view kEnd = "end";

// Names and paths go on one line: bytes that would end or split a field are written
// as %XX.
std::string Encode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '%') {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Decode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size() ||
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr !=
                text.data() + i + 3) {
            return std::nullopt;
        }
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

template <class Number>
bool ReadNumber(std::istringstream& in, Number& number) {
    std::string word;
    if (!(in >> word)) {
        return false;
    }
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    return error == std::errc() && end == word.data() + word.size();
}

}  // namespace

std::string FormatSessionRecord(const SessionRecord& record) {
    std::ostringstream out;
    out << kHeader << '\n';
    out << "folder " << Encode(record.folder.string()) << '\n';
    out << "changes " << record.changes << '\n';
    for (const auto& [name, hash] : record.savedCopies) {
        out << "copy " << Encode(name) << ' ' << hash << '\n';
    }
    for (const FileStamp& stamp : record.stamps) {
        out << "stamp " << Encode(stamp.fileName) << ' ' << (stamp.exists ? 1 : 0) << ' '
            << stamp.size << ' ' << stamp.modified << ' ' << stamp.hash << '\n';
    }
    out << kEnd << '\n';
    return out.str();
}

std::optional<SessionRecord> ParseSessionRecord(std::string_view text) {
    std::istringstream lines{std::string(text)};
    std::string line;
    if (!std::getline(lines, line) || line != kHeader) {
        return std::nullopt;
    }
    SessionRecord record;
    bool ended = false;
    while (!ended && std::getline(lines, line)) {
        std::istringstream in(line);
        std::string key;
        in >> key;
        std::string word;
        if (key == kEnd) {
            ended = true;
        } else if (key == "folder") {
            in >> word;  // empty while no folder is open
            const std::optional<std::string> folder = Decode(word);
            if (!folder) {
                return std::nullopt;
            }
            record.folder = *folder;
        } else if (key == "changes") {
            if (!ReadNumber(in, record.changes)) {
                return std::nullopt;
            }
        } else if (key == "copy" && in >> word) {
            std::uint64_t hash = 0;
            const std::optional<std::string> name = Decode(word);
            if (!name || !ReadNumber(in, hash)) {
                return std::nullopt;
            }
            record.savedCopies[*name] = hash;
        } else if (key == "stamp" && in >> word) {
            FileStamp stamp;
            int exists = 0;
            const std::optional<std::string> name = Decode(word);
            if (!name || !ReadNumber(in, exists) || !ReadNumber(in, stamp.size) ||
                !ReadNumber(in, stamp.modified) || !ReadNumber(in, stamp.hash)) {
                return std::nullopt;
            }
            stamp.fileName = *name;
            stamp.exists = exists != 0;
            record.stamps.push_back(std::move(stamp));
        } else {
            return std::nullopt;
        }
    }
    if (!ended) {
        return std::nullopt;
    }
    return record;
}

FileResult WriteSessionRecord(FileSystem& fs, const std::filesystem::path& file,
                              const SessionRecord& record) {
    return WriteBytesReplacing(fs, file, FormatSessionRecord(record));
}

FileResult ReadSessionRecord(FileSystem& fs, const std::filesystem::path& file,
                             std::optional<SessionRecord>& record) {
    record.reset();
    std::string bytes;
    if (FileResult read = ReadFileBytes(fs, file, bytes); !read) {
        return read;
    }
    record = ParseSessionRecord(bytes);
    return {};
}

}  // namespace vesko

#pragma once
// File bytes <-> document text: byte-order marks, declared encodings, the UTF-8
// test, and code-page conversion.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace vesko {

// Fixed code page numbers of the engine.
constexpr int kCodePageAnsi = 0;  // the system ANSI code page (Windows-1252 here)
constexpr int kCodePageUtf16 = 1200;
constexpr int kCodePageUtf32Le = 12000;
constexpr int kCodePageUtf32Be = 12001;
constexpr int kCodePageUtf8 = 65001;
constexpr int kCodePageUtf32 = 65005;

// Reads a file into `text`, updating the byte-order-mark flags of `flags` and
// replacing `report` with the file entries. False when the file cannot be read; the
// system's reason then goes to `fileError` when given.
bool ReadDocumentFile(const std::filesystem::path& path, uint32_t& flags, std::u16string& text,
                      std::u16string& report, std::error_code* fileError = nullptr);

// The bytes of a saved document in one piece: the byte-order mark, then the text in the
// file's encoding; `encoding` and `length` are what the result report says of them.
struct EncodedFile {
    std::unique_ptr<char[]> buffer;
    std::string owned;
    std::string_view bytes;
    std::u16string encoding;
    int length = 0;
};
// Encodes `text` as WriteDocumentFile writes it, replacing `report` with its entries.
bool EncodeDocumentFile(uint32_t flags, std::u16string_view text, std::u16string& report,
                        EncodedFile& file);

// Writes `text` to a file in the encoding given by `flags` or declared in the text,
// replacing `report` with the file entries. False when the write failed; the system's
// reason then goes to `fileError` when given.
bool WriteDocumentFile(const std::filesystem::path& path, uint32_t& flags, std::u16string_view text,
                       std::u16string& report, std::error_code* fileError = nullptr);

// True when the bytes pass the engine's UTF-8 test (stops at a zero byte).
bool LooksLikeUtf8(std::string_view bytes);

// Name of the converter that serves a code page, nullptr when the engine has none
// (such code pages are read and written as code page 0, Windows-1252).
const char* ConverterNameOf(int codePage);

// Converts between code pages. `source` holds bytes (or UTF-16 / UTF-32 units for
// those code pages). `lossy` is set when a character had to be replaced: undecodable
// bytes become U+FFFD, characters a code page cannot hold are written as '?'.
// 1200/1201 are UTF-16 LE/BE bytes, 65005 and 12000 UTF-32 LE, 12001 UTF-32 BE.
std::u16string DecodeToUtf16(int codePage, std::string_view bytes, bool* lossy = nullptr);
std::string EncodeFromUtf16(int codePage, std::u16string_view text, bool* lossy = nullptr);

}  // namespace vesko

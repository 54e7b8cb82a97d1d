// The generated entity and encoding-name tables: their shape (a wrong generator
// run or a hand edit shows up here) and the lookups built on them.

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <set>
#include <string>

#include "xml/code_page_table.h"
#include "xml/encoding.h"
#include "xml/entity_table.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

struct Row {
    std::u16string name;
    int code;
};

struct TableShape {
    std::vector<std::vector<Row>> buckets;
    int rows = 0;
    int empty = 0;
};

// Splits packed buckets into rows; `lengthDigits` and `codeDigits` give the row header.
TableShape ReadTable(std::span<const char16_t* const> buckets, int lengthDigits, int codeDigits) {
    TableShape shape;
    for (const char16_t* p : buckets) {
        std::vector<Row> rows;
        while (*p != 0) {
            int length = 0, code = 0;
            for (int i = 0; i < lengthDigits; ++i)
                length = length * 10 + (*p++ - u'0');
            for (int i = 0; i < codeDigits; ++i)
                code = code * 10 + (*p++ - u'0');
            rows.push_back({std::u16string(p, static_cast<size_t>(length)), code});
            p += length;
        }
        shape.rows += static_cast<int>(rows.size());
        shape.empty += rows.empty() ? 1 : 0;
        shape.buckets.push_back(std::move(rows));
    }
    return shape;
}

int BucketOf(const std::u16string& name, int count) {
    int sum = 0;
    for (char16_t c : name)
        sum += (c >= u'A' && c <= u'Z') ? c + 32 : c;
    return sum % count;
}

void ExpectRowsInTheirBuckets(const TableShape& shape) {
    for (size_t b = 0; b < shape.buckets.size(); ++b) {
        for (const Row& row : shape.buckets[b]) {
            EXPECT_EQ(BucketOf(row.name, static_cast<int>(shape.buckets.size())),
                      static_cast<int>(b));
            for (char16_t c : row.name)
                EXPECT_FALSE(c >= u'A' && c <= u'Z');
        }
    }
}

TEST(EncodingTables, EntityTableHasTheHtmlEntitiesPlusApos) {
    const TableShape shape = ReadTable(EntityBuckets(), 1, 4);
    EXPECT_EQ(shape.buckets.size(), 130u);
    EXPECT_EQ(shape.rows, 253);
    EXPECT_EQ(shape.empty, 37);
    ExpectRowsInTheirBuckets(shape);
    for (const auto& bucket : shape.buckets) {
        for (const Row& row : bucket) {
            EXPECT_GE(row.name.size(), 2u);
            EXPECT_LE(row.name.size(), 8u);
            EXPECT_LE(row.code, 9830);
        }
    }
}

TEST(EncodingTables, EntityLookup) {
    EXPECT_EQ(LookupEntity(u"amp"), 38);
    EXPECT_EQ(LookupEntity(u"lt"), 60);
    EXPECT_EQ(LookupEntity(u"apos"), 39);
    EXPECT_EQ(LookupEntity(u"euro"), 8364);
    EXPECT_EQ(LookupEntity(u"thetasym"), 977);
    // Case twins share the lowercase name; the capital form is found first.
    EXPECT_EQ(LookupEntity(u"oslash"), 216);
    EXPECT_EQ(LookupEntity(u"delta"), 916);
    EXPECT_EQ(LookupEntity(u"prime"), 8243);
    EXPECT_EQ(LookupEntity(u"yuml"), 376);
    EXPECT_EQ(LookupEntity(u""), 0);
    EXPECT_EQ(LookupEntity(u"am"), 0);
    EXPECT_EQ(LookupEntity(u"ampx"), 0);
}

TEST(EncodingTables, ExactEntityLookupTellsCaseTwinsApart) {
    EXPECT_EQ(LookupEntityExact(u"Oslash"), 216);
    EXPECT_EQ(LookupEntityExact(u"oslash"), 248);
    EXPECT_EQ(LookupEntityExact(u"Delta"), 916);
    EXPECT_EQ(LookupEntityExact(u"delta"), 948);
    EXPECT_EQ(LookupEntityExact(u"Prime"), 8243);
    EXPECT_EQ(LookupEntityExact(u"prime"), 8242);
    EXPECT_EQ(LookupEntityExact(u"yuml"), 255);
    EXPECT_EQ(LookupEntityExact(u"Yuml"), 376);
    // Names without a twin match in any case.
    EXPECT_EQ(LookupEntityExact(u"AMP"), 38);
    EXPECT_EQ(LookupEntityExact(u"Euro"), 8364);
    EXPECT_EQ(LookupEntityExact(u"zz"), 0);
}

TEST(EncodingTables, CodePageTableShape) {
    const TableShape shape = ReadTable(CodePageBuckets(), 2, 5);
    EXPECT_EQ(shape.buckets.size(), 155u);
    EXPECT_EQ(shape.rows, 365);
    EXPECT_EQ(shape.empty, 17);
    ExpectRowsInTheirBuckets(shape);
    std::set<std::u16string> names;
    for (const auto& bucket : shape.buckets) {
        for (const Row& row : bucket) {
            EXPECT_GE(row.name.size(), 2u);
            EXPECT_LE(row.name.size(), 45u);
            EXPECT_TRUE(names.insert(row.name).second) << "duplicate name";
            // Every name must also be found through the lookup.
            EXPECT_EQ(CXmlDoc::LookupCodePage(row.name), row.code);
        }
    }
}

TEST(EncodingTables, LookupCodePage) {
    // Every row is found through the lookup (see the shape test); here the rules
    // around it: letter case, the UTF-32 prefix, and names that must not match.
    EXPECT_EQ(CXmlDoc::LookupCodePage(u""), 0);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"Iso-8859-1"), 28591);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"WINDOWS-1251"), 1251);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"UTF-32"), 65005);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"UTF-32BE"), 65005);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"utf-32"), 12000);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"Utf-32be"), 12001);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"utf-8 "), -1);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"utf"), -1);
    EXPECT_EQ(CXmlDoc::LookupCodePage(u"klingon"), -1);
    EXPECT_EQ(CXmlDoc::LookupCodePage(std::u16string(100, u'a')), -1);
    EXPECT_EQ(CXmlDoc::LookupCodePage(std::u16string(100000, u'\xFFFF')), -1);
}

TEST(EncodingTables, EveryConverterOfTheTableOpens) {
    const TableShape shape = ReadTable(CodePageBuckets(), 2, 5);
    std::set<int> codePages{0};
    for (const auto& bucket : shape.buckets) {
        for (const Row& row : bucket)
            codePages.insert(row.code);
    }
    int served = 0;
    for (int codePage : codePages) {
        const char* name = ConverterNameOf(codePage);
        if (!name)
            continue;
        ++served;
        UErrorCode error = U_ZERO_ERROR;
        UConverter* converter = ucnv_open(name, &error);
        EXPECT_TRUE(U_SUCCESS(error)) << codePage << " " << name;
        ucnv_close(converter);
    }
    // Everything but a few obsolete code pages has a converter.
    EXPECT_GE(served, 85);
    EXPECT_NE(ConverterNameOf(1251), nullptr);
    EXPECT_NE(ConverterNameOf(28591), nullptr);
    EXPECT_NE(ConverterNameOf(932), nullptr);
}

}  // namespace
}  // namespace vesko

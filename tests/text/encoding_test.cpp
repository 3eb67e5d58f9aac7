// Decoding of Windows-1252 / UTF-8 data files, line ends, case mapping and character counts.
#include "text/encoding.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tv::text;

TEST(Decode, ReadsWindows1252WhenTheBytesAreNotUtf8) {
    EXPECT_EQ(decode("Citt\xE0 \x80"), "Città €");
}

TEST(Decode, KeepsValidUtf8AndDropsItsByteOrderMark) {
    EXPECT_EQ(decode("\xEF\xBB\xBF" "Citt\xC3\xA0"), "Città");
}

TEST(Decode, RefusesOverlongAndSurrogateSequencesAsUtf8) {
    EXPECT_FALSE(is_valid_utf8("\xC0\xAF"));
    EXPECT_FALSE(is_valid_utf8("\xED\xA0\x80"));
    EXPECT_FALSE(is_valid_utf8("\xE0\x80"));
    EXPECT_TRUE(is_valid_utf8("\xF0\x9F\x98\x80"));
}

TEST(EncodeCp1252, RoundTripsTheCodePageAndMarksWhatItLacks) {
    EXPECT_EQ(encode_cp1252("Città € ✓"), "Citt\xE0 \x80 ?");
    EXPECT_EQ(decode(encode_cp1252("àèéìòù")), "àèéìòù");
}

TEST(SplitLines, AcceptsEveryLineEnd) {
    auto lines = split_lines("a\r\nb\nc\rd");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], "d");
    EXPECT_EQ(split_lines("a\r\n\r\n").size(), 2u);  // one empty line, no empty tail
    EXPECT_TRUE(split_lines("").empty());
}

TEST(CaseMapping, FoldsAccentedLettersToo) {
    EXPECT_EQ(to_lower("CITTÀ Š"), "città š");
    EXPECT_EQ(to_upper(" b "), " B ");
    EXPECT_TRUE(contains_nocase("45.0733   7.6807   Torino (TO)", "TOR"));
    EXPECT_TRUE(contains_nocase("Forlì", "FORLÌ"));
    EXPECT_FALSE(contains_nocase("Roma", "romb"));
}

TEST(CharCount, CountsCharactersNotBytes) {
    EXPECT_EQ(char_count("àè"), 2u);
    EXPECT_EQ(char_count("abc"), 3u);
}

TEST(Trim, RemovesBlanksAtBothEndsOnly) { EXPECT_EQ(trim("  daN / cm2 \t"), "daN / cm2"); }

TEST(ReadLines, MissingFileIsNoLines) {
    EXPECT_FALSE(read_lines("/nonexistent/definitely/missing.txt").has_value());
    auto dir = std::filesystem::temp_directory_path();
    EXPECT_FALSE(read_lines(dir).has_value());  // a folder is not a file
}

TEST(ReadLines, DecodesAndSplitsAWindowsFile) {
    auto p = std::filesystem::temp_directory_path() / "tv_encoding_test.txt";
    {
        std::ofstream out(p, std::ios::binary);
        out << "Localit\xE0 Roma\r\nsecond\r\n";
    }
    auto lines = read_lines(p);
    std::filesystem::remove(p);
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0], "Località Roma");
}

TEST(FindNocase, FindsAFileWrittenInAnotherLetterCase) {
    auto dir = std::filesystem::temp_directory_path() / "tv_find_nocase_test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "Sismica_2008.TXT") << "x";
    EXPECT_EQ(find_nocase(dir, "sismica_2008.txt").filename(), "Sismica_2008.TXT");
    EXPECT_EQ(find_nocase(dir, "dinamica.txt"), dir / "dinamica.txt");
    std::filesystem::remove_all(dir);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding of Windows-1252 / UTF-8 data files, line ends, case mapping and character counts.
#include "text/encoding.h"

#include <gtest/gtest.h>

#include "prova.h"

using namespace tv::text;

TEST(Decode, ReadsWindows1252UnlessTheBytesAreValidUtf8) {
    EXPECT_EQ(decode("Citt\xE0 \x80"), "Città €");
    EXPECT_EQ(decode("\xEF\xBB\xBF" "Citt\xC3\xA0"), "Città");  // byte order mark dropped
    for (const char* cattivo : {"\xC0\xAF", "\xED\xA0\x80", "\xE0\x80"})  // overlong, surrogate
        EXPECT_FALSE(is_valid_utf8(cattivo));
    EXPECT_TRUE(is_valid_utf8("\xF0\x9F\x98\x80"));
    EXPECT_EQ(encode_cp1252("Città € ✓"), "Citt\xE0 \x80 ?");
}

TEST(SplitLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(split_lines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(split_lines("a\r\n\r\n").size(), 2u);  // one empty line, no empty tail
    EXPECT_TRUE(split_lines("").empty());
}

TEST(CaseMapping, FoldsAccentedLettersAndCountsCharacters) {
    EXPECT_EQ(to_lower("CITTÀ Š"), "città š");
    EXPECT_TRUE(contains_nocase("Forlì", "FORLÌ"));
    EXPECT_FALSE(contains_nocase("Roma", "romb"));
    EXPECT_EQ(char_count("àèa"), 3u);
    EXPECT_EQ(trim("  daN / cm2 \t"), "daN / cm2");
}

TEST(ReadLines, DecodesAWindowsFileAndFindsANameInAnyCase) {
    tv::prova::CartellaTemp tmp;
    EXPECT_EQ(read_lines(tmp.scrivi("a.txt", "Localit\xE0 Roma\r\nsecond\r\n")),
              (std::vector<std::string>{"Località Roma", "second"}));
    EXPECT_FALSE(read_lines(tmp.path() / "manca.txt").has_value());
    EXPECT_FALSE(read_lines(tmp.path()).has_value());  // a folder is not a file
    tmp.scrivi("Sismica_2008.TXT", "x");
    EXPECT_EQ(find_nocase(tmp.path(), "sismica_2008.txt").filename(), "Sismica_2008.TXT");
    EXPECT_EQ(find_nocase(tmp.path(), "dinamica.txt"), tmp.path() / "dinamica.txt");
}

TEST(Printable, ShowsEveryControlCharacterAndStrayByteAsAQuestionMark) {
    // An id that would retitle the terminal and turn it red, a C1 CSI, DEL, a tab, a lone byte.
    EXPECT_EQ(printable("P1\x1b]0;x\x07\x1b[31m"), "P1?]0;x??[31m");
    EXPECT_EQ(printable("a\xC2\x9B" "b\x7F\tc\xE0"), "a?b??c?");
    EXPECT_EQ(printable("Città € \xC2\xA0✓"), "Città € \xC2\xA0✓");  // U+00A0 is no control
    EXPECT_EQ(printable(std::string("x\0y", 3)), "x?y");
}

TEST(EditDistance, CountsCharactersNotBytesAndASwapAsOne) {
    EXPECT_EQ(edit_distance("gamma", "gama"), 1u);
    EXPECT_EQ(edit_distance("latt", "lat"), 1u);
    EXPECT_EQ(edit_distance("left", "letf"), 1u);
    EXPECT_EQ(edit_distance("làt", "lat"), 1u);
    EXPECT_EQ(edit_distance("datum", "data"), 2u);
    EXPECT_EQ(edit_distance("nota", "lat"), 3u);
    EXPECT_EQ(edit_distance("", "id"), 2u);
}

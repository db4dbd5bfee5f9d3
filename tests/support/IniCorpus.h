#pragma once

// INI answers as Windows' profile reader gives them with a buffer of 255 characters,
// learnt from the system's own reader: the Windows stage checks every answer here
// against it, the Qt tests check our reader against the answers. Standard library only.

#include <string>
#include <vector>

namespace inicorpus {

struct Case
{
    std::string name;
    std::string bytes; // the file; Missing for no file at all
    std::u16string section;
    std::u16string key;
    std::u16string defaultValue;
    std::u16string expected;
};

inline const std::string Missing = "\x01<no file>";

inline std::u16string Repeat(std::u16string_view unit, std::size_t count)
{
    std::u16string text;
    for (std::size_t i = 0; i < count; ++i)
        text += unit;
    return text;
}

// 300 letters, a to z over and over.
inline std::string Letters(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += char('a' + i % 26);
    return text;
}

inline std::u16string Wide(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

inline std::vector<Case> Cases()
{
    using namespace std::string_literals;
    const std::string bom8 = "\xEF\xBB\xBF";
    const std::string u8 = bom8 + "[K]\nv=a";
    std::vector<Case> cases = {
        {"plain LF", "[KRVNM]\nversion=1.0.4\n", u"KRVNM", u"version", u"", u"1.0.4"},
        {"CR LF", "[KRVNM]\r\nversion=1.0.4\r\n", u"KRVNM", u"version", u"", u"1.0.4"},
        {"CR CR LF", "[KRVNM]\r\r\nversion=1.0.4\r\r\n", u"KRVNM", u"version", u"", u"1.0.4"},
        {"CR only", "[KRVNM]\rversion=1.0.4\r", u"KRVNM", u"version", u"", u"1.0.4"},
        {"CR ends a line before LF", "[KRVNM]\rversion=1.0.4\nother=2\n", u"KRVNM", u"other", u"", u"2"},
        {"CR inside a value", "[KRVNM]\nversion=1\r2\n", u"KRVNM", u"version", u"d", u"1"},
        {"no line end at the end", "[KRVNM]\nversion=1.0.4", u"KRVNM", u"version", u"d", u"1.0.4"},
        {"names in other cases", "[krvnm]\nVERSION=1.0.4\n", u"KRVNM", u"version", u"", u"1.0.4"},
        {"lookup in other cases", "[KRVNM]\nversion=1.0.4\n", u"krvnm", u"VeRsIoN", u"", u"1.0.4"},
        {"blanks around =", "[KRVNM]\n  version  =   1.0.4   \n", u"KRVNM", u"version", u"", u"1.0.4"},
        {"tabs around =", "[KRVNM]\n\tversion\t=\t1.0.4\t\n", u"KRVNM", u"version", u"", u"1.0.4"},
        {"blanks around the section", "  [ KRVNM ]  \nversion=1\n", u"KRVNM", u"version", u"d", u"1"},
        {"tabs inside the brackets", "[\tKRVNM\t]\nversion=1\n", u"KRVNM", u"version", u"d", u"1"},
        {"blanks around the lookup", "[KRVNM]\nversion=1\n", u" KRVNM ", u" version\n", u"d", u"1"},
        {"blank inside a key", "[KRVNM]\nver sion=1\n", u"KRVNM", u"ver sion", u"d", u"1"},
        {"tab inside a key", "[KRVNM]\nver\tsion=1\n", u"KRVNM", u"ver\tsion", u"d", u"1"},
        {"double quotes", "[KRVNM]\nversion=\"1.0.4\"\n", u"KRVNM", u"version", u"", u"1.0.4"},
        {"single quotes", "[KRVNM]\nversion='1.0.4'\n", u"KRVNM", u"version", u"", u"1.0.4"},
        {"quotes that differ", "[KRVNM]\nversion=\"1.0.4'\n", u"KRVNM", u"version", u"", u"\"1.0.4'"},
        {"one quote", "[KRVNM]\nversion=\"\n", u"KRVNM", u"version", u"d", u"\""},
        {"two quotes", "[KRVNM]\nversion=\"\"\n", u"KRVNM", u"version", u"d", u""},
        {"blanks inside quotes", "[KRVNM]\nversion=\" 1.0.4 \"\n", u"KRVNM", u"version", u"", u" 1.0.4 "},
        {"quote inside quotes", "[KRVNM]\nversion='a'b'\n", u"KRVNM", u"version", u"d", u"a'b"},
        {"duplicate keys", "[KRVNM]\nversion=1\nversion=2\n", u"KRVNM", u"version", u"", u"1"},
        {"duplicate key, first without =", "[KRVNM]\nversion\nversion=2\n", u"KRVNM", u"version", u"d", u"d"},
        {"duplicate sections", "[KRVNM]\nversion=1\n[KRVNM]\nversion=2\n", u"KRVNM", u"version", u"", u"1"},
        {"key only in the second section", "[KRVNM]\nother=1\n[KRVNM]\nversion=2\n", u"KRVNM", u"version", u"d", u"d"},
        {"second section in another case", "[KRVNM]\nother=1\n[X]\n[krvnm]\nversion=2\n", u"KRVNM", u"version", u"d",
         u"d"},
        {"comments", ";version=9\n[KRVNM]\n;version=1\nversion=2\n", u"KRVNM", u"version", u"", u"2"},
        {"only a comment", "[KRVNM]\n;version=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"a comment is a key", "[KRVNM]\n;version=1\n", u"KRVNM", u";version", u"d", u"1"},
        {"hash line", "[KRVNM]\n#version=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"comment after a value", "[KRVNM]\nversion=1.0.4 ; note\n", u"KRVNM", u"version", u"", u"1.0.4 ; note"},
        {"commented section", ";[KRVNM]\nversion=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"missing ]", "[KRVNM\nversion=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"missing ] on a later section", "[KRVNM]\n[OTHER\nversion=1\n", u"KRVNM", u"version", u"d", u"1"},
        {"a [ line without ] is a key", "[KRVNM]\n[OTHER\nversion=1\n", u"KRVNM", u"[OTHER", u"d", u"d"},
        {"text after ]", "[KRVNM] trailing\nversion=1\n", u"KRVNM", u"version", u"d", u"1"},
        {"the last ] closes", "[KRVNM]x]\nversion=1\n", u"KRVNM]x", u"version", u"d", u"1"},
        {"the last ] closes, first name", "[KRVNM]x]\nversion=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"brackets inside brackets", "[[KRVNM]]\nversion=1\n", u"[KRVNM]", u"version", u"d", u"1"},
        {"key on the section line", "[KRVNM]version=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"key in brackets", "[KRVNM]\n[version]=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"key starting with [", "[KRVNM]\n[version=1\n", u"KRVNM", u"[version", u"d", u"1"},
        {"lone [", "[\nversion=1\n", u"", u"version", u"d", u"1"},
        {"key without =", "[KRVNM]\nversion\n", u"KRVNM", u"version", u"d", u"d"},
        {"empty value", "[KRVNM]\nversion=\n", u"KRVNM", u"version", u"d", u""},
        {"blank value", "[KRVNM]\nversion=   \n", u"KRVNM", u"version", u"d", u""},
        {"empty key", "[KRVNM]\n=1.0.4\n", u"KRVNM", u"", u"d", u"1.0.4"},
        {"blanks before =", "[KRVNM]\n  =x\n", u"KRVNM", u"", u"d", u"x"},
        {"only =", "[KRVNM]\n=\n", u"KRVNM", u"", u"d", u""},
        {"two =", "[KRVNM]\nversion=a=b\n", u"KRVNM", u"version", u"", u"a=b"},
        {"key under another section", "[OTHER]\nversion=1.0.4\n", u"KRVNM", u"version", u"", u""},
        {"keys before any section", "version=1.0.4\n", u"", u"version", u"d", u"1.0.4"},
        {"keys before the section asked", "version=1.0.4\n[KRVNM]\n", u"KRVNM", u"version", u"d", u"d"},
        {"[] after the keys without section", "[]\nversion=1\n", u"", u"version", u"d", u"d"},
        {"form feed inside", "[KRVNM]\nversion=1\f2\n", u"KRVNM", u"version", u"d", u"1\f2"},
        {"missing file", Missing, u"KRVNM", u"version", u"d", u"d"},
        {"empty file", "", u"KRVNM", u"version", u"d", u"d"},
        {"HTML error page", "<html><head><title>Error</title></head>\n<body>[KRVNM] version=1</body></html>\n",
         u"KRVNM", u"version", u"d", u"d"},
        {"HTML page, empty default", "<html><body><h1>404 Not Found</h1>\r\n</body></html>\r\n", u"KRVNM", u"version",
         u"", u""},
        {"300 characters", "[KRVNM]\nversion=" + Letters(300) + "\n", u"KRVNM", u"version", u"", Wide(Letters(254))},
        {"255 characters", "[KRVNM]\nversion=" + Letters(255) + "\n", u"KRVNM", u"version", u"", Wide(Letters(254))},
        {"254 characters", "[KRVNM]\nversion=" + Letters(254) + "\n", u"KRVNM", u"version", u"", Wide(Letters(254))},
        {"300 characters quoted", "[KRVNM]\nversion=\"" + Letters(300) + "\"\n", u"KRVNM", u"version", u"",
         Wide(Letters(254))},
        {"254 characters quoted", "[KRVNM]\nversion=\"" + Letters(254) + "\"\n", u"KRVNM", u"version", u"",
         Wide(Letters(253))},
        {"253 characters quoted", "[KRVNM]\nversion=\"" + Letters(253) + "\"\n", u"KRVNM", u"version", u"",
         Wide(Letters(253))},
        {"default", Missing, u"KRVNM", u"version", u"1.0.4", u"1.0.4"},
        {"default with blanks", Missing, u"KRVNM", u"version", u"  1.0.4  ", u"  1.0.4"},
        {"default with tabs", Missing, u"KRVNM", u"version", u"\t1.0.4\t", u"\t1.0.4\t"},
        {"default of blanks", Missing, u"KRVNM", u"version", u"   ", u" "},
        {"default in quotes", Missing, u"KRVNM", u"version", u"\"d\"", u"d"},
        {"default of 300 characters", Missing, u"KRVNM", u"version", Wide(Letters(300)), Wide(Letters(254))},
        {"NUL ends a value", "[KRVNM]\nversion=1.0\0x\n"s, u"KRVNM", u"version", u"d", u"1.0"},
        {"NUL after a blank", "[KRVNM]\nversion=1.0 \0x\n"s, u"KRVNM", u"version", u"d", u"1.0 "},
        {"NUL after a closing quote", "[KRVNM]\nversion=\"1.0\"\0x\n"s, u"KRVNM", u"version", u"d", u"1.0"},
        {"NUL ends a key", "[KRVNM]\nver\0sion=1.0\n"s, u"KRVNM", u"ver", u"d", u"1.0"},
        {"NUL ends a section", "[KR\0VNM]\nversion=1\n"s, u"KR", u"version", u"d", u"1"},
        {"NUL before a section", "\0[KRVNM]\nversion=1\n"s, u"KRVNM", u"version", u"d", u"d"},
        {"blanks Windows trims", "[KRVNM]\nversion=\x1a\x0b\x0c 1.0.4\x1a\x0b\x0c \n", u"KRVNM", u"version", u"d",
         u"1.0.4"},
        {"blanks Windows keeps",
         "[KRVNM]\nversion=\x1c\x1f"
         "1.0.4\x1c\x1f\n",
         u"KRVNM", u"version", u"d",
         u"\x1c\x1f"
         u"1.0.4\x1c\x1f"},
        {"no-break spaces stay",
         "[KRVNM]\nversion=\xA0"
         "1.0.4\xA0\n",
         u"KRVNM", u"version", u"d", u"\u00a01.0.4\u00a0"},
        {"Windows-1252 without a mark", "[KRVNM]\nversion=\x80\x81\x8D\x8F\x90\x9D\x9F\xE9\xFF\n", u"KRVNM", u"version",
         u"d", u"\u20ac\u0081\u008d\u008f\u0090\u009d\u0178\u00e9\u00ff"},
        {"UTF-8 without a mark", "[KRVNM]\nversion=\xC3\xA9\n", u"KRVNM", u"version", u"d", u"\u00c3\u00a9"},
        {"Windows-1252 key", "[KRVNM]\n\xE9t\xE9=1\n", u"KRVNM", u"\u00e9t\u00e9", u"d", u"1"},
        {"UTF-8 mark", bom8 + "[KRVNM]\nversion=1.0.4\n", u"KRVNM", u"version", u"d", u"1.0.4"},
        {"UTF-8 mark, text", bom8 + "[KRVNM]\nversion=\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\n", u"KRVNM", u"version",
         u"d", u"\u00e9\u20ac\U0001F600"},
        {"UTF-8 mark only", bom8, u"KRVNM", u"version", u"d", u"d"},
        {"two UTF-8 marks", bom8 + bom8 + "[KRVNM]\nversion=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"UTF-8 mark in the middle", "[KRVNM]\n" + bom8 + "version=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"half a UTF-8 mark", "\xEF\xBB[KRVNM]\nversion=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"UTF-8 overlong", u8 + "\xC0\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffdz"},
        {"UTF-8 surrogate", u8 + "\xED\xA0\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffdz"},
        {"UTF-8 bad continuation", u8 + "\xE2\x28\xA1z\n", u"K", u"v", u"d", u"a\ufffd(\ufffdz"},
        {"UTF-8 five bytes", u8 + "\xF8\x88\x80\x80\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffd\ufffd\ufffd\ufffdz"},
        {"UTF-8 beyond U+10FFFF", u8 + "\xF4\x90\x80\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffd\ufffdz"},
        {"UTF-8 highest", u8 + "\xF4\x8F\xBF\xBFz\n", u"K", u"v", u"d", u"a\U0010FFFFz"},
        {"UTF-8 overlong three bytes", u8 + "\xE0\x80\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffdz"},
        {"UTF-8 overlong four bytes", u8 + "\xF0\x80\x80\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffd\ufffdz"},
        {"UTF-8 lone continuations", u8 + "\x80\xBFz\n", u"K", u"v", u"d", u"a\ufffd\ufffdz"},
        {"UTF-8 lead before a lead", u8 + "\xC2\xC2\x80z\n", u"K", u"v", u"d", u"a\ufffd\u0080z"},
        {"UTF-8 cut by a letter", u8 + "\xF0\x9F\x98z\n", u"K", u"v", u"d", u"a\ufffdz"},
        {"UTF-8 cut by the line end", u8 + "\xE2\x82\n", u"K", u"v", u"d", u"a\ufffd"},
        {"UTF-8 cut by the end", u8 + "\xE2\x82", u"K", u"v", u"d", u"a\ufffd"},
        {"UTF-8 cut by the end swallows", u8 + "\xF0\x28\x28", u"K", u"v", u"d", u"a\ufffd"},
        {"UTF-8 cut by the end swallows a quote", bom8 + "[K]\nv=\"x\xE2\"", u"K", u"v", u"d", u"\"x\ufffd"},
        {"UTF-8 lone lead at the end", u8 + "\xC2", u"K", u"v", u"d", u"a\ufffd"},
        {"UTF-16 LE", "\xFF\xFE[\0K\0R\0V\0N\0M\0]\0\n\0v\0e\0r\0s\0i\0o\0n\0=\0\x31\0.\0\x32\0\n\0"s, u"KRVNM",
         u"version", u"d", u"1.2"},
        {"UTF-16 BE", "\xFE\xFF\0[\0K\0R\0V\0N\0M\0]\0\n\0v\0e\0r\0s\0i\0o\0n\0=\0\x31\0.\0\x32\0\n"s, u"KRVNM",
         u"version", u"d", u"1.2"},
        {"UTF-16 lone surrogate", "\xFF\xFE[\0K\0]\0\n\0v\0=\0\x00\xD8\x31\0"s, u"K", u"v", u"d",
         u"\xD800"
         u"1"},
        {"UTF-16 mark only", "\xFF\xFE", u"KRVNM", u"version", u"d", u"d"},
        {"UTF-16 non-ASCII", "\xFF\xFE[\0K\0]\0\n\0v\0=\0\x16\x04\x3D\xD8\x00\xDE"s, u"K", u"v", u"d",
         u"\u0416\U0001F600"},
        {"UTF-32 mark read as UTF-16", "\xFF\xFE\0\0[\0K\0]\0\n\0v\0=\0\x31\0"s, u"K", u"v", u"d", u"d"},
        {"no case folding beyond ASCII", bom8 + "[KRVNM]\n\xC3\x89T\xC3\x89=1\n", u"KRVNM", u"\u00e9t\u00e9", u"d",
         u"d"},
        {"dotted capital I", bom8 + "[KRVNM]\nVERS\xC4\xB0ON=1\n", u"KRVNM", u"version", u"d", u"d"},
        {"Kelvin sign", bom8 + "[\xE2\x84\xAARVNM]\nversion=1\n", u"KRVNM", u"version", u"d", u"d"},
    };
    return cases;
}

} // namespace inicorpus

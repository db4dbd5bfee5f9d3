#pragma once

// INI answers as Windows' profile reader gives them with a buffer of 255 characters, checked against the system in the
// Windows stage and against our reader in the Qt tests. Standard library only.

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

// Letters a to z over and over.
inline std::string letters(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += char('a' + i % 26);
    return text;
}

inline std::u16string wide(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// A case that asks for the key "version" of the section "KRVNM".
inline Case version(std::string name, std::string bytes, std::u16string defaultValue, std::u16string expected)
{
    return {std::move(name), std::move(bytes), u"KRVNM", u"version", std::move(defaultValue), std::move(expected)};
}

inline std::vector<Case> cases()
{
    using namespace std::string_literals;
    const std::string bom8 = "\xEF\xBB\xBF";
    const std::string u8 = bom8 + "[K]\nv=a";
    return {
        version("plain LF", "[KRVNM]\nversion=1.0.4\n", u"", u"1.0.4"),
        {"CR ends a line before LF", "[KRVNM]\rversion=1.0.4\nother=2\n", u"KRVNM", u"other", u"", u"2"},
        version("CR inside a value", "[KRVNM]\nversion=1\r2\n", u"d", u"1"),
        version("no line end at the end", "[KRVNM]\nversion=1.0.4", u"d", u"1.0.4"),
        version("names in other cases", "[krvnm]\nVERSION=1.0.4\n", u"", u"1.0.4"),
        {"lookup in other cases", "[KRVNM]\nversion=1.0.4\n", u"krvnm", u"VeRsIoN", u"", u"1.0.4"},
        version("blanks around =", "[KRVNM]\n  version  =   1.0.4   \n", u"", u"1.0.4"),
        version("blanks around the section", "  [ KRVNM ]  \nversion=1\n", u"d", u"1"),
        version("tabs inside the brackets", "[\tKRVNM\t]\nversion=1\n", u"d", u"1"),
        {"blanks around the lookup", "[KRVNM]\nversion=1\n", u" KRVNM ", u" version\n", u"d", u"1"},
        {"blank inside a key", "[KRVNM]\nver sion=1\n", u"KRVNM", u"ver sion", u"d", u"1"},
        version("double quotes", "[KRVNM]\nversion=\"1.0.4\"\n", u"", u"1.0.4"),
        version("quotes that differ", "[KRVNM]\nversion=\"1.0.4'\n", u"", u"\"1.0.4'"),
        version("one quote", "[KRVNM]\nversion=\"\n", u"d", u"\""),
        version("two quotes", "[KRVNM]\nversion=\"\"\n", u"d", u""),
        version("blanks inside quotes", "[KRVNM]\nversion=\" 1.0.4 \"\n", u"", u" 1.0.4 "),
        version("quote inside quotes", "[KRVNM]\nversion='a'b'\n", u"d", u"a'b"),
        version("duplicate keys", "[KRVNM]\nversion=1\nversion=2\n", u"", u"1"),
        version("duplicate key, first without =", "[KRVNM]\nversion\nversion=2\n", u"d", u"d"),
        version("duplicate sections", "[KRVNM]\nversion=1\n[KRVNM]\nversion=2\n", u"", u"1"),
        version("key only in the second section", "[KRVNM]\nother=1\n[KRVNM]\nversion=2\n", u"d", u"d"),
        version("second section in another case", "[KRVNM]\nother=1\n[X]\n[krvnm]\nversion=2\n", u"d", u"d"),
        version("comments", ";version=9\n[KRVNM]\n;version=1\nversion=2\n", u"", u"2"),
        {"a comment is a key", "[KRVNM]\n;version=1\n", u"KRVNM", u";version", u"d", u"1"},
        version("comment after a value", "[KRVNM]\nversion=1.0.4 ; note\n", u"", u"1.0.4 ; note"),
        version("commented section", ";[KRVNM]\nversion=1\n", u"d", u"d"),
        version("missing ]", "[KRVNM\nversion=1\n", u"d", u"d"),
        version("missing ] on a later section", "[KRVNM]\n[OTHER\nversion=1\n", u"d", u"1"),
        {"a [ line without ] is a key", "[KRVNM]\n[OTHER\nversion=1\n", u"KRVNM", u"[OTHER", u"d", u"d"},
        version("text after ]", "[KRVNM] trailing\nversion=1\n", u"d", u"1"),
        {"the last ] closes", "[KRVNM]x]\nversion=1\n", u"KRVNM]x", u"version", u"d", u"1"},
        version("key on the section line", "[KRVNM]version=1\n", u"d", u"d"),
        {"key starting with [", "[KRVNM]\n[version=1\n", u"KRVNM", u"[version", u"d", u"1"},
        version("key without =", "[KRVNM]\nversion\n", u"d", u"d"),
        version("empty value", "[KRVNM]\nversion=\n", u"d", u""),
        {"empty key", "[KRVNM]\n=1.0.4\n", u"KRVNM", u"", u"d", u"1.0.4"},
        version("two =", "[KRVNM]\nversion=a=b\n", u"", u"a=b"),
        version("key under another section", "[OTHER]\nversion=1.0.4\n", u"", u""),
        {"keys before any section", "version=1.0.4\n", u"", u"version", u"d", u"1.0.4"},
        version("keys before the section asked", "version=1.0.4\n[KRVNM]\n", u"d", u"d"),
        {"[] after the keys without section", "[]\nversion=1\n", u"", u"version", u"d", u"d"},
        version("missing file", Missing, u"d", u"d"),
        version("empty file", "", u"d", u"d"),
        version("HTML error page", "<html><head><title>Error</title></head>\n<body>[KRVNM] version=1</body></html>\n",
                u"d", u"d"),
        version("255 characters", "[KRVNM]\nversion=" + letters(255) + "\n", u"", wide(letters(254))),
        version("254 characters", "[KRVNM]\nversion=" + letters(254) + "\n", u"", wide(letters(254))),
        version("300 characters quoted", "[KRVNM]\nversion=\"" + letters(300) + "\"\n", u"", wide(letters(254))),
        version("254 characters quoted", "[KRVNM]\nversion=\"" + letters(254) + "\"\n", u"", wide(letters(253))),
        version("default with blanks", Missing, u"  1.0.4  ", u"  1.0.4"),
        version("default with tabs", Missing, u"\t1.0.4\t", u"\t1.0.4\t"),
        version("default of blanks", Missing, u"   ", u" "),
        version("default in quotes", Missing, u"\"d\"", u"d"),
        version("default of 300 characters", Missing, wide(letters(300)), wide(letters(254))),
        version("NUL ends a value", "[KRVNM]\nversion=1.0\0x\n"s, u"d", u"1.0"),
        version("NUL after a blank", "[KRVNM]\nversion=1.0 \0x\n"s, u"d", u"1.0 "),
        version("NUL after a closing quote", "[KRVNM]\nversion=\"1.0\"\0x\n"s, u"d", u"1.0"),
        {"NUL ends a key", "[KRVNM]\nver\0sion=1.0\n"s, u"KRVNM", u"ver", u"d", u"1.0"},
        version("NUL before a section", "\0[KRVNM]\nversion=1\n"s, u"d", u"d"),
        version("blanks Windows trims", "[KRVNM]\nversion=\x1a\x0b\x0c 1.0.4\x1a\x0b\x0c \n", u"d", u"1.0.4"),
        // Octal escapes: a hex escape would swallow the digit after it.
        version("blanks Windows keeps", "[KRVNM]\nversion=\034\0371.0.4\034\037\n", u"d",
                u"\u001c\u001f1.0.4\u001c\u001f"),
        version("no-break spaces stay", "[KRVNM]\nversion=\2401.0.4\240\n", u"d", u"\u00a01.0.4\u00a0"),
        version("Windows-1252 without a mark", "[KRVNM]\nversion=\x80\x81\x8D\x8F\x90\x9D\x9F\xE9\xFF\n", u"d",
                u"\u20ac\u0081\u008d\u008f\u0090\u009d\u0178\u00e9\u00ff"),
        version("UTF-8 without a mark", "[KRVNM]\nversion=\xC3\xA9\n", u"d", u"\u00c3\u00a9"),
        version("UTF-8 mark, text", bom8 + "[KRVNM]\nversion=\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\n", u"d",
                u"\u00e9\u20ac\U0001F600"),
        version("UTF-8 mark in the middle", "[KRVNM]\n" + bom8 + "version=1\n", u"d", u"d"),
        {"UTF-8 overlong", u8 + "\xC0\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffdz"},
        {"UTF-8 surrogate", u8 + "\xED\xA0\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffdz"},
        {"UTF-8 bad continuation", u8 + "\xE2\x28\xA1z\n", u"K", u"v", u"d", u"a\ufffd(\ufffdz"},
        {"UTF-8 five bytes", u8 + "\xF8\x88\x80\x80\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffd\ufffd\ufffd\ufffdz"},
        {"UTF-8 beyond U+10FFFF", u8 + "\xF4\x90\x80\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffd\ufffdz"},
        {"UTF-8 highest", u8 + "\xF4\x8F\xBF\xBFz\n", u"K", u"v", u"d", u"a\U0010FFFFz"},
        {"UTF-8 overlong three bytes", u8 + "\xE0\x80\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffdz"},
        {"UTF-8 overlong four bytes", u8 + "\xF0\x80\x80\x80z\n", u"K", u"v", u"d", u"a\ufffd\ufffd\ufffdz"},
        {"UTF-8 lead before a lead", u8 + "\xC2\xC2\x80z\n", u"K", u"v", u"d", u"a\ufffd\u0080z"},
        {"UTF-8 cut by a letter", u8 + "\xF0\x9F\x98z\n", u"K", u"v", u"d", u"a\ufffdz"},
        {"UTF-8 cut by the end swallows", u8 + "\xF0\x28\x28", u"K", u"v", u"d", u"a\ufffd"},
        {"UTF-8 cut by the end swallows a quote", bom8 + "[K]\nv=\"x\xE2\"", u"K", u"v", u"d", u"\"x\ufffd"},
        version("UTF-16 LE", "\xFF\xFE[\0K\0R\0V\0N\0M\0]\0\n\0v\0e\0r\0s\0i\0o\0n\0=\0\x31\0.\0\x32\0\n\0"s, u"d",
                u"1.2"),
        version("UTF-16 BE", "\xFE\xFF\0[\0K\0R\0V\0N\0M\0]\0\n\0v\0e\0r\0s\0i\0o\0n\0=\0\x31\0.\0\x32\0\n"s, u"d",
                u"1.2"),
        {"UTF-16 lone surrogate", "\xFF\xFE[\0K\0]\0\n\0v\0=\0\x00\xD8\x31\0"s, u"K", u"v", u"d", u"\xD800\x31"},
        {"UTF-16 non-ASCII", "\xFF\xFE[\0K\0]\0\n\0v\0=\0\x16\x04\x3D\xD8\x00\xDE"s, u"K", u"v", u"d",
         u"\u0416\U0001F600"},
        {"UTF-32 mark read as UTF-16", "\xFF\xFE\0\0[\0K\0]\0\n\0v\0=\0\x31\0"s, u"K", u"v", u"d", u"d"},
        {"no case folding beyond ASCII", bom8 + "[KRVNM]\n\xC3\x89T\xC3\x89=1\n", u"KRVNM", u"\u00e9t\u00e9", u"d",
         u"d"},
    };
}

} // namespace inicorpus

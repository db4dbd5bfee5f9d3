#pragma once

// PE files and the FileVersion text the system's own version functions read from them, checked against the system in
// the Windows stage and against our reader in the Qt tests. Each case in both word sizes; standard library only.

#include "PeFixtureWriter.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace pecorpus {

using pefixture::Bytes;
using pefixture::put16;
using pefixture::put32;

struct Case
{
    std::string name;
    Bytes bytes;
    std::u16string expected;
};

// Where a UTF-16 text first occurs in the file.
inline std::size_t find(const Bytes& bytes, const std::u16string& text)
{
    Bytes pattern;
    for (char16_t c : text)
        pattern.insert(pattern.end(), {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>(c >> 8)});
    return static_cast<std::size_t>(std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end()) -
                                    bytes.begin());
}

// The header of the version block whose key is text.
inline std::size_t blockOf(const Bytes& bytes, const std::u16string& key)
{
    return find(bytes, key) - 6;
}

inline pefixture::PeFile pe(bool pe32Plus, const pefixture::VersionLayout& version, std::uint16_t language = 0x0409)
{
    return pefixture::buildPe(
        {.pe32Plus = pe32Plus, .versionResource = pefixture::buildVersionInfo(version), .resourceLanguage = language});
}

using Damage = std::function<void(Bytes&, const pefixture::PeOffsets&)>;
using Damages = std::vector<std::pair<std::string, Damage>>;

// Damage to the standard file that leaves nothing to read, for both readers.
inline Damages systemDamages()
{
    return {
        {"empty file", [](auto& b, auto&) { b.clear(); }},
        {"no MZ", [](auto& b, auto&) { b[0] = 'Z'; }},
        {"no PE signature", [](auto& b, auto& l) { b[l.peHeader] = 'X'; }},
        {"cut inside the section table", [](auto& b, auto& l) { b.resize(l.sectionTable + 10); }},
        {"cut inside the version data", [](auto& b, auto& l) { b.resize(l.versionData + 40); }},
        // The file still holds the version bytes after the section, but they are not the section's.
        {"section ends inside the version data",
         [](auto& b, auto& l) {
             put32(b, l.sectionTable + 16, static_cast<std::uint32_t>(l.versionData - l.resourceSection + 16));
         }},
    };
}

// Damage that leaves nothing to read for our reader, where Wine's reader, standing in for
// the system's in the Windows stage, checks less (a signature that is only "PE") or fails.
inline Damages ownDamages()
{
    return {
        {"PE header offset past the end", [](auto& b, auto&) { put32(b, 0x3C, 0xFFFFFFF0); }},
        {"PE signature without its NULs", [](auto& b, auto& l) { b[l.peHeader + 2] = 'X'; }},
        {"unknown optional header magic", [](auto& b, auto& l) { put16(b, l.optionalHeader, 0x107); }},
        {"optional header too short", [](auto& b, auto& l) { put16(b, l.peHeader + 20, 64); }},
        {"optional header size zero", [](auto& b, auto& l) { put16(b, l.peHeader + 20, 0); }},
        {"only two data directories", [](auto& b, auto& l) { put32(b, l.directoryCount, 2); }},
        {"no sections", [](auto& b, auto& l) { put16(b, l.peHeader + 6, 0); }},
        {"65535 sections, table past the end", [](auto& b, auto& l) { put16(b, l.peHeader + 6, 0xFFFF); }},
        {"resource directory outside every section",
         [](auto& b, auto& l) { put32(b, l.resourceDirectory, 0x7FFFF000); }},
        {"resource directory at the top of the address space",
         [](auto& b, auto& l) { put32(b, l.resourceDirectory, 0xFFFFFFFF); }},
        {"section data past the end", [](auto& b, auto& l) { put32(b, l.sectionTable + 20, 0xFFFFFE00); }},
        {"section raw size huge",
         [](auto& b, auto& l) {
             put32(b, l.sectionTable + 16, 0xFFFFFFFF);
             put32(b, l.sectionTable + 20, 0xFFFFFF00);
         }},
        {"section address wraps",
         [](auto& b, auto& l) {
             put32(b, l.sectionTable + 12, 0xFFFFFF00);
             put32(b, l.resourceDirectory, 0xFFFFFFF8);
         }},
        {"directory claims 131070 entries", [](auto& b, auto& l) { put32(b, l.typeDirectory + 12, 0xFFFFFFFF); }},
        {"type directory without entries", [](auto& b, auto& l) { put16(b, l.typeDirectory + 14, 0); }},
        {"version type is a data entry", [](auto& b, auto& l) { put32(b, l.typeDirectory + 20, 24); }},
        {"type entry points back at the root", [](auto& b, auto& l) { put32(b, l.typeDirectory + 20, 0x80000000u); }},
        {"name entry points at itself", [](auto& b, auto& l) { put32(b, l.nameDirectory + 20, 0x80000000u | 24); }},
        {"language entry is a directory pointing at the root",
         [](auto& b, auto& l) { put32(b, l.languageDirectory + 20, 0x80000000u); }},
        {"language entry points past the end",
         [](auto& b, auto& l) { put32(b, l.languageDirectory + 20, 0x7FFFFFF0); }},
        {"data entry points at the directory as data", [](auto& b, auto& l) { put32(b, l.languageDirectory + 20, 0); }},
        {"data size of 4 GiB", [](auto& b, auto& l) { put32(b, l.dataEntry + 4, 0xFFFFFFFF); }},
        {"data size zero", [](auto& b, auto& l) { put32(b, l.dataEntry + 4, 0); }},
        {"data address wraps", [](auto& b, auto& l) { put32(b, l.dataEntry, 0xFFFFFFFE); }},
        {"version block length below its header", [](auto& b, auto& l) { put16(b, l.versionData, 5); }},
        {"version block cut before its children", [](auto& b, auto& l) { put16(b, l.versionData, 92); }},
        {"root value length huge", [](auto& b, auto& l) { put16(b, l.versionData + 2, 0xFFFF); }},
        {"root key without NUL",
         [](auto& b, auto& l) {
             put16(b, l.versionData, 6 + 8);
             for (std::size_t i = 0; i < 8; i += 2)
                 put16(b, l.versionData + 6 + i, u'V');
         }},
        // Damage inside the version blocks: the walk ends and never leaves the resource.
        {"first child of zero length", [](auto& b, auto&) { put16(b, blockOf(b, u"StringFileInfo"), 0); }},
        // The translation after it is then out of reach.
        {"first child reaching past the root", [](auto& b, auto&) { put16(b, blockOf(b, u"StringFileInfo"), 0xFFFF); }},
        {"table key cut off", [](auto& b, auto&) { put16(b, blockOf(b, u"040904B0"), 8); }},
        {"translation value of two bytes", [](auto& b, auto&) { put16(b, blockOf(b, u"Translation") + 2, 2); }},
        {"translation without value", [](auto& b, auto&) { put16(b, blockOf(b, u"Translation") + 2, 0); }},
    };
}

// With ownDamage, also the damage only our reader is checked against.
inline std::vector<Case> cases(bool ownDamage = false)
{
    using V = pefixture::VersionLayout;
    std::vector<Case> cases;
    for (bool pe32Plus : {false, true}) {
        const std::string size = pe32Plus ? "PE32+ " : "PE32 ";
        const auto add = [&](const std::string& name, const pefixture::PeFile& file, const std::u16string& expected) {
            cases.push_back({size + name, file.bytes, expected});
        };
        // The version in the resource language and translation of each language and code page.
        const std::tuple<std::uint16_t, std::uint16_t, std::u16string> languages[] = {
            {0x0409, 1200, u"1.4.0"},       {0x0407, 1252, u"1.4.0-beta5"}, {0x0411, 932, u"1.10.0"},
            {0x0804, 936, u"0.7.5 \u7248"}, {0x0419, 1251, u"1.2.0-RC1"},   {0x0000, 0x04B0, u"r26400"},
            {0xFFFF, 0xFFFF, u"9"}};
        for (const auto& [id, codePage, version] : languages)
            add("language " + std::to_string(id), pe(pe32Plus, pefixture::standardVersion(version, id, codePage), id),
                version);

        // The first translation chooses the table, wherever it stands and whatever else the resource holds.
        const std::pair<const char*, std::pair<V, std::u16string>> tables[] = {
            {"German first, its table second",
             {{{0x040704E4, 0x040904B0},
               {{u"040904B0", {{u"FileVersion", u"english"}}}, {u"040704E4", {{u"FileVersion", u"german"}}}}},
              u"german"}},
            {"keys compared without case", {{{0x040704E4}, {{u"040704e4", {{u"fileversion", u"1.3.0"}}}}}, u"1.3.0"}},
            {"no table for the translation", {{{0x040704E4}, {{u"040904B0", {{u"FileVersion", u"1.4.0"}}}}}, u""}},
            {"no VarFileInfo", {{{}, {{u"040904B0", {{u"FileVersion", u"1.4.0"}}}}}, u""}},
            {"table without FileVersion", {{{0x040904B0}, {{u"040904B0", {{u"ProductVersion", u"1.4.0"}}}}}, u""}},
            {"only the exact key",
             {{{0x040904B0},
               {{u"040904B0", {{u"FileVersionX", u"no"}, {u"FileVersio", u"no"}, {u"FileVersion", u"yes"}}}}},
              u"yes"}},
            {"empty FileVersion", {{{0x040904B0}, {{u"040904B0", {{u"FileVersion", u""}}}}}, u""}},
            {"cut at the first NUL",
             {{{0x040904B0}, {{u"040904B0", {{u"FileVersion", std::u16string(u"1.4.0\0junk", 10)}}}}}, u"1.4.0"}},
        };
        for (const auto& [name, table] : tables)
            add(name, pe(pe32Plus, table.first), table.second);

        pefixture::PeLayout layout;
        layout.pe32Plus = pe32Plus;
        add("a resource tree without a version entry", pefixture::buildPe(layout), u"");
        layout.versionResource = pefixture::buildVersionInfo(pefixture::standardVersion(u"1.4.0"));
        layout.overlayBytes = 1024 * 1024;
        add("installer data after the image", pefixture::buildPe(layout), u"1.4.0");
        layout.overlayBytes = 0;
        layout.versionNameId = 2;
        add("version resource under another name", pefixture::buildPe(layout), u"");
        layout.withResources = false;
        add("no resources", pefixture::buildPe(layout), u"");

        Damages damages = systemDamages();
        if (ownDamage)
            std::ranges::move(ownDamages(), std::back_inserter(damages));
        for (const auto& [name, damage] : damages) {
            pefixture::PeFile file = pe(pe32Plus, pefixture::standardVersion(u"1.4.0"));
            damage(file.bytes, file.offsets);
            add(name, file, u"");
        }
    }
    cases.push_back({"a text file", {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'}, u""});
    return cases;
}

} // namespace pecorpus

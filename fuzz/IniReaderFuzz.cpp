// libFuzzer target for the INI reader: any file must give an answer of at most 254
// characters without a crash, a hang, an undefined operation or an allocation beyond one
// answer's worth. The first byte picks the names asked for.

#include "AllocationLimit.h"
#include "updates/IniReader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct Question
{
    std::u16string_view section;
    std::u16string_view key;
    std::u16string_view defaultValue;
};

constexpr Question Questions[] = {
    {u"KRVNM", u"version", u""},
    {u" krvnm\t", u"VERSION ", u"1.0.4  "},
    {u"", u"", u"'d'"},
    {u"K", u"v", u"d"},
};

// The answer and the small fixed bookkeeping beside it.
constexpr std::size_t AnswerAllowance = 1024;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    allocationlimit::install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Question& question = Questions[data[0] % std::size(Questions)];
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    std::u16string answer;
    allocationlimit::check(AnswerAllowance, size,
                           [&] { answer = iniValueOf(file, question.section, question.key, question.defaultValue); });
    FUZZ_ASSERT(answer.size() < IniBufferChars);
    return 0;
}

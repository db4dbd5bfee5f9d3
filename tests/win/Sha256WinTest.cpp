// SHA-256 over Windows' CNG against the published test vectors (FIPS 180-2), fed whole
// and in uneven pieces, with a digest taken midway that must not end the hash.

#include "WinCheck.h"
#include "net/Sha256.h"

#include <string>
#include <utility>

namespace {

std::string digestOf(const std::string& text, std::size_t piece)
{
    Sha256 hash;
    for (std::size_t at = 0; at < text.size(); at += piece)
        hash.add(text.data() + at, std::min(piece, text.size() - at));
    return Sha256::hex(hash.current());
}

} // namespace

int main()
{
    const std::string empty = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
    const std::string abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    const std::pair<std::string, std::string> vectors[] = {
        {"", empty},
        {"abc", abc},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"}};
    for (std::size_t piece : {std::size_t(1), std::size_t(7), std::size_t(1) << 20})
        for (const auto& [text, digest] : vectors)
            WIN_CHECK_EQUAL(digest, digestOf(text, piece));
    WIN_CHECK_EQUAL(std::string("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"),
                    digestOf(std::string(1000000, 'a'), 4096));

    // A look midway leaves the hash going on.
    Sha256 hash;
    hash.add("a", 1);
    hash.current();
    hash.add("bc", 2);
    WIN_CHECK_EQUAL(abc, Sha256::hex(hash.current()));
    hash.reset();
    WIN_CHECK_EQUAL(empty, Sha256::hex(hash.current()));
    return wincheck::finish();
}

// The project's MD5 against the test suite published with RFC 1321, and the length guard of the
// operation the settings file uses.
#include <gtest/gtest.h>

#include <string>

#include "settings/Md5.h"

namespace {

std::string hex(const Md5Digest& digest) {
    std::string text;
    for (const std::uint8_t byte : digest) {
        text += "0123456789abcdef"[byte >> 4];
        text += "0123456789abcdef"[byte & 15];
    }
    return text;
}

const std::pair<std::string, const char*> RFC_1321_SUITE[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
    {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},  // the widely published long case
};

}  // namespace

TEST(Md5, MatchesTheRfc1321TestSuite) {
    for (const auto& [message, digest] : RFC_1321_SUITE) {
        EXPECT_EQ(hex(md5Digest(message.data(), message.size())), digest) << message.size() << " bytes";
    }
}

TEST(Md5, TheGuardedOperationTakesFourTo1023BytesAndLeavesTheOutputOtherwise) {
    const std::string data(1100, 'v');
    for (const std::size_t length : {0, 3, 4, 14, 524, 1023, 1024}) {
        Md5Digest output{};
        output.fill(0xA5);
        const Md5Digest untouched = output;
        const bool accepted = length >= 4 && length <= 1023;
        EXPECT_EQ(computeMd5(data.data(), length, output.data()), accepted) << length;
        EXPECT_EQ(output, accepted ? md5Digest(data.data(), length) : untouched) << length;
    }
}

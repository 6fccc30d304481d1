// MD5 as published in RFC 1321: 64-byte blocks through four rounds of sixteen steps each, the
// message padded with 0x80, zeros and its bit length, all words little-endian.
#include "settings/Md5.h"

#include <algorithm>
#include <cstring>

namespace {

inline constexpr std::size_t BLOCK_SIZE = 64;

// Per-step shift amounts, four for each round.
inline constexpr std::array<int, 16> SHIFTS{7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

// floor(abs(sin(i + 1)) * 2^32), written out so that no floating point is involved.
inline constexpr std::array<std::uint32_t, 64> SINES{
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

struct State {
    std::array<std::uint32_t, 4> words{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
};

std::uint32_t rotateLeft(std::uint32_t value, int amount) {
    return (value << amount) | (value >> (32 - amount));
}

std::uint32_t loadLittleEndian(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The round function and message word of step i (0..63).
std::uint32_t mix(int i, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::size_t& wordIndex) {
    const std::size_t step = static_cast<std::size_t>(i);
    switch (i / 16) {
        case 0:
            wordIndex = step;
            return (b & c) | (~b & d);
        case 1:
            wordIndex = (5 * step + 1) % 16;
            return (b & d) | (c & ~d);
        case 2:
            wordIndex = (3 * step + 5) % 16;
            return b ^ c ^ d;
        default:
            wordIndex = (7 * step) % 16;
            return c ^ (b | ~d);
    }
}

void processBlock(State& state, const std::uint8_t* block) {
    std::array<std::uint32_t, 16> message{};
    for (std::size_t i = 0; i < message.size(); ++i) {
        message[i] = loadLittleEndian(block + 4 * i);
    }
    auto [a, b, c, d] = state.words;
    for (int i = 0; i < 64; ++i) {
        std::size_t wordIndex = 0;
        const std::uint32_t f = mix(i, b, c, d, wordIndex);
        const std::uint32_t sum = a + f + SINES[static_cast<std::size_t>(i)] + message[wordIndex];
        a = d;
        d = c;
        c = b;
        b += rotateLeft(sum, SHIFTS[static_cast<std::size_t>(i / 16 * 4 + i % 4)]);
    }
    state.words[0] += a;
    state.words[1] += b;
    state.words[2] += c;
    state.words[3] += d;
}

}  // namespace

Md5Digest md5Digest(const void* data, std::size_t length) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    State state;
    std::size_t done = 0;
    for (; length - done >= BLOCK_SIZE; done += BLOCK_SIZE) {
        processBlock(state, bytes + done);
    }
    // The rest, the 0x80 marker and the 64-bit bit length fill one or two final blocks.
    std::array<std::uint8_t, 2 * BLOCK_SIZE> tail{};
    const std::size_t rest = length - done;
    if (rest > 0) {
        std::memcpy(tail.data(), bytes + done, rest);
    }
    tail[rest] = 0x80;
    const std::size_t tailSize = rest + 1 + 8 <= BLOCK_SIZE ? BLOCK_SIZE : 2 * BLOCK_SIZE;
    const std::uint64_t bitLength = static_cast<std::uint64_t>(length) * 8;
    for (std::size_t i = 0; i < 8; ++i) {
        tail[tailSize - 8 + i] = static_cast<std::uint8_t>(bitLength >> (8 * i));
    }
    for (std::size_t offset = 0; offset < tailSize; offset += BLOCK_SIZE) {
        processBlock(state, tail.data() + offset);
    }
    Md5Digest digest{};
    for (std::size_t i = 0; i < digest.size(); ++i) {
        digest[i] = static_cast<std::uint8_t>(state.words[i / 4] >> (8 * (i % 4)));
    }
    return digest;
}

bool computeMd5(const void* data, std::size_t length, std::uint8_t* output) {
    if (length < MD5_MIN_LENGTH || length > MD5_MAX_LENGTH) {
        return false;
    }
    const Md5Digest digest = md5Digest(data, length);
    std::copy(digest.begin(), digest.end(), output);
    return true;
}

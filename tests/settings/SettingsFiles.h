// Test helpers for settings files as bytes: reading and writing them whole, and sealing or checking
// their digest the way any third party could, from the file's published layout and MD5 alone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/Md5.h"

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::size_t RECORD_SIZE = 524;
inline constexpr std::size_t DIGEST_OFFSET = 502;
inline constexpr std::size_t SALT_OFFSET = 520;

inline Bytes readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The digest of a record's first 524 bytes: digest field zeroed, 2958147 little-endian at 520.
inline Md5Digest saltedDigest(Bytes record) {
    record.resize(RECORD_SIZE);
    std::fill_n(record.begin() + DIGEST_OFFSET, MD5_DIGEST_SIZE, 0);
    const std::uint32_t salt = 2958147;
    for (std::size_t i = 0; i < 4; ++i) {
        record[SALT_OFFSET + i] = static_cast<std::uint8_t>(salt >> (8 * i));
    }
    return md5Digest(record.data(), RECORD_SIZE);
}

inline bool digestVerifies(const Bytes& file) {
    if (file.size() < RECORD_SIZE) {
        return false;
    }
    const Md5Digest digest = saltedDigest(file);
    return std::equal(digest.begin(), digest.end(), file.begin() + DIGEST_OFFSET);
}

// Stores the digest that makes the record valid.
inline void sealDigest(Bytes& file) {
    const Md5Digest digest = saltedDigest(file);
    std::copy(digest.begin(), digest.end(), file.begin() + DIGEST_OFFSET);
}

// The MD5 message digest (RFC 1321), the settings file's integrity check.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t MD5_DIGEST_SIZE = 16;
inline constexpr std::size_t MD5_MIN_LENGTH = 4;  // bytes the guarded operation accepts
inline constexpr std::size_t MD5_MAX_LENGTH = 1023;

using Md5Digest = std::array<std::uint8_t, MD5_DIGEST_SIZE>;

// The digest of any `length` bytes, in the standard's byte order.
[[nodiscard]] Md5Digest md5Digest(const void* data, std::size_t length);

// The digest of 4 to 1023 bytes into `output` (16 bytes). Any other length returns false and leaves
// `output` untouched.
[[nodiscard]] bool computeMd5(const void* data, std::size_t length, std::uint8_t* output);

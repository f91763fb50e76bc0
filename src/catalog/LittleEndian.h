#pragma once

#include <bit>
#include <concepts>
#include <cstdint>
#include <type_traits>

// Little-endian fields of the binary data files, read and written byte by byte so that the
// files are the same whatever the machine's byte order. The record pointers may be char or
// unsigned char.
namespace catalog {

template <class T>
concept RecordByte = std::same_as < std::remove_const_t<T>,
char > || std::same_as<std::remove_const_t<T>, unsigned char>;

template <RecordByte Byte> std::uint16_t readU16(const Byte* p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) |
                                      static_cast<unsigned char>(p[1]) << 8);
}

template <RecordByte Byte> std::uint32_t readU32(const Byte* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(p[i]);
    return v;
}

template <RecordByte Byte> std::uint64_t readU64(const Byte* p) {
    return static_cast<std::uint64_t>(readU32(p)) | static_cast<std::uint64_t>(readU32(p + 4))
                                                        << 32;
}

template <RecordByte Byte> std::int16_t readI16(const Byte* p) {
    return static_cast<std::int16_t>(readU16(p));
}

template <RecordByte Byte> std::int32_t readI32(const Byte* p) {
    return static_cast<std::int32_t>(readU32(p));
}

template <RecordByte Byte> float readF32(const Byte* p) {
    return std::bit_cast<float>(readU32(p));
}

template <RecordByte Byte> double readF64(const Byte* p) {
    return std::bit_cast<double>(readU64(p));
}

template <RecordByte Byte> void writeU16(Byte* p, std::uint16_t v) {
    p[0] = static_cast<Byte>(v & 0xFF);
    p[1] = static_cast<Byte>(v >> 8);
}

template <RecordByte Byte> void writeU32(Byte* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<Byte>((v >> (8 * i)) & 0xFF);
}

template <RecordByte Byte> void writeU64(Byte* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<Byte>((v >> (8 * i)) & 0xFF);
}

template <RecordByte Byte> void writeI16(Byte* p, std::int16_t v) {
    writeU16(p, static_cast<std::uint16_t>(v));
}

template <RecordByte Byte> void writeI32(Byte* p, std::int32_t v) {
    writeU32(p, static_cast<std::uint32_t>(v));
}

template <RecordByte Byte> void writeF32(Byte* p, float v) {
    writeU32(p, std::bit_cast<std::uint32_t>(v));
}

template <RecordByte Byte> void writeF64(Byte* p, double v) {
    writeU64(p, std::bit_cast<std::uint64_t>(v));
}

} // namespace catalog

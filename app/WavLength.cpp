#include "app/WavLength.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace {

std::uint32_t LittleEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

struct ChunkHeader {
    std::array<char, 4> id{};
    std::uint32_t size = 0;
};

bool ReadChunkHeader(std::ifstream& file, ChunkHeader& header) {
    unsigned char bytes[8];
    if (!file.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        return false;
    }
    std::memcpy(header.id.data(), bytes, 4);
    header.size = LittleEndian32(bytes + 4);
    return true;
}

bool IsId(const ChunkHeader& header, const char* id) {
    return std::memcmp(header.id.data(), id, 4) == 0;
}

} // namespace

std::optional<std::chrono::milliseconds> WavLength(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    if (!file) {
        return std::nullopt;
    }
    const std::uint64_t fileSize = static_cast<std::uint64_t>(file.tellg());
    file.seekg(0);
    ChunkHeader riff;
    char wave[4];
    if (!ReadChunkHeader(file, riff) || !IsId(riff, "RIFF") || !file.read(wave, 4) ||
        std::memcmp(wave, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    std::uint32_t byteRate = 0;
    ChunkHeader chunk;
    while (ReadChunkHeader(file, chunk)) {
        const std::uint64_t chunkStart = static_cast<std::uint64_t>(file.tellg());
        if (IsId(chunk, "fmt ")) {
            unsigned char format[12];
            if (chunk.size < 16 || !file.read(reinterpret_cast<char*>(format), sizeof format)) {
                return std::nullopt;
            }
            byteRate = LittleEndian32(format + 8);
        } else if (IsId(chunk, "data")) {
            if (byteRate == 0) {
                return std::nullopt;
            }
            // Streaming writers leave a placeholder size; the bytes really present count.
            const std::uint64_t dataSize = std::min<std::uint64_t>(chunk.size, fileSize - chunkStart);
            return std::chrono::milliseconds(dataSize * 1000 / byteRate);
        }
        // Chunks are padded to an even size.
        file.seekg(static_cast<std::streamoff>(chunkStart + chunk.size + (chunk.size & 1)));
    }
    return std::nullopt;
}

#include "Png.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace agendrix::skins {

namespace {

    std::uint32_t Crc32(const std::uint8_t* data, std::size_t size)
    {
        static const std::array<std::uint32_t, 256> table = [] {
            std::array<std::uint32_t, 256> t {};
            for (std::uint32_t n = 0; n < 256; ++n) {
                std::uint32_t c = n;
                for (int k = 0; k < 8; ++k)
                    c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
                t[n] = c;
            }
            return t;
        }();
        std::uint32_t crc = 0xFFFFFFFFU;
        for (std::size_t i = 0; i < size; ++i)
            crc = table[(crc ^ data[i]) & 0xFFU] ^ (crc >> 8);
        return crc ^ 0xFFFFFFFFU;
    }

    std::uint32_t Adler32(const std::vector<std::uint8_t>& data)
    {
        std::uint32_t a = 1;
        std::uint32_t b = 0;
        for (std::uint8_t byte : data) {
            a = (a + byte) % 65521U;
            b = (b + a) % 65521U;
        }
        return (b << 16) | a;
    }

    void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFFU));
    }

    void PutChunk(
        std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data)
    {
        PutBe32(out, static_cast<std::uint32_t>(data.size()));
        const std::size_t typeStart = out.size();
        out.insert(out.end(), type.begin(), type.end());
        out.insert(out.end(), data.begin(), data.end());
        PutBe32(out, Crc32(out.data() + typeStart, out.size() - typeStart));
    }

    // A zlib stream of "stored" deflate blocks, each at most 65,535 bytes.
    std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw)
    {
        constexpr std::size_t maxBlock = 65535;
        std::vector<std::uint8_t> out { 0x78, 0x01 };
        std::size_t offset = 0;
        do {
            const std::size_t size = std::min(maxBlock, raw.size() - offset);
            const bool last = offset + size == raw.size();
            out.push_back(last ? 1 : 0);
            out.push_back(static_cast<std::uint8_t>(size & 0xFFU));
            out.push_back(static_cast<std::uint8_t>(size >> 8));
            out.push_back(static_cast<std::uint8_t>(~size & 0xFFU));
            out.push_back(static_cast<std::uint8_t>((~size >> 8) & 0xFFU));
            out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                raw.begin() + static_cast<std::ptrdiff_t>(offset + size));
            offset += size;
        } while (offset < raw.size());
        PutBe32(out, Adler32(raw));
        return out;
    }

} // namespace

std::vector<std::uint8_t> PngBytes(int width, int height, const std::vector<std::uint8_t>& rgba)
{
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    if (width <= 0 || height <= 0 || rgba.size() != rowBytes * static_cast<std::size_t>(height))
        throw std::invalid_argument("PNG pixels do not match the size");
    std::vector<std::uint8_t> out { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    std::vector<std::uint8_t> header;
    PutBe32(header, static_cast<std::uint32_t>(width));
    PutBe32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), { 8, 6, 0, 0, 0 }); // 8 bits a channel, RGBA, no interlace
    PutChunk(out, "IHDR", header);
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        const auto row = rgba.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y));
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    PutChunk(out, "IDAT", StoredZlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

} // namespace agendrix::skins

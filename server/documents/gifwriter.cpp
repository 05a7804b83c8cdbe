// SPDX-License-Identifier: LicenseRef-Mervak
#include "gifwriter.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Mervak::Server {

namespace {

// 6 x 6 x 6 colour cube followed by 40 greys.
constexpr int CubeLevels = 6;
constexpr int GreyCount = 40;

std::array<QRgb, 256> palette()
{
    std::array<QRgb, 256> p{};
    int n = 0;
    for (int r = 0; r < CubeLevels; ++r) {
        for (int g = 0; g < CubeLevels; ++g) {
            for (int b = 0; b < CubeLevels; ++b)
                p[n++] = qRgb(r * 51, g * 51, b * 51);
        }
    }
    for (int i = 0; i < GreyCount; ++i) {
        const int v = (i + 1) * 255 / (GreyCount + 1);
        p[n++] = qRgb(v, v, v);
    }
    return p;
}

uint8_t paletteIndex(QRgb c)
{
    const int r = qRed(c);
    const int g = qGreen(c);
    const int b = qBlue(c);
    const int cube = ((r + 25) / 51) * 36 + ((g + 25) / 51) * 6 + (b + 25) / 51;
    // Near-grey colours take the finer grey ramp when it is closer.
    if (qAbs(r - g) < 12 && qAbs(g - b) < 12 && qAbs(r - b) < 12) {
        const int v = (r + g + b) / 3;
        int grey = qBound(0, (v * (GreyCount + 1) + 127) / 255 - 1, GreyCount - 1);
        const int greyValue = (grey + 1) * 255 / (GreyCount + 1);
        const int cubeValue = ((v + 25) / 51) * 51;
        if (qAbs(greyValue - v) < qAbs(cubeValue - v))
            return uint8_t(216 + grey);
    }
    return uint8_t(cube);
}

class BitWriter
{
public:
    void write(uint32_t code, int bits)
    {
        m_buffer |= uint64_t(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            m_bytes.push_back(uint8_t(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_count -= 8;
        }
    }
    std::vector<uint8_t> finish()
    {
        if (m_count > 0)
            m_bytes.push_back(uint8_t(m_buffer & 0xFF));
        m_buffer = 0;
        m_count = 0;
        return std::move(m_bytes);
    }

private:
    std::vector<uint8_t> m_bytes;
    uint64_t m_buffer = 0;
    int m_count = 0;
};

// LZW with 8-bit minimum code size; the dictionary restarts when it reaches 4096 codes.
std::vector<uint8_t> compress(const std::vector<uint8_t> &pixels)
{
    constexpr int MinCodeSize = 8;
    constexpr uint32_t ClearCode = 1u << MinCodeSize;
    constexpr uint32_t EndCode = ClearCode + 1;
    // next[code * 256 + byte] = the code of that string plus byte, 0 when absent.
    std::vector<uint16_t> next(4096 * 256, 0);
    BitWriter out;
    int codeSize = MinCodeSize + 1;
    uint32_t maxCode = EndCode;
    out.write(ClearCode, codeSize);
    if (pixels.empty()) {
        out.write(EndCode, codeSize);
        return out.finish();
    }
    uint32_t current = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const uint8_t value = pixels[i];
        const uint16_t found = next[current * 256 + value];
        if (found != 0) {
            current = found;
            continue;
        }
        out.write(current, codeSize);
        next[current * 256 + value] = uint16_t(++maxCode);
        if (maxCode >= (1u << codeSize))
            ++codeSize;
        if (maxCode == 4095) {
            out.write(ClearCode, codeSize);
            std::fill(next.begin(), next.end(), 0);
            codeSize = MinCodeSize + 1;
            maxCode = EndCode;
        }
        current = value;
    }
    out.write(current, codeSize);
    out.write(ClearCode, codeSize);
    out.write(EndCode, MinCodeSize + 1);
    return out.finish();
}

void put16(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

} // namespace

QByteArray writeGif(const QList<QImage> &frames, int delayCs)
{
    if (frames.isEmpty())
        return QByteArray();
    const int width = frames.first().width();
    const int height = frames.first().height();
    const std::array<QRgb, 256> colours = palette();

    QByteArray out("GIF89a");
    put16(out, width);
    put16(out, height);
    out.append(char(0xF7));      // global colour table of 256 entries, 8 bits per primary
    out.append(char(0));         // background colour
    out.append(char(0));         // pixel aspect ratio
    for (const QRgb c : colours) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    if (frames.size() > 1) {
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        put16(out, 0);           // loop for ever
        out.append(char(0));
    }
    for (const QImage &frame : frames) {
        const QImage image = frame.convertToFormat(QImage::Format_RGB32)
                                 .scaled(width, height, Qt::IgnoreAspectRatio);
        out.append("\x21\xF9\x04", 3);
        out.append(char(0x04));  // disposal: leave the frame in place
        put16(out, frames.size() > 1 ? delayCs : 0);
        out.append(char(0));
        out.append(char(0));

        out.append(char(0x2C));
        put16(out, 0);
        put16(out, 0);
        put16(out, width);
        put16(out, height);
        out.append(char(0));     // no local table, not interlaced

        std::vector<uint8_t> pixels;
        pixels.reserve(std::size_t(width) * std::size_t(height));
        for (int y = 0; y < height; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < width; ++x)
                pixels.push_back(paletteIndex(line[x]));
        }
        const std::vector<uint8_t> data = compress(pixels);
        out.append(char(8));     // minimum code size
        for (std::size_t pos = 0; pos < data.size(); pos += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - pos);
            out.append(char(n));
            out.append(reinterpret_cast<const char *>(data.data() + pos), qsizetype(n));
        }
        out.append(char(0));
    }
    out.append(char(0x3B));
    return out;
}

} // namespace Mervak::Server

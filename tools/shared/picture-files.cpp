// picture-files.cpp -- writes PNG and WAV files byte for byte the same on every run, and makes folders.
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <zlib.h>
#include "picture.h"

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back((uint8_t)(v >> 24));
    out.push_back((uint8_t)(v >> 16));
    out.push_back((uint8_t)(v >> 8));
    out.push_back((uint8_t)v);
}

void putLe(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back((uint8_t)(v >> (8 * i)));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    put32(out, (uint32_t)(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + start, (uInt)(out.size() - start));
    put32(out, (uint32_t)crc);
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        fprintf(stderr, "makeassets: cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (fclose(f) == 0) && ok;
    if (!ok)
        fprintf(stderr, "makeassets: short write on %s\n", path.c_str());
    return ok;
}

} // namespace

bool savePng(const Image& img, const std::string& path)
{
    // Raw scanlines, each led by filter byte 0; fully transparent pixels are
    // stored as zero so stray colour never hides under alpha.
    std::vector<uint8_t> raw;
    raw.reserve((size_t)img.h * (img.w * 4 + 1));
    for (int y = 0; y < img.h; y++) {
        raw.push_back(0);
        for (int x = 0; x < img.w; x++) {
            Rgba c = img.px[(size_t)y * img.w + x];
            if (c.a == 0)
                c = CLEAR;
            raw.push_back(c.r);
            raw.push_back(c.g);
            raw.push_back(c.b);
            raw.push_back(c.a);
        }
    }
    uLongf packedSize = compressBound((uLong)(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), (uLong)(raw.size()), 9) != Z_OK) {
        fprintf(stderr, "makeassets: compression failed for %s\n", path.c_str());
        return false;
    }
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    put32(ihdr, (uint32_t)img.w);
    put32(ihdr, (uint32_t)img.h);
    ihdr.push_back(8);   // bits per channel
    ihdr.push_back(6);   // RGBA
    ihdr.push_back(0);   // deflate
    ihdr.push_back(0);   // adaptive filtering
    ihdr.push_back(0);   // no interlace
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return writeFile(path, out);
}

bool saveWav(const std::vector<int16_t>& samples, int rate, const std::string& path)
{
    uint32_t dataBytes = (uint32_t)(samples.size() * 2);
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    putLe(out, 36 + dataBytes, 4);
    const char* wavefmt = "WAVEfmt ";
    out.insert(out.end(), wavefmt, wavefmt + 8);
    putLe(out, 16, 4);            // fmt chunk size
    putLe(out, 1, 2);             // PCM
    putLe(out, 1, 2);             // mono
    putLe(out, (uint32_t)rate, 4);
    putLe(out, (uint32_t)rate * 2, 4);
    putLe(out, 2, 2);             // block align
    putLe(out, 16, 2);            // bits per sample
    out.push_back('d');
    out.push_back('a');
    out.push_back('t');
    out.push_back('a');
    putLe(out, dataBytes, 4);
    for (int16_t s : samples)
        putLe(out, (uint16_t)s, 2);
    return writeFile(path, out);
}

bool makeDirs(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) {
        fprintf(stderr, "makeassets: cannot create %s: %s\n", path.c_str(), ec.message().c_str());
        return false;
    }
    return true;
}

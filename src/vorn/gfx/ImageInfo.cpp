#include "vorn/gfx/ImageInfo.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "vorn/gfx/Gfx.h"

namespace vorn {

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

int64_t FileSize(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(file);
    std::rewind(file);
    return size;
}

bool ReadAt(FILE* file, int64_t offset, unsigned char* buffer, size_t count) {
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fread(buffer, 1, count, file) == count;
}

uint32_t Le16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint32_t Be16(const unsigned char* p) {
    return (p[0] << 8) | p[1];
}
uint32_t Be32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

bool ReadBmp(FILE* file, int64_t size, CImageInfo& info, std::string& problem) {
    unsigned char header[54] = {};
    if (size < 26 || !ReadAt(file, 0, header, size < 54 ? 26 : 54)) {
        problem = "the BMP header is cut short";
        return false;
    }
    const uint32_t dataOffset = Le32(header + 10);
    const uint32_t headerSize = Le32(header + 14);
    int64_t bitsPerPixel = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {
        // The old core header: 16-bit sizes.
        info.width = Le16(header + 18);
        info.height = Le16(header + 20);
        bitsPerPixel = size >= 26 ? Le16(header + 24) : 0;
    } else {
        if (size < 54 || headerSize < 40) {
            problem = "the BMP header is cut short";
            return false;
        }
        info.width = static_cast<int32_t>(Le32(header + 18));
        // A negative height marks rows stored top-down.
        const int32_t height = static_cast<int32_t>(Le32(header + 22));
        info.height = height < 0 ? -int64_t(height) : int64_t(height);
        bitsPerPixel = Le16(header + 28);
        compression = Le32(header + 30);
    }
    if (!Gfx::IsSurfaceSizeAllowed(info.width, info.height))
        return true;  // the caller's size check refuses it with its own message
    // Uncompressed rows must fit in the file; the decoder rejects the rest.
    if (compression == 0 || compression == 3) {
        const int64_t stride = ((info.width * bitsPerPixel + 31) / 32) * 4;
        if (bitsPerPixel <= 0 || int64_t(dataOffset) + stride * info.height > size) {
            problem = "the BMP pixel data is cut short";
            return false;
        }
    }
    return true;
}

bool ReadPng(FILE* file, int64_t size, CImageInfo& info, std::string& problem) {
    unsigned char chunk[8 + 8 + 13];
    if (!ReadAt(file, 0, chunk, sizeof(chunk)) || Be32(chunk + 8) != 13 ||
        std::string(reinterpret_cast<char*>(chunk + 12), 4) != "IHDR") {
        problem = "the PNG header is missing or cut short";
        return false;
    }
    info.width = Be32(chunk + 16);
    info.height = Be32(chunk + 20);
    // Walk the chunks: each must lie wholly inside the file, up to IEND.
    int64_t position = 8;
    bool sawData = false;
    while (true) {
        unsigned char head[8];
        if (position + 12 > size || !ReadAt(file, position, head, 8)) {
            problem = "the PNG file ends before its IEND chunk";
            return false;
        }
        const int64_t length = Be32(head);
        const std::string type(reinterpret_cast<char*>(head + 4), 4);
        if (length > 0x7FFFFFFF || position + 12 + length > size) {
            problem = "the PNG chunk " + type + " runs past the end of the file";
            return false;
        }
        if (type == "IDAT") sawData = true;
        if (type == "IEND") break;
        position += 12 + length;
    }
    if (!sawData) {
        problem = "the PNG file has no image data";
        return false;
    }
    return true;
}

bool IsFrameHeader(int marker) {
    // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// True when an end-of-image marker follows position; entropy-coded data
// never holds FF D9 (a data byte FF is always followed by 00).
bool FindEndMarker(FILE* file, int64_t position) {
    if (std::fseek(file, static_cast<long>(position), SEEK_SET) != 0) return false;
    unsigned char buffer[16384];
    bool previousFF = false;
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        for (size_t i = 0; i < got; ++i) {
            if (previousFF && buffer[i] == 0xD9) return true;
            previousFF = buffer[i] == 0xFF;
        }
    }
    return false;
}

bool ReadJpeg(FILE* file, int64_t size, CImageInfo& info, std::string& problem) {
    int64_t position = 2;
    bool sawFrame = false;
    while (true) {
        unsigned char head[4];
        if (position + 2 > size || !ReadAt(file, position, head, 2) || head[0] != 0xFF) {
            problem = "the JPEG file ends or breaks before its image data";
            return false;
        }
        const int marker = head[1];
        if (marker == 0xFF) {  // fill byte
            position += 1;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length
            position += 2;
            continue;
        }
        if (marker == 0xD9) {
            problem = "the JPEG file ends before its image data";
            return false;
        }
        if (position + 4 > size || !ReadAt(file, position + 2, head + 2, 2)) {
            problem = "the JPEG file ends inside a segment header";
            return false;
        }
        const int64_t length = Be16(head + 2);
        if (length < 2 || position + 2 + length > size) {
            problem = "a JPEG segment runs past the end of the file";
            return false;
        }
        if (IsFrameHeader(marker)) {
            unsigned char frame[5];
            if (length < 7 || !ReadAt(file, position + 4, frame, 5)) {
                problem = "the JPEG frame header is cut short";
                return false;
            }
            info.height = Be16(frame + 1);
            info.width = Be16(frame + 3);
            sawFrame = true;
        }
        if (marker == 0xDA) {  // start of scan: the image data follows
            if (!sawFrame) {
                problem = "the JPEG file has no frame header";
                return false;
            }
            if (!FindEndMarker(file, position + 2 + length)) {
                problem = "the JPEG file is cut short (no end marker)";
                return false;
            }
            return true;
        }
        position += 2 + length;
    }
}

}  // namespace

const char* ImageFormatName(CImageInfo::Format format) {
    switch (format) {
        case CImageInfo::FORMAT_BMP:
            return "BMP";
        case CImageInfo::FORMAT_PNG:
            return "PNG";
        case CImageInfo::FORMAT_JPEG:
            return "JPEG";
        default:
            return "unknown";
    }
}

bool ReadImageInfo(const std::string& fileName, CImageInfo& info, std::string& problem) {
    info = CImageInfo();
    FilePtr file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        problem = "the file cannot be opened";
        return false;
    }
    const int64_t size = FileSize(file.get());
    unsigned char magic[8] = {};
    if (size < 8 || !ReadAt(file.get(), 0, magic, 8)) {
        problem = "the file is too short to be an image";
        return false;
    }
    static const unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (magic[0] == 'B' && magic[1] == 'M') {
        info.format = CImageInfo::FORMAT_BMP;
        return ReadBmp(file.get(), size, info, problem);
    }
    if (std::equal(magic, magic + 8, png)) {
        info.format = CImageInfo::FORMAT_PNG;
        return ReadPng(file.get(), size, info, problem);
    }
    if (magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF) {
        info.format = CImageInfo::FORMAT_JPEG;
        return ReadJpeg(file.get(), size, info, problem);
    }
    problem = "the file is not a BMP, PNG or JPEG image";
    return false;
}

}  // namespace vorn

#pragma once

#include <cstdint>
#include <string>

namespace vorn {

// What an image file says about itself, read without decoding its pixels.
struct CImageInfo {
    enum Format { FORMAT_UNKNOWN = 0, FORMAT_BMP, FORMAT_PNG, FORMAT_JPEG };
    Format format = FORMAT_UNKNOWN;
    int64_t width = 0;
    int64_t height = 0;
};

// Reads format and size of a BMP, PNG or JPEG file and checks that the file
// is whole before anything is decoded: a BMP's pixel rows must fit in the
// file, a PNG's chunks must all be there up to IEND, a JPEG must have a frame
// header before its scan and an end marker after it. False, with the reason
// in problem, for a missing, unknown, truncated or malformed file. Reads the
// file in small pieces; memory use does not grow with the file.
bool ReadImageInfo(const std::string& fileName, CImageInfo& info, std::string& problem);

const char* ImageFormatName(CImageInfo::Format format);

}  // namespace vorn

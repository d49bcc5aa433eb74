#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vorn/gfx/CColor.h"
#include "vorn/gfx/CTextureManager.h"
#include "vorn/utils/containers/CAutoList.h"

namespace vorn {

// The pixels behind the accelerated back end's surfaces: an OpenGL texture of
// the device in CGlobalD3D (premultiplied ARGB, see CGLDevice) with its size
// and, for images, the file it was loaded from (buffers have none).
//
// The OpenGL texture may be absent between a device loss and its
// recreation. Every live record is in CAutoList<CD3DTexture>, so that a device
// reset reaches them all: buffers save their pixels before it and get them
// back after it; file textures are loaded again.
//
// Shared by counting: the surfaces showing the texture and the texture
// registry's record each hold one reference (Grab); the last Drop deletes the
// record. Engine thread only.
class CD3DTexture : public CAutoList<CD3DTexture> {
public:
    // No OpenGL texture yet, no reference held.
    CD3DTexture(int width, int height, const std::string& fileName = "",
                const CColor& colorKey = CColor(255, 0, 255, 255));
    ~CD3DTexture();
    CD3DTexture(const CD3DTexture&) = delete;
    CD3DTexture& operator=(const CD3DTexture&) = delete;

    void Grab() { ++myReferences; }
    // Deletes the record at the last reference.
    void Drop();

    unsigned GetHandle() const { return myHandle; }
    bool HasTexture() const { return myHandle != 0; }
    int GetWidth() const { return myWidth; }
    int GetHeight() const { return myHeight; }
    const std::string& GetFilename() const { return myFileName; }
    bool IsBuffer() const { return myFileName.empty(); }

    // An OpenGL texture of the record's size holding pixels (premultiplied
    // ARGB) or transparent; false without a device or when it refuses.
    bool Create(const uint32_t* pixels = nullptr);
    // Loads the file into a new OpenGL texture.
    enum LoadResult { LOAD_OK = 0, LOAD_NO_DEVICE, LOAD_NO_INFO, LOAD_FAILED };
    LoadResult Load(std::string& problem);
    // Deletes the OpenGL texture; false when the device reported a failure or
    // is gone (the texture is forgotten either way).
    bool ReleaseTexture();

    // The pixels (premultiplied ARGB) saved across a device reset.
    const std::vector<uint32_t>& GetSavedPixels() const { return mySavedPixels; }
    bool SavePixels();
    bool RestorePixels();

    // The steps of a device reset, over every live record (logged as
    // described in CTaskGfxD3D.h). False when any record failed.
    static bool PrepareForReset();
    static bool ReleaseAllTextures();
    static bool RecreateAllTextures();
    // Every live record, oldest first.
    static std::vector<CD3DTexture*> GetAll();

private:
    unsigned myHandle = 0;
    int myWidth;
    int myHeight;
    std::string myFileName;
    CColor myColorKey;
    std::vector<uint32_t> mySavedPixels;
    int myReferences = 0;
};

// The texture registry drops its reference when a file texture is no longer
// used.
template <>
struct CTextureReleaser<CD3DTexture*> {
    static void Release(CD3DTexture* texture) {
        if (texture) texture->Drop();
    }
};
using CTextureManagerD3D = CTextureManager<CD3DTexture*>;

}  // namespace vorn

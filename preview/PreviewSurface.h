#pragma once

namespace lw {

// What the view arithmetic asks of the window that shows it: the picture
// work on Picture1 and Zoom_Ori, and the pointer. Sizes are in twips.
class PreviewSurface {
public:
    virtual ~PreviewSurface() = default;

    // Picture1 keeps what is drawn on it and has a white background.
    virtual void preparePicture1() = 0;
    // Zoom_Ori takes Picture1's picture, unscaled, and stays hidden.
    virtual void copyPicture1ToZoomSource() = 0;
    // Picture1 drops its picture, so its size no longer follows one.
    virtual void clearPicture1() = 0;
    // Stretches Zoom_Ori's (0, 0, sourceWidth, sourceHeight) onto Picture1's
    // (0, 0, width, height).
    virtual void paintPicture1(int width, int height, int sourceWidth, int sourceHeight) = 0;
    // The window's mouse pointer becomes the default one.
    virtual void resetPointer() = 0;
};

} // namespace lw

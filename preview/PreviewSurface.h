#pragma once

namespace lw {

// What the view arithmetic asks of the window that shows it: the picture
// work on Picture1 and Zoom_Ori, the pointer, and following the view's
// state. Sizes are in twips.
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
    // The view's state may have changed (boxes, bars): show it as it is now.
    // Runs at the end of the view's calls, also while a failure unwinds
    // them, so it must not throw.
    virtual void viewChanged() noexcept = 0;
};

} // namespace lw

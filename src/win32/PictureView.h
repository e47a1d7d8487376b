#pragma once

#include "win32/ControlView.h"

#include <windows.h>

#include <gdiplus.h>

#include <memory>
#include <string>

namespace kalpeno::win32 {

class PictureAccessible;

// An image or picture box: the artwork painted at the control's size on the screen (an image
// stretched to its control, a picture box at its own size times the dpi). A picture with a click
// handler is clicked by a press and a release of the left button on it, and is a button to
// assistive technology, whose default action clicks it; one without lets clicks through to what
// lies beneath (a marker over its letter). It never takes the focus.
class PictureView : public ControlView {
public:
    PictureView(forms::Control& picture, UserEvents& events, FormWindow& window);
    ~PictureView() override;

    bool clickable() const { return clickable_; }
    // A click on the picture, as the mouse or the default action gives one.
    void activate();

protected:
    void mirrorOwn(forms::Property) override {}
    void mirrorAllOwn() override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint();

    std::u16string key_;
    bool stretched_;
    bool clickable_;
    bool pressed_ = false;
    std::unique_ptr<::Gdiplus::Bitmap> painted_; // at the control's size
    PictureAccessible* accessible_;
};

} // namespace kalpeno::win32

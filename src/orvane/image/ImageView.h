// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/io/Image.h"
#include "orvane/view/BaseView.h"

#include <memory>
#include <string>

namespace orvane {

/// Shows an image file (or an image) at its natural size, scaled by the image
/// scale and the display's DPI, anchored at the top left of the frame.
class ORVANE_EXPORT ImageView : public BaseView {
public:
    static std::shared_ptr<ImageView> create() { return std::make_shared<ImageView>(); }
    static std::shared_ptr<ImageView> create(const std::string& path);
    static std::shared_ptr<ImageView> create(const std::shared_ptr<Image>& image);

    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;
    Size getPreferredSize(const Size& constraint) override;

    /// An empty path or a ".img" file is refused with a log line (section 2).
    void setFile(const std::shared_ptr<const std::string>& path);
    void setFile(const std::string& path) { setFile(std::make_shared<const std::string>(path)); }
    std::shared_ptr<const std::string> getFile() const { return file_; }
    void setImage(const std::shared_ptr<Image>& image);
    std::shared_ptr<Image> getImage() const { return image_; }
    void setImageScale(float scale);
    float getImageScale() const { return imageScale_; }
    void loadImageBitmap();
    /// Pixel size of the image.
    Size getFullImageSize() const;
    /// The drawn size: pixels x image scale / DPI scale factor.
    Size getUnScaledImageSize() const;

private:
    std::shared_ptr<Image> image_;
    std::shared_ptr<const std::string> file_;
    float imageScale_ = 1.0f;
};

} // namespace orvane

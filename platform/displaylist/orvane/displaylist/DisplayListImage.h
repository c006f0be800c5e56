// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/host/io/Image.h"

#include <memory>

namespace displaylist {

class DisplayListRenderer;
class TqGroup;

/// A recorded display list used as an image (for example a view rendered off
/// screen for a table cell). Its nodes may be drawn into one renderer only:
/// the image is bound to the first renderer that draws it.
class ORVANE_DISPLAYLIST_EXPORT DisplayListImage : public orvane::Image {
public:
    /// An empty list of the given picture size; add nodes to its root node.
    static std::shared_ptr<DisplayListImage> create(int width, int height);
    /// The nodes currently in the renderer's list (shared, not copied), with
    /// the renderer's viewport as the picture. Null without a renderer.
    static std::shared_ptr<DisplayListImage> createFromRenderer(const std::shared_ptr<DisplayListRenderer>& renderer);

    DisplayListImage(int width, int height);
    ~DisplayListImage() override;

    TqGroup* getDisplayListRootNode() const { return root_.get(); }

    /// The renderer the image is bound to (empty when none or when that
    /// renderer no longer exists).
    std::shared_ptr<DisplayListRenderer> getRenderer() const { return renderer_.lock(); }
    /// Binds the image to a renderer. False (nothing changes) when it is
    /// already bound to another renderer that still exists.
    bool bindRenderer(const std::shared_ptr<DisplayListRenderer>& renderer);
    bool isBoundToOtherRenderer(const std::shared_ptr<DisplayListRenderer>& renderer) const;
    void unbindRenderer() { renderer_.reset(); }

private:
    TqRef<TqGroup> root_;
    std::weak_ptr<DisplayListRenderer> renderer_;
};

} // namespace displaylist

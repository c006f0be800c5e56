#pragma once
#include <memory>

namespace displaylist {

class DisplayListRenderer;

// Creates renderers for off-screen work (pictures, exports).
class DisplayListRendererFactory {
public:
    static std::shared_ptr<DisplayListRenderer> createRenderer();
};

} // namespace displaylist

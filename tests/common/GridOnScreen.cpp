// SPDX-License-Identifier: Apache-2.0
#include "common/GridOnScreen.h"

#include "orvane/displaylist/DisplayListEditor.h"

namespace orvane::test {

GridOnScreen::GridOnScreen(std::shared_ptr<DataSet> ds, float w, float h) {
    model->dataSet.set(std::move(ds));
    view = model->createRenderer();
    renderer->setViewport(0, 0, w, h);
    view->setDisplayListRenderer(renderer);
    view->setFrame({0, 0, w, h});
}

displaylist::TqDataGrid& GridOnScreen::rebuild() {
    view->updateDisplayList(renderer->getEditor());
    return *view->getDataGridNode();
}

} // namespace orvane::test

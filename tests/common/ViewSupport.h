// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/host/core/CLog.h"
#include "orvane/view/BaseView.h"

#include <functional>
#include <memory>
#include <string_view>

namespace orvane::test {

// A root view framed at W x H with a display-list renderer of its own.
std::shared_ptr<BaseView> rootView(float w, float h);
// Makes the view a root as rootView() does.
void prepareRoot(BaseView& v, float w, float h);
// The same, keeping the view's type.
template <class V>
std::shared_ptr<V> asRoot(std::shared_ptr<V> v, float w, float h) {
    prepareRoot(*v, w, h);
    return v;
}

// Calls f for the node and every node below it, parents first.
void forEachNode(const displaylist::TqGeometry* node, const std::function<void(const displaylist::TqGeometry*)>& f);

// How many captured entries of the section hold the text.
int countLogged(const CLogCapture& log, int section, std::string_view part);

} // namespace orvane::test

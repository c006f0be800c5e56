// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/GridDisplayOptions.h"

#include "orvane/package/BaseUIModelDatabase.h"

#include <cctype>
#include <sstream>

namespace orvane {

GridDisplayOptions::GridDisplayOptions()
    : concise(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      plain(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      wrapall(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      retainNewLines(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)) {
}

GridDisplayOptions::~GridDisplayOptions() = default;

std::shared_ptr<GridDisplayOptions> GridDisplayOptions::create() {
    auto m = std::make_shared<GridDisplayOptions>();
    m->initialize();
    return m;
}

std::shared_ptr<GridDisplayOptions> GridDisplayOptions::fromString(const std::string& text,
                                                                  std::vector<std::string>* unknown) {
    auto o = create();
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        std::string up;
        for (char c : word) up += char(std::toupper(static_cast<unsigned char>(c)));
        if (up == "CONCISE") o->concise.set(true);
        else if (up == "PLAIN") o->plain.set(true);
        else if (up == "WRAPALL") o->wrapall.set(true);
        else if (up == "RETAINNEWLINE") o->retainNewLines.set(true);
        else if (unknown) unknown->push_back(word);
    }
    return o;
}

std::string GridDisplayOptions::toString() const {
    std::string out;
    auto add = [&](bool on, const char* word) {
        if (!on) return;
        if (!out.empty()) out += ' ';
        out += word;
    };
    add(concise.get(), "CONCISE");
    add(plain.get(), "PLAIN");
    add(wrapall.get(), "WRAPALL");
    add(retainNewLines.get(), "RETAINNEWLINE");
    return out;
}

} // namespace orvane

// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/SonificationTone.h"

#include "orvane/host/io/FileSystemManager.h"

#include <cstdio>

namespace orvane {

std::shared_ptr<SonificationTone> SonificationTone::create(SonificationStyle::type /*style*/, int keyNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "key%02d_p_Flat.mp3", keyNumber);
    return std::make_shared<SonificationTone>(FileSystemManager::getPathForResource(name, "", PIANO_DIRECTORY),
                                              keyNumber);
}

std::shared_ptr<SonificationTone> SonificationTone::createMissing() {
    return std::make_shared<SonificationTone>(FileSystemManager::getPathForResource("missing.mp3", "", SOUND_DIRECTORY),
                                              0);
}

std::shared_ptr<SonificationTone> SonificationTone::createBumper() {
    return std::make_shared<SonificationTone>(FileSystemManager::getPathForResource("bumper.mp3", "", SOUND_DIRECTORY),
                                              0);
}

} // namespace orvane

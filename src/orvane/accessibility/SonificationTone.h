// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/Wrappable.h"
#include "orvane/package/SonificationStyle.h"

#include <memory>
#include <string>

namespace orvane {

/// One sound the host can play for a value: a piano key of the scale, the
/// missing-value sound or the edge ("bumper") sound. The sound file is one of
/// the package's embedded assets, resolved to a real file path on creation.
class ORVANE_EXPORT SonificationTone : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10083;
    /// Folders of the sound files among the package's resources.
    static constexpr const char* SOUND_DIRECTORY = "OrvaneUI/assets/sonification/mp3";
    static constexpr const char* PIANO_DIRECTORY = "OrvaneUI/assets/sonification/mp3/piano";

    SonificationTone(std::shared_ptr<const std::string> localPath, int keyNumber)
        : localPath_(std::move(localPath)), keyNumber_(keyNumber) {}

    /// The tone of piano key keyNumber (1 lowest to 88): "keyNN_p_Flat.mp3" in
    /// the piano folder. Every style uses the same files. A key without a sound
    /// file gives a tone whose path is null (the failed lookup is logged).
    static std::shared_ptr<SonificationTone> create(SonificationStyle::type style, int keyNumber);
    /// "missing.mp3": the sound for a missing value.
    static std::shared_ptr<SonificationTone> createMissing();
    /// "bumper.mp3": the sound for reaching an edge.
    static std::shared_ptr<SonificationTone> createBumper();

    /// The resolved path of the sound file; null when it could not be resolved.
    std::shared_ptr<const std::string> getLocalPath() const { return localPath_; }
    /// The piano key of a scale tone; 0 for the missing-value and edge sounds.
    int getKeyNumber() const { return keyNumber_; }

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

private:
    std::shared_ptr<const std::string> localPath_;
    int keyNumber_;
};

} // namespace orvane

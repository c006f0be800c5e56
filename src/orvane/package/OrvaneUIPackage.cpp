// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/OrvaneUIPackage.h"

#include "orvane/displaylist/OpenGLES2DisplayListPackage.h"
#include "orvane/host/core/Feature.h"
#include "orvane/host/core/CLog.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/SoundAssetTable.h"

#include <atomic>
#include <cstdio>
#include <map>
#include <string_view>

namespace orvane {

namespace {
std::atomic<int> gOnceRuns{0};
const BaseUIModelDatabase* gDatabase = nullptr;

std::vector<std::shared_ptr<PortablePackage>>& dependencies() {
    static std::vector<std::shared_ptr<PortablePackage>> deps;
    return deps;
}
} // namespace

std::shared_ptr<OrvaneUIPackage> OrvaneUIPackage::instance() {
    static const std::shared_ptr<OrvaneUIPackage> package = std::make_shared<OrvaneUIPackage>();
    package->initialize();
    return package;
}

int OrvaneUIPackage::initialize() {
    static const int initializedId = [this] {
        initializeOnceTasks(sharedAs<OrvaneUIPackage>());
        return PACKAGE_ID;
    }();
    return gDatabase && getPackageId() == gDatabase->getPackageId() ? initializedId : 0;
}

int OrvaneUIPackage::initializeOnceTasks(const std::shared_ptr<OrvaneUIPackage>& package) {
    ++gOnceRuns;
    gDatabase = BaseUIModelDatabase::instance();
    dependencies().push_back(displaylist::OpenGLES2DisplayListPackage::instance());
    PortablePackage::registerPackage(PACKAGE_ID, package);
    auto feature = Feature::create();
    feature->setName(TOGGLE_ON_TAP());
    feature->setDescription("Toggle selection on tap for graphs, tables, crosstabs, etc.");
    feature->setValue(true);
    Multiverse::registerFeature(feature);
    return PACKAGE_ID;
}

std::shared_ptr<const std::string> OrvaneUIPackage::TOGGLE_ON_TAP() {
    static const std::shared_ptr<const std::string> name = std::make_shared<const std::string>("toggleOnTap");
    return name;
}

const std::vector<std::shared_ptr<PortablePackage>>& OrvaneUIPackage::getDependencies() { return dependencies(); }

int OrvaneUIPackage::onceTaskRuns() { return gOnceRuns.load(); }

const std::vector<std::string>& OrvaneUIPackage::relativeAssetPaths() const {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> p{"sonification/mp3/bumper.mp3", "sonification/mp3/missing.mp3"};
        char name[64];
        for (int key = 1; key <= 88; ++key) {
            std::snprintf(name, sizeof name, "sonification/mp3/piano/key%02d_p_Flat.mp3", key);
            p.emplace_back(name);
        }
        for (int key = 1; key <= 88; ++key) {
            std::snprintf(name, sizeof name, "sonification/mp3/pianoStatic/key%02d_z_Flat.mp3", key);
            p.emplace_back(name);
        }
        return p;
    }();
    return paths;
}

const NLSData& OrvaneUIPackage::getNLSData() const {
    static const NLSData empty;
    return empty;
}

const std::vector<NameIdPair>& OrvaneUIPackage::getEventTypeToNameMap() const {
    static const std::vector<NameIdPair> map{
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE", 20000},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_LOST", 20001},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_GAINED", 20002},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_EXPAND", 20003},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_COLLAPSE", 20004},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_DRILL_DOWN", 20005},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_SORT", 20006},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_DATA_CELL", 20007},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_ELEMENT_SELECTED", 20008},
        {"AccessibilityFocusChangeEvent::ACCESSIBILITY_ELEMENTS_INVALIDATED", 20009},
        {"BaseView::FRAME_INVALID", 20010},
        {"BaseView::FRAME_VALID", 20011},
        {"BaseView::FRAME_ZERO_SIZE", 20012},
        {"BaseView::NEEDS_UPDATE_GESTURE_RECOGNIZERS", 20013},
        {"BaseView::DISPLAYLISTRENDERER_CHANGED", 20014},
        {"BaseView::ACTIVATE", 20015},
        {"BaseView::RENDERING_TYPE_CHANGE", 20016},
        {"Crosstab::SELECTED_CHANGED", 20017},
        {"Crosstab::ROW_HEADER_UPDATED", 20018},
        {"Crosstab::COLUMN_HEADER_UPDATED", 20019},
        {"CrosstabControllerEvent::CROSSTAB_CONTROLLER_EVENT", 20020},
        {"DataGrid::SORT_CHANGED", 20021},
        {"DataGrid::RESET_REORDERED_COLUMNS", 20022},
        {"DataGrid::RESET_RESIZED_COLUMNS", 20023},
        {"DataGridCellContentEvent::GRID_CELL_CONTENT", 20024},
        {"DataGridCellContentEvent::COLUMN_SIZE_CHANGED", 20025},
        {"DataGridCellContentEvent::COLUMN_REORDERED", 20026},
        {"DataGridCellContentEvent::COLUMN_HEADER_SELECTED", 20027},
        {"DataGridControllerEvent::DATAGRID_CONTROLLER_EVENT", 20028},
        {"EsriDirectoryServices::QUERY_SERVICES_READY", 20029},
        {"EsriDirectoryServices::QUERY_SERVICES_FAILED", 20030},
        {"EsriGeoEnrichmentServices::GEO_ENRICHMENT_COUNTRY_LIST_READY", 20031},
        {"EsriGeoEnrichmentServices::GEO_ENRICHMENT_COUNTRY_LIST_FAILED", 20032},
        {"EsriGeoEnrichmentServices::GEO_ENRICHMENT_COUNTRY_VARIABLES_READY", 20033},
        {"EsriGeoEnrichmentServices::GEO_ENRICHMENT_COUNTRY_VARIABLES_FAILED", 20034},
        {"EsriGeocodeServices::GEOCODE_READY", 20035},
        {"EsriGeocodeServices::GEOCODE_FAILED", 20036},
        {"EsriGeocodeServices::REVERSE_GEOCODE_READY", 20037},
        {"EsriGeocodeServices::REVERSE_GEOCODE_FAILED", 20038},
        {"GestureHandlerEvent::SUCCESS", 20039},
        {"GestureHandlerEvent::FAILURE", 20040},
        {"GestureHandlerEvent::PENDING", 20041},
        {"GridColumnInfoManager::CONTENT_CHANGED", 20042},
        {"GroupPreferredSizeRequestEvent::GROUP_WIDTH_REQUEST", 20043},
        {"GroupPreferredSizeRequestEvent::GROUP_HEIGHT_REQUEST", 20044},
        {"PreferredSizeRequestEvent::PREFERRED_WIDTH_REQUEST", 20045},
        {"PreferredSizeRequestEvent::PREFERRED_HEIGHT_REQUEST", 20046},
        {"PreferredSizeRequestEvent::WIDTH_REQUEST", 20047},
        {"PreferredSizeRequestEvent::HEIGHT_REQUEST", 20048},
        {"PreferredSizeRequestEvent::MINIMUM_WIDTH_REQUEST", 20049},
        {"PreferredSizeRequestEvent::MINIMUM_HEIGHT_REQUEST", 20050},
        {"SelectionControl::SELECTION_CONTROL_CHANGE", 20051},
        {"SelectionControl::REMOVE_ITEM", 20052},
        {"SelectionControl::REMOVE_TERM", 20053},
        {"SelectionController::SELECTION_CHANGED", 20054},
        {"ShowContextMenuEvent::SHOW_CONTEXT_MENU", 20055}};
    return map;
}

const std::vector<NameIdPair>& OrvaneUIPackage::getWarningTypeToNameMap() const {
    static const std::vector<NameIdPair> map{
        {"EsriDirectoryServices::ESRI_DIRECTORY_SERVICES_ERROR", 20000},
        {"EsriGeoEnrichmentServices::ESRI_GEO_ENRICHMENT_SERVICES_ERROR", 20001},
        {"EsriGeocodeServices::ESRI_GEOCODE_SERVICES_ERROR", 20002}};
    return map;
}

const std::vector<EmbeddedAsset>& OrvaneUIPackage::getEmbeddedAssets() const {
    // One record per asset path, in the same order; the key is the path under
    // "OrvaneUI/assets/" with its final "." replaced by "_". The bytes come from
    // the table the build generates from the synthesised sounds.
    static const std::vector<std::string> keys = [this] {
        std::vector<std::string> k;
        for (const auto& path : OrvaneUIPackage::relativeAssetPaths()) {
            std::string key = "OrvaneUI/assets/" + path;
            if (auto dot = key.rfind('.'); dot != std::string::npos) key[dot] = '_';
            k.push_back(std::move(key));
        }
        return k;
    }();
    static const std::vector<EmbeddedAsset> assets = [this] {
        std::map<std::string_view, const SoundAssetTable::Entry*> bytesByPath;
        for (const auto& e : SoundAssetTable::entries()) bytesByPath.emplace(e.path, &e);
        const auto& paths = OrvaneUIPackage::relativeAssetPaths();
        std::vector<EmbeddedAsset> out;
        for (size_t i = 0; i < paths.size(); ++i) {
            auto it = bytesByPath.find(paths[i]);
            if (it == bytesByPath.end()) {
                ORVANE_LOG(CLog::ERRORS, __FILE__, "OrvaneUIPackage: no embedded bytes for " + paths[i]);
                continue;
            }
            out.push_back({keys[i], it->second->bytes, it->second->length});
        }
        return out;
    }();
    return assets;
}

} // namespace orvane

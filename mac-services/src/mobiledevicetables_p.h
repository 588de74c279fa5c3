#pragma once

#include <vector>

namespace olvane {

/// One model: its identifier, marketing name, short name and icon (nullptr: none).
struct ModelRow {
    const char *key;
    const char *name;
    const char *shortName;
    const char *icon;
};

const std::vector<ModelRow> &phoneTable();
const std::vector<ModelRow> &iPodTable();
const std::vector<ModelRow> &tabletTable();
const std::vector<ModelRow> &watchTable();

/// What an identifier of a table gives when no row of it matches (the iPods have none).
const ModelRow &genericPhone();
const ModelRow &genericTablet();
const ModelRow &genericWatch();

} // namespace olvane

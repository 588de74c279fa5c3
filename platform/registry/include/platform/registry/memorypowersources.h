#pragma once

#include "platform/registry/powersources.h"

#include <optional>
#include <vector>

namespace platform {

/// Power sources held in memory, for tests and simulated machines.
///
/// Scriptable: the sources are a list of descriptions (any Value, so a description that is not a
/// dictionary can be handed over; null stands for a source without one); the information can be
/// withdrawn; the list can be replaced by any value (one that is not an array, for instance).
/// Observable: each of the three calls is counted.
///
/// A snapshot keeps the state of its copyInfo() call; later changes show in later snapshots only.
/// The calls are synchronous like the system's, so nothing goes through the event loop.
class MemoryPowerSources final : public PowerSources {
public:
    MemoryPowerSources() = default;
    explicit MemoryPowerSources(std::vector<Value> descriptions);

    /// The fixture section that holds a machine's power sources.
    static constexpr auto kFixtureSection = "powerSources";

    /// Replaces the sources with those of a fixture document's "powerSources" section, an array of
    /// descriptions in list order; a document without the section changes nothing. Throws
    /// DecodingError when the document is not a dictionary or the section is not an array; the
    /// sources are then unchanged.
    void loadFixture(const Value &document);
    /// Reads and parses a JSON fixture file, then loads it as above. Throws DecodingError when the
    /// file cannot be read or is not JSON.
    void loadFixtureFile(const QString &path);

    std::unique_ptr<PowerSourcesInfo> copyInfo() override;
    Value list(const PowerSourcesInfo &info) override;
    Value description(const PowerSourcesInfo &info, const Value &source) override;

    const std::vector<Value> &descriptions() const { return m_descriptions; }
    void setDescriptions(std::vector<Value> descriptions) { m_descriptions = std::move(descriptions); }
    void addSource(Value description) { m_descriptions.push_back(std::move(description)); }

    /// While false, copyInfo() gives nothing.
    void setInfoAvailable(bool available) { m_infoAvailable = available; }
    /// When set, list() gives this value in place of the sources' references.
    void setListOverride(std::optional<Value> list) { m_listOverride = std::move(list); }

    int infoCalls() const { return m_infoCalls; }
    int listCalls() const { return m_listCalls; }
    int descriptionCalls() const { return m_descriptionCalls; }
    /// All three counts together.
    int calls() const { return m_infoCalls + m_listCalls + m_descriptionCalls; }
    void resetCounters() { m_infoCalls = m_listCalls = m_descriptionCalls = 0; }

private:
    std::vector<Value> m_descriptions;
    std::optional<Value> m_listOverride;
    bool m_infoAvailable = true;
    int m_infoCalls = 0;
    int m_listCalls = 0;
    int m_descriptionCalls = 0;
};

} // namespace platform
